// CMatrix3: a 3x3 float matrix stored row by row (element (row, column) at 3 * row + column),
// used by the 2D display transforms and the quaternion conversions.
#pragma once

#include "core/Assert.h"

struct CMatrix3 {
    float m[9] = {1.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f, 1.0f};

    float& operator()(unsigned row, unsigned column)
    {
        VESK_ASSERT(row < 3, "row < 3");
        VESK_ASSERT(column < 3, "column < 3");
        return m[3 * row + column];
    }
    float operator()(unsigned row, unsigned column) const
    {
        VESK_ASSERT(row < 3, "row < 3");
        VESK_ASSERT(column < 3, "column < 3");
        return m[3 * row + column];
    }

    // out = b x this (out may be this or b).
    CMatrix3& Multiply(CMatrix3& out, const CMatrix3& b) const;

    // Counter-clockwise rotation. The result is one shared matrix, overwritten by every call:
    // copy it or use it at once.
    static CMatrix3& Rotation2D(float radians);
};
