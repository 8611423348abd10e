// The end-of-level score screen of the running program: level 1's ground with no waves, so that
// the level is cleared once the banner has gone and the score screen reads its rows out. The
// picture of the finished screen is kept under the build tree's tests/artifacts/ as
// ScoreScreenRunTest_rows.bmp.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

// The brightest and the darkest grey level (the mean of the channels) in a rectangle.
struct Span {
    int darkest = 255, brightest = 0;
};

Span GreySpan(const std::string& picture, int left, int top, int right, int bottom)
{
    Span span;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) {
            const uint32_t rgb = e2e::BmpPixel(picture, x, y);
            const int grey = int((rgb >> 16 & 0xFF) + (rgb >> 8 & 0xFF) + (rgb & 0xFF)) / 3;
            span.darkest = std::min(span.darkest, grey);
            span.brightest = std::max(span.brightest, grey);
        }
    return span;
}

TEST(ScoreScreenRunTest, TheRowsStandOutBrightOnTheDarkBand)
{
    e2e::RunDirectory dir;
    std::string level = testsupport::ReadFile(dir.File("assets/levels/arena2.xml"));
    const std::string name = "levelname=\"arena2\"";
    ASSERT_NE(std::string::npos, level.find(name));
    level.replace(level.find(name), name.size(), "levelname=\"nowaves\"");
    testsupport::WriteFile(dir.File("assets/levels/nowaves.xml"), level);
    dir.WriteConfig({{"initialstate", "PlayState"}, {"levelfile", "assets/levels/nowaves.xml"}, {"mute", "1"}});

    const std::string shot = dir.File("rows.bmp");
    const e2e::RunResult result =
        e2e::RunGame({"--run-dir", dir.Path(), "--frames", "720", "--fixed-dt", "0.016", "--screenshot", shot});
    ASSERT_EQ(0, result.exitCode) << result.output;
    const std::string picture = testsupport::ReadFile(shot);
    ASSERT_TRUE(picture.size() > 54 && e2e::BmpWidth(picture) == 1920 && e2e::BmpHeight(picture) == 1080);
    std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
    testsupport::WriteFile(std::string(THRUMMOCK_ARTIFACT_DIR) + "/ScoreScreenRunTest_rows.bmp", picture);

    // The band at the left edge, beside the rows, and each row's label, right-aligned at 0.45 of
    // the width, at 0.38 to 0.58 of the height: white letters drawn over the band, not under it.
    const Span band = GreySpan(picture, 20, int(0.36f * 1080.0f), 200, int(0.60f * 1080.0f));
    EXPECT_LT(band.brightest, 90) << "the band behind the rows is dark";
    for (const float rowY : {0.38f, 0.43f, 0.48f, 0.53f, 0.58f}) {
        const int y = int(rowY * 1080.0f);
        const Span label = GreySpan(picture, int(0.30f * 1920.0f), y - 12, int(0.45f * 1920.0f), y + 12);
        EXPECT_GT(label.brightest, 220) << "the label at " << rowY << " is bright";
        EXPECT_GT(label.brightest - band.brightest, 140) << "the label at " << rowY << " stands out";
    }
}

} // namespace
