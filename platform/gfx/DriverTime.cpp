#include "platform/gfx/DriverTime.h"

#include "platform/win/Timer.h"

#include <atomic>

namespace gfx {

namespace {

std::atomic<bool> g_Timing{false};
thread_local double t_Seconds = 0.0;

} // namespace

void SetDriverTiming(bool on) { g_Timing.store(on, std::memory_order_relaxed); }

double DriverSeconds() { return t_Seconds; }

DriverScope::DriverScope()
{
    if (g_Timing.load(std::memory_order_relaxed))
        m_Start = win::ThreadCpuSeconds();
}

DriverScope::~DriverScope()
{
    if (m_Start >= 0.0)
        t_Seconds += win::ThreadCpuSeconds() - m_Start;
}

} // namespace gfx
