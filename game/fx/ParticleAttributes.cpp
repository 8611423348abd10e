#include "game/fx/ParticleAttributes.h"

#include "math/Colour.h"

#include <cmath>
#include <cstdlib>

namespace Game {

namespace {

// The low byte of the value truncated to an integer, for every finite value.
uint8_t LowByte(float value)
{
    if (!std::isfinite(value))
        return 0;
    double wrapped = std::fmod(std::trunc(static_cast<double>(value)), 256.0);
    if (wrapped < 0.0)
        wrapped += 256.0;
    return static_cast<uint8_t>(wrapped);
}

} // namespace

bool ReadFloatList(const char* text, float* values, int count)
{
    for (int i = 0; i < count; ++i)
        values[i] = 0.0f;
    if (!text)
        return false;
    const char* at = text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (*at == '\0')
                return false;
            ++at; // the one separator character
        }
        char* end = nullptr;
        const float value = std::strtof(at, &end);
        if (end == at)
            return false;
        values[i] = value;
        at = end;
    }
    return true;
}

uint32_t PackColourComponents(const float rgba[4])
{
    return PackArgb(LowByte(rgba[3]), LowByte(rgba[0]), LowByte(rgba[1]), LowByte(rgba[2]));
}

} // namespace Game
