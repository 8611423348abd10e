#include "game/voxel/CubePose.h"

#include "math/Angles.h"

#include <cmath>

namespace Game {

CMatrix3 EulerToMatrix(float a, float b, float c)
{
    const float ra = a * kRadiansPerDegree, rb = b * kRadiansPerDegree, rc = c * kRadiansPerDegree;
    const float sA = std::sin(ra), cA = std::cos(ra);
    const float sB = std::sin(rb), cB = std::cos(rb);
    const float sC = std::sin(rc), cC = std::cos(rc);
    CMatrix3 m;
    m.m[0] = cB * cC;
    m.m[1] = sA * sB - cA * cB * sC;
    m.m[2] = sA * cB * sC + cA * sB;
    m.m[3] = sC;
    m.m[4] = cA * cC;
    m.m[5] = -sA * cC;
    m.m[6] = -sB * cC;
    m.m[7] = sA * cB + cA * sB * sC;
    m.m[8] = cA * cB - sA * sB * sC;
    return m;
}

CQuaternion QuaternionSlerp(const CQuaternion& a, CQuaternion b, float t)
{
    float cosine = a.w * b.w + a.x * b.x + a.y * b.y + a.z * b.z;
    if (cosine < 0.0f) {
        cosine = -cosine;
        b = CQuaternion(-b.w, -b.x, -b.y, -b.z);
    }
    if (std::fabs(cosine) >= 1.0f)
        return a;
    const float theta = std::acos(cosine);
    const float sine = std::sqrt(1.0f - cosine * cosine);
    if (std::fabs(sine) < 0.001f)
        return CQuaternion(0.5f * a.w + 0.5f * b.w, 0.5f * a.x + 0.5f * b.x, 0.5f * a.y + 0.5f * b.y,
                           0.5f * a.z + 0.5f * b.z);
    const float wa = std::sin((1.0f - t) * theta) / sine;
    const float wb = std::sin(t * theta) / sine;
    return CQuaternion(a.w * wa + b.w * wb, a.x * wa + b.x * wb, a.y * wa + b.y * wb, a.z * wa + b.z * wb);
}

CMatrix4 TranslationRotation(const CVector3D& t, const CMatrix3& r)
{
    CMatrix4 m;
    for (unsigned row = 0; row < 3; ++row)
        for (unsigned column = 0; column < 3; ++column)
            m.m[4 * row + column] = r.m[3 * row + column];
    m.m[3] = t.x;
    m.m[7] = t.y;
    m.m[11] = t.z;
    return m;
}

} // namespace Game
