// CQuaternion: a rotation (w, x, y, z) with conversions to and from a 3x3 rotation matrix.
#pragma once

#include "math/Matrix3.h"

struct CQuaternion {
    float w = 1.0f;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    CQuaternion() = default;
    CQuaternion(float qw, float qx, float qy, float qz) : w(qw), x(qx), y(qy), z(qz) {}

    void ToMatrix3(CMatrix3& out) const;
    void FromMatrix3(const CMatrix3& m);
    // Divides by the length; a quaternion of length at most 1e-7 (or NaN) is left unchanged.
    void Normalize();
};
