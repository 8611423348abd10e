#include "math/Random.h"

#include <cstdint>

namespace {

// 64-bit linear congruential generator (Knuth's MMIX constants); the high bits are the good ones.
uint64_t g_State = 1;

} // namespace

void SeedRandom(unsigned seed) { g_State = seed; }

int Random15()
{
    g_State = g_State * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>(g_State >> 49);
}

float RandomRange(float min, float max)
{
    return static_cast<float>(min + (max - min) * (Random15() / static_cast<double>(kRandomMax)));
}

float RandomRangeChecked(float min, float max)
{
    if (max <= min)
        return min;
    return RandomRange(min, max);
}
