// The high-resolution counter and its frequency, the processor's time-stamp counter, and the
// processor time of the calling thread.
#pragma once

#include <cstdint>

namespace win {

// Ticks of a monotonic high-resolution counter.
int64_t QueryPerformanceCounter();
// Counter ticks per second; 0 when the counter is not available.
int64_t QueryPerformanceFrequency();
// The time-stamp counter (only ratios of its values carry meaning).
uint64_t ReadTimeStampCounter();
// Seconds of processor time the calling thread has used; 0 where it cannot be read.
double ThreadCpuSeconds();

} // namespace win
