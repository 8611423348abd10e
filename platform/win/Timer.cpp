#include "platform/win/Timer.h"

#include <SDL_timer.h>

#include <chrono>
#include <ctime>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace win {

int64_t QueryPerformanceCounter() { return static_cast<int64_t>(SDL_GetPerformanceCounter()); }

int64_t QueryPerformanceFrequency() { return static_cast<int64_t>(SDL_GetPerformanceFrequency()); }

uint64_t ReadTimeStampCounter()
{
#if defined(__x86_64__) || defined(__i386__)
    return __rdtsc();
#else
    return static_cast<uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
#endif
}

double ThreadCpuSeconds()
{
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0)
        return 0.0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace win
