// Ctrl+F1 on the running program (headless, through an input script) alternates the debug texts
// and the profiler overlay: nothing is shown at first; one press shows the texts (the line slots
// keep the last rate line in slot 0 and slots 1 to 7 stay empty); a second press shows the
// overlay, which fills slots 0 to 7 again. Line slots are 34 pixels high from the top of the
// 1920 x 1075 viewport, 2 pixels down. The runs open with the physics test, which draws nothing.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const int kSlotTop = 2, kSlotHeight = 34, kTextLeft = 9;

// Pixels of line slot i (its left part, where text starts) brighter than the grey viewport.
int LitPixelsInSlot(const std::string& picture, int slot)
{
    int lit = 0;
    const int top = kSlotTop + slot * kSlotHeight;
    for (int y = top; y < top + kSlotHeight; ++y)
        for (int x = kTextLeft; x < kTextLeft + 400; ++x)
            lit += ((e2e::BmpPixel(picture, x, y) >> 16) & 0xFF) > 0x60;
    return lit;
}

// The BMP picture after 14 frames with Ctrl+F1 pressed the given number of times.
std::string RunWithPresses(const e2e::RunDirectory& run, int presses)
{
    std::string script;
    for (int i = 0; i < presses; ++i) {
        const int frame = 2 + 4 * i;
        script += std::to_string(frame) + " key down CONTROL\n" + std::to_string(frame + 1) + " key down F1\n" +
                  std::to_string(frame + 2) + " key up F1\n" + std::to_string(frame + 2) + " key up CONTROL\n";
    }
    testsupport::WriteFile(run.File("keys.txt"), script);
    const std::string shot = run.File("shot" + std::to_string(presses) + ".bmp");
    const e2e::RunResult result = e2e::RunGame({"--run-dir", run.Path(), "--frames", "14", "--fixed-dt", "0.016",
                                                "--input-script", run.File("keys.txt"), "--screenshot", shot});
    EXPECT_EQ(0, result.exitCode) << result.output;
    return testsupport::ReadFile(shot);
}

TEST(DebugTextRunTest, CtrlF1AlternatesTheDebugTextsAndTheProfilerOverlay)
{
    e2e::RunDirectory run;
    run.WriteConfig({{"initialstate", "PhysicsTest"}, {"mute", "1"}, {"fullscreen", "0"}});
    const std::string before = RunWithPresses(run, 0);
    ASSERT_TRUE(before.size() > 54 && e2e::BmpWidth(before) == 1920 && e2e::BmpHeight(before) == 1080);
    EXPECT_EQ(LitPixelsInSlot(before, 0), 0) << "hidden until the first press";

    const std::string texts = RunWithPresses(run, 1);
    ASSERT_TRUE(texts.size() > 54 && e2e::BmpWidth(texts) == 1920 && e2e::BmpHeight(texts) == 1080);
    EXPECT_GT(LitPixelsInSlot(texts, 0), 30) << "the debug texts are shown";
    EXPECT_EQ(LitPixelsInSlot(texts, 1), 0) << "the overlay's slots are cleared every frame";

    const std::string overlay = RunWithPresses(run, 2);
    ASSERT_TRUE(overlay.size() > 54 && e2e::BmpWidth(overlay) == 1920 && e2e::BmpHeight(overlay) == 1080);
    EXPECT_GT(LitPixelsInSlot(overlay, 0), 30);
    EXPECT_GT(LitPixelsInSlot(overlay, 1), 30) << "the profiler overlay fills its slots";
}

} // namespace
