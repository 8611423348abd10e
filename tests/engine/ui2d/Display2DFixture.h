// The 2D tests' world: a renderer on the headless driver and a scratch run directory whose sprite
// definitions name sheets of solid-coloured frames, so that a pixel tells which frame was drawn.
#pragma once

#include "../resources/ResourceFixture.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui2dtest {

// Frame k of every test sheet is filled with kFrameColours[k] (opaque ARGB).
extern const uint32_t kFrameColours[8];
const uint32_t kGrey = 0xFF373737, kBand = 0xFF000000;

// A PNG of width x height cut into xgrid x ygrid frames, frame k filled with
// kFrameColours[(first + k) % 8].
void WriteSheet(const std::string& path, int width, int height, int xgrid, int ygrid, int first = 0);

// The test sheets: "default" (16 x 16, one white frame), "tiles" (64 x 32, 4 x 2 frames of
// 16 pixels, coloured 0 to 7; "walk" frames 1-4 at 10 fps, "idle" 5-8 at 5 fps) and "red",
// "green" (16 x 16, one frame each of colour 0 and 1), followed by the extra elements given.
std::string SpriteDefinitions(const std::string& extra = "");

class Display2DTest : public restest::DeviceResourceTest {
protected:
    // The pixel positions of the tests are those of an 800 x 600 screen under the default camera:
    // a 448-pixel viewport below a 76-pixel band.
    void SetUp() override;
    void TearDown() override;

    // Starts the resource manager on the sprite definitions (with the test sheets' images).
    void StartSprites(const std::string& sprites);
    // A frame as the game draws it: letter-boxed clear, then the 2D layers.
    void DrawFrame(float dt);
};

} // namespace ui2dtest
