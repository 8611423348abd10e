// Colour helpers shared by the content generators.
#pragma once

#include "math/Vector3D.h"

// Slight shade variation by cell so that flat faces do not look like plastic: the base colour
// times 0.92 to 1.06, truncated to whole channel values.
inline CVector3D Speckled(const CVector3D& base, int x, int y, int z)
{
    const unsigned n = ((unsigned(x) * 73856093u) ^ (unsigned(y) * 19349663u) ^ (unsigned(z) * 83492791u)) & 7u;
    const float f = 0.92f + 0.02f * static_cast<float>(n);
    return CVector3D(float(int(base.x * f)), float(int(base.y * f)), float(int(base.z * f)));
}
