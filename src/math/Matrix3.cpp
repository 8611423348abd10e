#include "math/Matrix3.h"

#include <cmath>

CMatrix3& CMatrix3::Multiply(CMatrix3& out, const CMatrix3& b) const
{
    CMatrix3 result;
    for (unsigned i = 0; i < 3; ++i)
        for (unsigned j = 0; j < 3; ++j)
            result.m[3 * i + j] = b.m[3 * i] * m[j] + b.m[3 * i + 1] * m[3 + j] + b.m[3 * i + 2] * m[6 + j];
    out = result;
    return out;
}

CMatrix3& CMatrix3::Rotation2D(float radians)
{
    static CMatrix3 rotation;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    rotation = CMatrix3();
    rotation.m[0] = c;
    rotation.m[1] = -s;
    rotation.m[3] = s;
    rotation.m[4] = c;
    return rotation;
}
