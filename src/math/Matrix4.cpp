#include "math/Matrix4.h"

#include "math/Angles.h"

#include <cmath>
#include <utility>

namespace {

void SetRows(CMatrix4& out, const CVector3D& row0, float w0, const CVector3D& row1, float w1, const CVector3D& row2,
             float w2)
{
    const float values[16] = {row0.x, row0.y, row0.z, w0, row1.x, row1.y, row1.z, w1,
                              row2.x, row2.y, row2.z, w2, 0.0f,   0.0f,   0.0f,   1.0f};
    for (unsigned i = 0; i < 16; ++i)
        out.m[i] = values[i];
}

// The frame's axes and position become the columns of the upper 3x4 part.
void SetColumns(CMatrix4& out, const CVector3D& c0, const CVector3D& c1, const CVector3D& c2, const CVector3D& p)
{
    SetRows(out, CVector3D(c0.x, c1.x, c2.x), p.x, CVector3D(c0.y, c1.y, c2.y), p.y, CVector3D(c0.z, c1.z, c2.z), p.z);
}

} // namespace

CMatrix4& CMatrix4::Multiply(CMatrix4& out, const CMatrix4& b) const
{
    CMatrix4 result;
    for (unsigned i = 0; i < 4; ++i)
        for (unsigned j = 0; j < 4; ++j)
            result.m[4 * i + j] =
                m[4 * i] * b.m[j] + m[4 * i + 1] * b.m[4 + j] + m[4 * i + 2] * b.m[8 + j] + m[4 * i + 3] * b.m[12 + j];
    out = result;
    return out;
}

float* CMatrix4::TransformVector4(float out[4], const float v[4]) const
{
    for (unsigned i = 0; i < 4; ++i)
        out[i] = m[4 * i] * v[0] + m[4 * i + 1] * v[1] + m[4 * i + 2] * v[2] + m[4 * i + 3] * v[3];
    return out;
}

void CMatrix4::Transpose()
{
    for (unsigned row = 0; row < 4; ++row)
        for (unsigned column = row + 1; column < 4; ++column)
            std::swap(m[4 * row + column], m[4 * column + row]);
}

CMatrix4& CMatrix4::GetTransposed(CMatrix4& out) const { return TransposeMatrix4(out, *this); }

CMatrix4& TransposeMatrix4(CMatrix4& out, CMatrix4 m)
{
    m.Transpose();
    out = m;
    return out;
}

void CMatrix4::FromColumns(const float columns[16])
{
    for (unsigned column = 0; column < 4; ++column)
        for (unsigned row = 0; row < 4; ++row)
            m[4 * row + column] = columns[4 * column + row];
}

bool CMatrix4::Inverse()
{
    // Cofactors in double: the adjugate's entries, then one division by the determinant.
    double a[16];
    for (unsigned i = 0; i < 16; ++i)
        a[i] = m[i];
    double inv[16];
    inv[0] = a[5] * a[10] * a[15] - a[5] * a[11] * a[14] - a[9] * a[6] * a[15] + a[9] * a[7] * a[14] +
             a[13] * a[6] * a[11] - a[13] * a[7] * a[10];
    inv[4] = -a[4] * a[10] * a[15] + a[4] * a[11] * a[14] + a[8] * a[6] * a[15] - a[8] * a[7] * a[14] -
             a[12] * a[6] * a[11] + a[12] * a[7] * a[10];
    inv[8] = a[4] * a[9] * a[15] - a[4] * a[11] * a[13] - a[8] * a[5] * a[15] + a[8] * a[7] * a[13] +
             a[12] * a[5] * a[11] - a[12] * a[7] * a[9];
    inv[12] = -a[4] * a[9] * a[14] + a[4] * a[10] * a[13] + a[8] * a[5] * a[14] - a[8] * a[6] * a[13] -
              a[12] * a[5] * a[10] + a[12] * a[6] * a[9];
    inv[1] = -a[1] * a[10] * a[15] + a[1] * a[11] * a[14] + a[9] * a[2] * a[15] - a[9] * a[3] * a[14] -
             a[13] * a[2] * a[11] + a[13] * a[3] * a[10];
    inv[5] = a[0] * a[10] * a[15] - a[0] * a[11] * a[14] - a[8] * a[2] * a[15] + a[8] * a[3] * a[14] +
             a[12] * a[2] * a[11] - a[12] * a[3] * a[10];
    inv[9] = -a[0] * a[9] * a[15] + a[0] * a[11] * a[13] + a[8] * a[1] * a[15] - a[8] * a[3] * a[13] -
             a[12] * a[1] * a[11] + a[12] * a[3] * a[9];
    inv[13] = a[0] * a[9] * a[14] - a[0] * a[10] * a[13] - a[8] * a[1] * a[14] + a[8] * a[2] * a[13] +
              a[12] * a[1] * a[10] - a[12] * a[2] * a[9];
    inv[2] = a[1] * a[6] * a[15] - a[1] * a[7] * a[14] - a[5] * a[2] * a[15] + a[5] * a[3] * a[14] +
             a[13] * a[2] * a[7] - a[13] * a[3] * a[6];
    inv[6] = -a[0] * a[6] * a[15] + a[0] * a[7] * a[14] + a[4] * a[2] * a[15] - a[4] * a[3] * a[14] -
             a[12] * a[2] * a[7] + a[12] * a[3] * a[6];
    inv[10] = a[0] * a[5] * a[15] - a[0] * a[7] * a[13] - a[4] * a[1] * a[15] + a[4] * a[3] * a[13] +
              a[12] * a[1] * a[7] - a[12] * a[3] * a[5];
    inv[14] = -a[0] * a[5] * a[14] + a[0] * a[6] * a[13] + a[4] * a[1] * a[14] - a[4] * a[2] * a[13] -
              a[12] * a[1] * a[6] + a[12] * a[2] * a[5];
    inv[3] = -a[1] * a[6] * a[11] + a[1] * a[7] * a[10] + a[5] * a[2] * a[11] - a[5] * a[3] * a[10] -
             a[9] * a[2] * a[7] + a[9] * a[3] * a[6];
    inv[7] = a[0] * a[6] * a[11] - a[0] * a[7] * a[10] - a[4] * a[2] * a[11] + a[4] * a[3] * a[10] +
             a[8] * a[2] * a[7] - a[8] * a[3] * a[6];
    inv[11] = -a[0] * a[5] * a[11] + a[0] * a[7] * a[9] + a[4] * a[1] * a[11] - a[4] * a[3] * a[9] -
              a[8] * a[1] * a[7] + a[8] * a[3] * a[5];
    inv[15] = a[0] * a[5] * a[10] - a[0] * a[6] * a[9] - a[4] * a[1] * a[10] + a[4] * a[2] * a[9] + a[8] * a[1] * a[6] -
              a[8] * a[2] * a[5];

    const double determinant = a[0] * inv[0] + a[1] * inv[4] + a[2] * inv[8] + a[3] * inv[12];
    if (!(std::fabs(determinant) >= 1e-12))
        return false;
    const double scale = 1.0 / determinant;
    for (unsigned i = 0; i < 16; ++i)
        m[i] = static_cast<float>(inv[i] * scale);
    return true;
}

void CMatrix4::RotationX(float degrees)
{
    const float radians = CDegree(degrees).ToRadian().x;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    SetRows(*this, CVector3D(1, 0, 0), 0, CVector3D(0, c, s), 0, CVector3D(0, -s, c), 0);
}

void CMatrix4::RotationY(float degrees)
{
    const float radians = CDegree(degrees).ToRadian().x;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    SetRows(*this, CVector3D(c, 0, -s), 0, CVector3D(0, 1, 0), 0, CVector3D(s, 0, c), 0);
}

void CMatrix4::RotationZ(float degrees)
{
    const float radians = CDegree(degrees).ToRadian().x;
    const float c = std::cos(radians);
    const float s = std::sin(radians);
    SetRows(*this, CVector3D(c, s, 0), 0, CVector3D(-s, c, 0), 0, CVector3D(0, 0, 1), 0);
}

void CMatrix4::ViewLookAt(const CVector3D& eye, const CVector3D& target, const CVector3D& up)
{
    const CVector3D forward = (target - eye).GetNormalized();
    const CVector3D right = up.Cross(forward).GetNormalized();
    const CVector3D newUp = forward.Cross(right);
    SetRows(*this, right, -right.Dot(eye), newUp, -newUp.Dot(eye), forward, -forward.Dot(eye));
}

void CMatrix4::ObjectLookAt(const CVector3D& position, const CVector3D& target, const CVector3D& up, bool towardsTarget)
{
    const CVector3D forward = (towardsTarget ? target - position : position - target).GetNormalized();
    const CVector3D right = (towardsTarget ? up.Cross(forward) : forward.Cross(up)).GetNormalized();
    const CVector3D newUp = towardsTarget ? forward.Cross(right) : right.Cross(forward);
    SetColumns(*this, right, newUp, forward, position);
}

void CMatrix4::ObjectLookAlong(const CVector3D& position, const CVector3D& direction, const CVector3D& up,
                               bool towardsTarget)
{
    ObjectLookAt(position, position + direction, up, towardsTarget);
}

void CMatrix4::Compose(const CVector3D& translation, const CVector3D& scale, const CQuaternion& rotation)
{
    CMatrix3 r;
    rotation.ToMatrix3(r);
    const CVector3D row0 = CVector3D(r.m[0], r.m[1], r.m[2]) * scale.x;
    const CVector3D row1 = CVector3D(r.m[3], r.m[4], r.m[5]) * scale.y;
    const CVector3D row2 = CVector3D(r.m[6], r.m[7], r.m[8]) * scale.z;
    SetRows(*this, row0, translation.x, row1, translation.y, row2, translation.z);
}
