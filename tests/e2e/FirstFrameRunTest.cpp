// The program's first frames on the headless driver, whose largest mode is 1920 x 1080: black
// bands above and below a dark-grey letter-boxed viewport, saved by the screenshot option.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// RGB of the 24-bit BMP pixel at (x, y) counted from the top.
uint32_t Pixel(const std::string& bytes, int x, int y)
{
    const int width = static_cast<int>(Read32(bytes, 18));
    const int height = static_cast<int>(Read32(bytes, 22));
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    const size_t at = 54 + rowBytes * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
    return uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 1])) << 8 | uint8_t(bytes[at]);
}

TEST(FirstFrameRun, LetterBoxedGreyViewportBetweenBlackBands)
{
    e2e::RunDirectory run;
    const e2e::RunResult result =
        e2e::RunGame({"--run-dir", run.Path(), "--frames", "3", "--fixed-dt", "0.016", "--screenshot",
                      run.File("first.bmp")});
    ASSERT_EQ(0, result.exitCode) << result.output;
    const std::string bytes = testsupport::ReadFile(run.File("first.bmp"));
    ASSERT_GT(bytes.size(), 54u) << result.output;
    ASSERT_EQ(Read32(bytes, 18), 1920u);
    ASSERT_EQ(Read32(bytes, 22), 1080u);
    // The camera's 500 x 280 aspect at full width: 1075 rows from row 2. The viewport is checked
    // at its corners, which the first state leaves as cleared.
    const struct {
        int x, y;
        uint32_t rgb;
    } cases[] = {{960, 0, 0x000000}, {960, 1, 0x000000},  {0, 2, 0x373737},       {1919, 2, 0x373737},
                 {5, 1076, 0x373737}, {960, 1077, 0x000000}, {960, 1079, 0x000000}};
    for (const auto& c : cases)
        EXPECT_EQ(Pixel(bytes, c.x, c.y), c.rgb) << c.x << "," << c.y;
}

} // namespace
