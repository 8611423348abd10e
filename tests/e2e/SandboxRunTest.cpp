// The side-scrolling sandbox in the running program, once per shipped level ("levelfile" picks
// it): the saved last frame shows the level's ground in its palette and, between the background
// and the ground, the back wall with its lit top row above its shaded face.
#include "ProgramRunner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Rgb {
    int r, g, b;
    float Luminance() const { return 0.3f * float(r) + 0.59f * float(g) + 0.11f * float(b); }
    int Distance(const Rgb& o) const { return std::abs(r - o.r) + std::abs(g - o.g) + std::abs(b - o.b); }
};

Rgb Pixel(const std::string& bytes, uint32_t x, uint32_t y)
{
    const uint32_t rgb = e2e::BmpPixel(bytes, int(x), int(y));
    return {int(rgb >> 16), int((rgb >> 8) & 0xFF), int(rgb & 0xFF)};
}

float Median(std::vector<float> values)
{
    if (values.empty())
        return 0.0f;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

const struct {
    const char* level;
    std::function<bool(const Rgb&)> ground; // the ground's palette
} kLevels[] = {
    {"arena2", [](const Rgb& c) { return c.r > c.b + 40 && c.g > c.b + 20; }},
    {"emeraldroom", [](const Rgb& c) { return c.g > c.r + 40 && c.g > c.b + 20; }},
    {"purpleroom", [](const Rgb& c) { return c.b > c.g + 40 && c.r > c.g + 20; }},
};

TEST(SandboxRunTest, ShowsEachShippedLevelsGroundAndShadedWall)
{
    for (const auto& l : kLevels) {
        SCOPED_TRACE(l.level);
        e2e::RunDirectory run;
        run.WriteConfig({{"fullscreen", "0"},
                         {"initialstate", "pmarlSandbox"},
                         {"levelfile", std::string("assets/levels/") + l.level + ".xml"},
                         {"mute", "1"}});
        const std::string shot = run.File(std::string(l.level) + ".bmp");
        const e2e::RunResult result =
            e2e::RunGame({"--run-dir", run.Path(), "--frames", "10", "--fixed-dt", "0.016", "--screenshot", shot});
        ASSERT_EQ(0, result.exitCode) << result.output;
        EXPECT_EQ(result.output.find("SHADER ERROR"), std::string::npos) << result.output;
        EXPECT_EQ(result.output.find("did not load"), std::string::npos) << result.output;
        const std::string bytes = testsupport::ReadFile(shot);
        ASSERT_GT(bytes.size(), 54u) << result.output;
        const uint32_t w = e2e::BmpWidth(bytes), h = e2e::BmpHeight(bytes);

        // The ground fills much of the frame.
        int samples = 0;
        std::vector<float> ground;
        for (uint32_t y = 0; y < h; y += 4)
            for (uint32_t x = 0; x < w; x += 4) {
                ++samples;
                const Rgb c = Pixel(bytes, x, y);
                if (l.ground(c))
                    ground.push_back(c.Luminance());
            }
        EXPECT_GT(int(ground.size()), samples * 3 / 10);
        const float groundLuminance = Median(ground);

        // Down each column from the background: the wall's lit top row, then its face, shaded
        // darker than its top and than the ground, and nowhere the background.
        const Rgb background = Pixel(bytes, w / 2, h / 20);
        for (const float across : {0.3f, 0.5f, 0.7f, 0.9f}) {
            SCOPED_TRACE(across);
            const uint32_t x = uint32_t(across * float(w));
            uint32_t top = h / 20;
            while (top < h && Pixel(bytes, x, top).Distance(background) <= 24)
                ++top;
            ASSERT_GT(top, h / 20);
            ASSERT_LT(top, h / 2);
            float cap = 0.0f;
            for (uint32_t y = top; y < top + h / 50; ++y)
                cap = std::max(cap, Pixel(bytes, x, y).Luminance());
            std::vector<float> face;
            for (uint32_t y = top + 3 * h / 100; y < top + 8 * h / 100; ++y) {
                const Rgb c = Pixel(bytes, x, y);
                EXPECT_GT(c.Distance(background), 12) << y;
                face.push_back(c.Luminance());
            }
            EXPECT_LT(Median(face), 0.8f * cap);
            EXPECT_LT(Median(face), 0.8f * groundLuminance);
        }
    }
}

} // namespace
