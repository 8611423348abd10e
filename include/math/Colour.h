// Colour bytes: a channel on the 0-255 scale truncated and clamped to a byte, and four bytes
// packed as ARGB (alpha in the top byte), the form the device and the debug drawing take.
#pragma once

#include <cstdint>

inline uint8_t ColourByte(float value)
{
    if (!(value > 0.0f))
        return 0;
    return value >= 255.0f ? 255 : static_cast<uint8_t>(value);
}

constexpr uint32_t PackArgb(uint8_t a, uint8_t r, uint8_t g, uint8_t b)
{
    return uint32_t(a) << 24 | uint32_t(r) << 16 | uint32_t(g) << 8 | b;
}
