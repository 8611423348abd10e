#include "profiler/ProfileOverlay.h"

#include "profiler/CFrameProfiler.h"

#include <climits>
#include <iomanip>
#include <sstream>

namespace Vesk {

namespace {

constexpr int kBarWidth = 25;

} // namespace

std::string FormatFpsLine(float frameSeconds)
{
    int fps = 0;
    if (frameSeconds > 0.0f) {
        const double rate = 1.0 / static_cast<double>(frameSeconds);
        fps = rate < static_cast<double>(INT_MAX) ? static_cast<int>(rate) : INT_MAX;
    }
    return "FPS : " + std::to_string(fps);
}

std::string FormatSectionLine(int section, float share)
{
    // One bar character per 4 percent; a share outside 0..100 (a clock that jumped) stays inside
    // the bar's field.
    int bars = 0;
    if (share > 0.0f)
        bars = share * 0.25f < static_cast<float>(kBarWidth) ? static_cast<int>(share * 0.25f) : kBarWidth;

    std::ostringstream line;
    line << std::setw(30) << std::right << CFrameProfiler::GetSectionName(section) << ": " << std::setw(kBarWidth)
         << std::left << std::string(static_cast<size_t>(bars), '|') << "  " << std::setprecision(2) << share << "%\n";
    return line.str();
}

} // namespace Vesk
