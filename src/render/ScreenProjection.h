// Screen projections of the current camera: a world point to screen pixels (for on-screen
// labels), and a pixel of the letter-boxed screen to a point of the camera's own viewport (for
// pick rays).
#pragma once

namespace Vesk {

class CCamera;

// Pixels of a screen the size of the renderer's, from the current camera's view and projection:
// the look-at point lands in the centre. Labels divide the result by the screen size and the
// debug output lays those fractions into the letter-boxed viewport, where the point is drawn.
// False, with out (-1, -1), for a point level with or behind the eye or without a camera.
bool WorldToScreen(float out[2], const float world[3]);

// A pixel of the screen moved into the letter-boxed (or pillar-boxed) 3D viewport and scaled to
// the camera's viewport size, truncated; the letter-box follows the current camera. Without a
// screen size the pixel is passed through.
void ScreenToViewport(const CCamera& camera, int x, int y, int& outX, float& outY);
// The same for the current camera.
void ScreenToViewport(int x, int y, int& outX, float& outY);

} // namespace Vesk
