// The developer cube-test state in the running program: its voxel models on their ground, drawn
// by the cube renderer with the project's effects, seen in the saved last frame.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CubeTestRunTest, ShowsShadedModelsOnTheirGround)
{
    e2e::RunDirectory run;
    run.WriteConfig({{"fullscreen", "0"}, {"initialstate", "CubeTest"}, {"mute", "1"}});
    const e2e::RunResult result = e2e::RunGame(
        {"--run-dir", run.Path(), "--frames", "10", "--fixed-dt", "0.016", "--screenshot", run.File("cubes.bmp")});
    ASSERT_EQ(0, result.exitCode) << result.output;
    EXPECT_EQ(result.output.find("SHADER ERROR"), std::string::npos) << result.output;
    const std::string bytes = testsupport::ReadFile(run.File("cubes.bmp"));
    ASSERT_GT(bytes.size(), 54u) << result.output;

    // Grass (green above red and blue) over much of the screen, and kobold eyes (bright yellow).
    int grass = 0, eyes = 0, samples = 0;
    for (uint32_t y = 0; y < e2e::BmpHeight(bytes); y += 4)
        for (uint32_t x = 0; x < e2e::BmpWidth(bytes); x += 4) {
            const uint32_t rgb = e2e::BmpPixel(bytes, int(x), int(y));
            const int r = int(rgb >> 16), g = int((rgb >> 8) & 0xFF), b = int(rgb & 0xFF);
            ++samples;
            grass += g > r + 30 && g > b + 30;
            eyes += r > 150 && g > 140 && b < 80;
        }
    EXPECT_GT(grass, samples / 5);
    EXPECT_GT(eyes, 0);
}

} // namespace
