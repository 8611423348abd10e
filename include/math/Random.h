// The engine's one random generator: integers 0..32767, seeded from the time at start-up and
// seedable for tests, with the float ranges built on it.
#pragma once

constexpr int kRandomMax = 32767;

void SeedRandom(unsigned seed);
// The next value of the sequence, 0..32767.
int Random15();

// min + (max - min) * (Random15() / 32767.0); both ends can be returned.
float RandomRange(float min, float max);
// min when max <= min, otherwise RandomRange.
float RandomRangeChecked(float min, float max);
