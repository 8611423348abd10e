#include "platform/win/Timer.h"

#include <SDL_timer.h>

#include <chrono>

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

} // namespace win
