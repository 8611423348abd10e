// Reading the text values of a particle effect's attributes: a run of floats joined by single
// separator characters ("1,2,3" or "1 2 3") and a colour of four 0-255 components packed ARGB.
#pragma once

#include <cstdint>

namespace Game {

// Reads up to `count` numbers, each after exactly one separator character from the last; the
// components after the first one that does not scan stay 0. False when not all were read.
bool ReadFloatList(const char* text, float* values, int count);

// Red, green, blue, alpha on the 0-255 scale; each is truncated to an integer and only its low
// 8 bits are kept (256.7 gives 0, -1 gives 255). Values that are not numbers give 0.
uint32_t PackColourComponents(const float rgba[4]);

} // namespace Game
