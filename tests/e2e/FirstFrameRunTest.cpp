// The program's first frames on the headless driver, whose largest mode is 1920 x 1080: black
// bands above and below a dark-grey letter-boxed viewport, saved by the screenshot option. The run
// opens with the physics test, which leaves the corners of the viewport as cleared.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(FirstFrameRunTest, LetterBoxedGreyViewportBetweenBlackBands)
{
    e2e::RunDirectory run;
    run.WriteConfig({{"initialstate", "PhysicsTest"}, {"mute", "1"}, {"fullscreen", "0"}});
    const e2e::RunResult result = e2e::RunGame(
        {"--run-dir", run.Path(), "--frames", "3", "--fixed-dt", "0.016", "--screenshot", run.File("first.bmp")});
    ASSERT_EQ(0, result.exitCode) << result.output;
    const std::string bytes = testsupport::ReadFile(run.File("first.bmp"));
    ASSERT_GT(bytes.size(), 54u) << result.output;
    ASSERT_EQ(e2e::BmpWidth(bytes), 1920u);
    ASSERT_EQ(e2e::BmpHeight(bytes), 1080u);
    // The camera's 500 x 280 aspect at full width: 1075 rows from row 2. The viewport is checked
    // at its corners, which the first state leaves as cleared.
    const struct {
        int x, y;
        uint32_t rgb;
    } cases[] = {{960, 0, 0x000000},  {960, 1, 0x000000},    {0, 2, 0x373737},     {1919, 2, 0x373737},
                 {5, 1076, 0x373737}, {960, 1077, 0x000000}, {960, 1079, 0x000000}};
    for (const auto& c : cases)
        EXPECT_EQ(e2e::BmpPixel(bytes, c.x, c.y), c.rgb) << c.x << "," << c.y;
}

} // namespace
