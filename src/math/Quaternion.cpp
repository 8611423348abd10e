#include "math/Quaternion.h"

#include <cmath>

void CQuaternion::ToMatrix3(CMatrix3& out) const
{
    out.m[0] = 1.0f - 2.0f * (y * y + z * z);
    out.m[1] = 2.0f * (x * y - w * z);
    out.m[2] = 2.0f * (x * z + w * y);
    out.m[3] = 2.0f * (x * y + w * z);
    out.m[4] = 1.0f - 2.0f * (x * x + z * z);
    out.m[5] = 2.0f * (y * z - w * x);
    out.m[6] = 2.0f * (x * z - w * y);
    out.m[7] = 2.0f * (y * z + w * x);
    out.m[8] = 1.0f - 2.0f * (x * x + y * y);
}

void CQuaternion::FromMatrix3(const CMatrix3& m)
{
    const float trace = m(0, 0) + m(1, 1) + m(2, 2);
    if (trace > 0.0f) {
        float s = std::sqrt(trace + 1.0f);
        w = s * 0.5f;
        s = 0.5f / s;
        x = (m(2, 1) - m(1, 2)) * s;
        y = (m(0, 2) - m(2, 0)) * s;
        z = (m(1, 0) - m(0, 1)) * s;
        return;
    }
    // Start from the largest diagonal element to keep the square root well away from zero.
    unsigned i = m(0, 0) < m(1, 1) ? 1 : 0;
    if (m(i, i) < m(2, 2))
        i = 2;
    const unsigned j = (i + 1) % 3;
    const unsigned k = (j + 1) % 3;
    float* const xyz[3] = {&x, &y, &z};
    float s = std::sqrt(m(i, i) - m(j, j) - m(k, k) + 1.0f);
    *xyz[i] = s * 0.5f;
    s = 0.5f / s;
    w = (m(k, j) - m(j, k)) * s;
    *xyz[j] = (m(j, i) + m(i, j)) * s;
    *xyz[k] = (m(k, i) + m(i, k)) * s;
}

void CQuaternion::Normalize()
{
    const float length = std::sqrt(w * w + x * x + y * y + z * z);
    if (!(length > 1e-7f))
        return;
    w /= length;
    x /= length;
    y /= length;
    z /= length;
}
