// The letter-boxed 3D viewport: the largest rectangle of the current camera's aspect centred in
// the back buffer. The renderer sets it and the input manager maps mouse positions into it, so
// both use this one computation.
#pragma once

namespace Vesk {

struct ViewportRect {
    int x = 0, y = 0;
    int width = 0, height = 0;
};

// Full width with bands above and below (height = width / aspect, truncated); when the aspect is
// narrower than the screen's, full height with bands left and right (pillar-box). A screen side
// of 0 or less, or an aspect that is not a positive number, gives the whole screen.
ViewportRect ComputeLetterbox(int screenWidth, int screenHeight, float aspect);

} // namespace Vesk
