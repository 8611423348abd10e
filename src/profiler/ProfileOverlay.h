// Text lines of the profiler overlay: the frame rate, and one line per frame section with its
// name, a bar of one "|" per 4 percent and its share of the frame.
#pragma once

#include <string>

namespace Vesk {

// "FPS : " and the whole frames per second of a frame that lasted frameSeconds; 0 when the frame
// has no length (the first frame, a fixed zero step).
std::string FormatFpsLine(float frameSeconds);

// The section's name right-aligned in 30 characters, ": ", the bar left-aligned in 25, two
// spaces, the share at stream precision 2 and "%" with a newline.
std::string FormatSectionLine(int section, float share);

} // namespace Vesk
