#include "render/Letterbox.h"

#include <gtest/gtest.h>

#include <limits>

TEST(LetterboxTest, BandsAboveAndBelowOrBesideTheViewport)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        const char* name;
        int width, height;
        float aspect;
        Vesk::ViewportRect expected;
    } cases[] = {
        {"wider than the screen: letter-box", 800, 600, 500.0f / 280.0f, {0, 76, 800, 448}},
        {"odd band split rounds down", 800, 601, 500.0f / 280.0f, {0, 76, 800, 448}},
        {"same aspect: no bands", 800, 600, 4.0f / 3.0f, {0, 0, 800, 600}},
        {"narrower than the screen: pillar-box", 800, 600, 1.0f, {100, 0, 600, 600}},
        {"portrait camera on a wide screen", 1920, 1080, 0.5f, {690, 0, 540, 1080}},
        {"zero aspect: whole screen", 800, 600, 0.0f, {0, 0, 800, 600}},
        {"negative aspect: whole screen", 800, 600, -2.0f, {0, 0, 800, 600}},
        {"not a number: whole screen", 800, 600, nan, {0, 0, 800, 600}},
        {"infinite aspect: whole screen", 800, 600, inf, {0, 0, 800, 600}},
        {"no screen", 0, 0, 1.5f, {0, 0, 0, 0}},
        {"extreme aspect keeps one row", 800, 600, 1e30f, {0, 299, 800, 1}},
        {"tiny aspect keeps one column", 800, 600, 1e-30f, {399, 0, 1, 600}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Vesk::ViewportRect r = Vesk::ComputeLetterbox(c.width, c.height, c.aspect);
        EXPECT_EQ(r.x, c.expected.x);
        EXPECT_EQ(r.y, c.expected.y);
        EXPECT_EQ(r.width, c.expected.width);
        EXPECT_EQ(r.height, c.expected.height);
    }
}
