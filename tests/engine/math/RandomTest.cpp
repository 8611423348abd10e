#include "math/Random.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

std::vector<int> Draw(unsigned seed, int count)
{
    SeedRandom(seed);
    std::vector<int> values;
    for (int i = 0; i < count; ++i)
        values.push_back(Random15());
    return values;
}

TEST(RandomTest, SeedSelectsARepeatableSequence)
{
    EXPECT_EQ(Draw(42, 100), Draw(42, 100));
    EXPECT_NE(Draw(42, 100), Draw(43, 100));
    EXPECT_NE(Draw(0, 100), Draw(1, 100));
}

TEST(RandomTest, ValuesCoverFifteenBitsEvenly)
{
    SeedRandom(7);
    const int count = 200000;
    int lowest = kRandomMax, highest = 0;
    long long sum = 0;
    int buckets[8] = {};
    for (int i = 0; i < count; ++i) {
        const int v = Random15();
        ASSERT_GE(v, 0);
        ASSERT_LE(v, kRandomMax);
        lowest = std::min(lowest, v);
        highest = std::max(highest, v);
        sum += v;
        ++buckets[v / 4096];
    }
    EXPECT_LT(lowest, 20);
    EXPECT_GT(highest, kRandomMax - 20);
    EXPECT_NEAR(static_cast<double>(sum) / count, kRandomMax / 2.0, 150);
    for (int b : buckets)
        EXPECT_NEAR(b, count / 8, count / 80);
}

TEST(RandomTest, RangesStayWithinTheirEnds)
{
    SeedRandom(3);
    const struct {
        float min;
        float max;
    } ranges[] = {{0, 1}, {-5, 5}, {100, 100.5f}, {2, 2}};
    for (const auto& r : ranges) {
        float lowest = r.max, highest = r.min;
        for (int i = 0; i < 20000; ++i) {
            const float v = RandomRange(r.min, r.max);
            ASSERT_GE(v, r.min);
            ASSERT_LE(v, r.max);
            lowest = std::min(lowest, v);
            highest = std::max(highest, v);
        }
        EXPECT_LT(lowest - r.min, (r.max - r.min) * 0.01f + 1e-6f);
        EXPECT_LT(r.max - highest, (r.max - r.min) * 0.01f + 1e-6f);
    }

    EXPECT_EQ(RandomRangeChecked(5, 5), 5.0f);
    EXPECT_EQ(RandomRangeChecked(5, 3), 5.0f);
    for (int i = 0; i < 1000; ++i) {
        const float v = RandomRangeChecked(3, 5);
        ASSERT_GE(v, 3.0f);
        ASSERT_LE(v, 5.0f);
    }
}

} // namespace
