// CPlane: the plane n·p + d = 0, with its normal and offset, and the plane-box classification
// used by the frustum and picking.
#pragma once

#include "math/Vector3D.h"

struct CAABB;
struct CMatrix4;

struct CPlane {
    float nx = 0.0f;
    float ny = 0.0f;
    float nz = 0.0f;
    float d = 0.0f;

    CPlane() = default;
    CPlane(float a, float b, float c, float offset) : nx(a), ny(b), nz(c), d(offset) {}

    CVector3D GetNormal() const { return CVector3D(nx, ny, nz); }
    float SignedDistance(const CVector3D& p) const { return nx * p.x + ny * p.y + nz * p.z + d; }

    void FromNormalAndPoint(const CVector3D& normal, const CVector3D& point);
    // Scales to a unit normal; a zero normal leaves the plane unchanged.
    void Normalize();
    // Moves the plane by the matrix (inverse transpose), then normalises it. A singular matrix
    // leaves the plane unchanged.
    void Transform(const CMatrix4& m);

    enum { kInFront = 0, kBehind = 1, kStraddling = 2 };
    // kStraddling when the box touches or crosses the plane, kInFront when it lies wholly on the
    // side the normal points to, kBehind otherwise.
    int ClassifyAABB(const CAABB& box) const;
};

bool PlaneIntersectsAABB(const CPlane& plane, const CAABB& box);
