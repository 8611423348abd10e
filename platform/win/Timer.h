// The high-resolution counter and its frequency, and the processor's time-stamp counter.
#pragma once

#include <cstdint>

namespace win {

// Ticks of a monotonic high-resolution counter.
int64_t QueryPerformanceCounter();
// Counter ticks per second; 0 when the counter is not available.
int64_t QueryPerformanceFrequency();
// The time-stamp counter (only ratios of its values carry meaning).
uint64_t ReadTimeStampCounter();

} // namespace win
