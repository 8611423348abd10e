// Display modes of the primary display as the platform reports them. Under the headless drivers
// (offscreen, dummy), which report no usable mode, and whenever a driver reports none, a fixed
// list stands in so the display-mode logic runs unchanged.
#pragma once

#include "platform/win/Window.h"

#include <vector>

namespace win {

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    int refreshHz = 0; // 0: unknown
};

// Mode number `index` of the primary display; false past the last mode.
bool EnumDisplaySettings(int index, DisplayMode& out);

// The desktop's current mode; a 1280x720 stand-in when the platform knows none.
DisplayMode GetDesktopMode();

// The primary display's usable area in screen pixels (the desktop less the task bars and docks);
// false under the headless drivers, which have no desktop to keep a window inside.
bool GetUsableDesktopArea(Rect& out);

// The list used when the driver reports no modes: 800x600, 1024x768, 1280x720, 1920x1080.
const std::vector<DisplayMode>& FallbackDisplayModes();

} // namespace win
