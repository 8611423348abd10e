// CMatrix4: a 4x4 float matrix stored row by row (element (row, column) at 4 * row + column),
// applied to column vectors (M x v); a world matrix keeps its translation in elements 3, 7, 11.
// Builders for axis rotations (degrees), look-at frames and translation-scale-rotation.
#pragma once

#include "core/Assert.h"
#include "math/Quaternion.h"
#include "math/Vector3D.h"

struct CMatrix4 {
    float m[16] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    float& operator()(unsigned row, unsigned column)
    {
        VESK_ASSERT(row < 4 && column < 4, "row < 4 && column < 4");
        return m[4 * row + column];
    }
    float operator()(unsigned row, unsigned column) const
    {
        VESK_ASSERT(row < 4 && column < 4, "row < 4 && column < 4");
        return m[4 * row + column];
    }

    // out = this x b (out may be this or b).
    CMatrix4& Multiply(CMatrix4& out, const CMatrix4& b) const;
    // out = this x v (out must not alias v).
    float* TransformVector4(float out[4], const float v[4]) const;

    void Transpose();
    CMatrix4& GetTransposed(CMatrix4& out) const;
    // The 16 values given column by column.
    void FromColumns(const float columns[16]);
    // In place by cofactors. A singular matrix (|determinant| < 1e-12) is left unchanged and the
    // result is false.
    bool Inverse();

    // Axis rotations by an angle in degrees (this matrix is overwritten).
    void RotationX(float degrees);
    void RotationY(float degrees);
    void RotationZ(float degrees);

    // Left-handed view: rows right, up and forward (target - eye), each with its -axis·eye.
    void ViewLookAt(const CVector3D& eye, const CVector3D& target, const CVector3D& up);
    // Object frame at the position: columns right, up, forward and the position. Forward points
    // towards the target, or away from it when towardsTarget is false.
    void ObjectLookAt(const CVector3D& position, const CVector3D& target, const CVector3D& up, bool towardsTarget);
    void ObjectLookAlong(const CVector3D& position, const CVector3D& direction, const CVector3D& up,
                         bool towardsTarget);
    // Rotation rows scaled by the scale's components, then the translation.
    void Compose(const CVector3D& translation, const CVector3D& scale, const CQuaternion& rotation);
};

CMatrix4& TransposeMatrix4(CMatrix4& out, CMatrix4 m);
