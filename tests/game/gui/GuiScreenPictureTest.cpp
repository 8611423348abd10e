// A small screen drawn by the running game: a title plate with a line of sprite text, two buttons
// of which the first is selected, and the cursor, each seen where the screen file, the text and
// the mouse put them.
#include "GuiScreenFixture.h"

#include "game/gui/CSpriteText.h"
#include "platform/gfx/Device.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Rgb {
    int r, g, b;
};

Rgb At(int x, int y)
{
    const uint32_t argb = Vesk::CRenderer::GetInstance().GetDevice()->ReadPixels(x, y, 1, 1).at(0);
    return {int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF)};
}

// Pixels of the rectangle for which the test holds.
int Count(int x0, int y0, int x1, int y1, const std::function<bool(const Rgb&)>& test)
{
    const std::vector<uint32_t> pixels =
        Vesk::CRenderer::GetInstance().GetDevice()->ReadPixels(x0, y0, x1 - x0, y1 - y0);
    int count = 0;
    for (uint32_t argb : pixels)
        count += test({int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF)});
    return count;
}

bool Gold(const Rgb& c) { return c.r > 200 && c.g > 150 && c.b < 130; }
// Gold or, on the selected button, pale gold.
bool Rim(const Rgb& c) { return c.r > 200 && c.g > 150; }
bool Yellow(const Rgb& c) { return c.r > 220 && c.g > 170 && c.b < 100; }
bool Ink(const Rgb& c) { return c.r < 40 && c.g < 40 && c.b < 40; }

using GuiScreenPictureTest = guitest::GuiScreenFixture;

TEST_F(GuiScreenPictureTest, ButtonsTextAndCursorWhereTheScreenPutsThem)
{
    WriteScreen("picture", {{"display", "Btn", 0.5f, 0.2f},
                            {"button", "BtnResume", 0.5f, 0.45f, 3},
                            {"button", "BtnQuit", 0.5f, 0.65f, 2}});
    MoveMouse(0.8f, 0.85f);
    Open("picture", Game::ScreenControls::Pause(), 0);
    Game::CSpriteText title(1.0f, "GameFontYellow");
    title.SetAlignment(2);
    title.SetPosition(0.5f, 0.2f);
    title.SetText("PAUSED");
    Frame();

    // The 800 x 600 picture with a 448-pixel viewport from y = 76: a fraction y of the viewport
    // lies at 76 + 448 y.
    const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    ASSERT_EQ(renderer.GetScreenWidth(), 800);
    ASSERT_EQ(renderer.GetViewportRect().y, 76);
    const int plateY = 76 + int(0.2f * 448), resumeY = 76 + int(0.45f * 448), quitY = 76 + int(0.65f * 448);

    // Buttons: 256 x 64 with a gold rim; the selected one shows the lighter face.
    for (int y : {resumeY, quitY}) {
        EXPECT_TRUE(Rim(At(400 - 123, y))) << y;
        EXPECT_TRUE(Rim(At(400 + 122, y))) << y;
        EXPECT_FALSE(Rim(At(400 - 140, y))) << "outside the button at " << y;
    }
    const Rgb selected = At(300, resumeY - 8), idle = At(300, quitY - 8);
    EXPECT_GT(selected.b, selected.r + 40);
    EXPECT_GT(selected.r + selected.g + selected.b, idle.r + idle.g + idle.b + 40);
    // The labels: gold letters with ink outlines in the middle of each button.
    EXPECT_GT(Count(340, resumeY - 14, 460, resumeY + 14, Gold), 150);
    EXPECT_GT(Count(340, resumeY - 14, 460, resumeY + 14, Ink), 50);

    // "PAUSED", centred on the plate: six 32-pixel cells from x = 288 to 480, yellow with ink.
    EXPECT_GT(Count(290, plateY - 20, 478, plateY + 20, Yellow), 600);
    EXPECT_EQ(Count(200, plateY - 20, 270, plateY + 20, Yellow), 0) << "nothing left of the text";
    for (int cell = 0; cell < 6; ++cell)
        EXPECT_GT(Count(288 + 32 * cell, plateY - 20, 320 + 32 * cell, plateY + 20, Yellow), 40) << cell;

    // The cursor: a gold ring of radius 12.5 around the mouse with a dot at its centre.
    const int mouseX = 640, mouseY = 76 + int(0.85f * 448);
    EXPECT_GT(Count(mouseX - 16, mouseY - 16, mouseX + 16, mouseY + 16, Gold), 60);
    EXPECT_TRUE(Gold(At(mouseX, mouseY)));
    for (const auto& [dx, dy] : {std::pair{6, 0}, {-6, 0}, {0, 6}, {0, -6}})
        EXPECT_FALSE(Gold(At(mouseX + dx, mouseY + dy))) << "inside the ring " << dx << "," << dy;
    EXPECT_EQ(Count(mouseX - 40, mouseY - 40, mouseX - 20, mouseY - 20, Gold), 0);
}

} // namespace
