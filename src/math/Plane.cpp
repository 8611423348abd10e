#include "math/Plane.h"

#include "math/AABB.h"
#include "math/Matrix4.h"

#include <cmath>

void CPlane::FromNormalAndPoint(const CVector3D& normal, const CVector3D& point)
{
    const CVector3D n = normal.GetNormalized();
    nx = n.x;
    ny = n.y;
    nz = n.z;
    d = -n.Dot(point);
}

void CPlane::Normalize()
{
    const float length = GetNormal().Length();
    if (length == 0.0f)
        return;
    const float inverse = 1.0f / length;
    d /= length;
    nx *= inverse;
    ny *= inverse;
    nz *= inverse;
}

void CPlane::Transform(const CMatrix4& m)
{
    CMatrix4 inverseTranspose;
    m.GetTransposed(inverseTranspose);
    if (!inverseTranspose.Inverse())
        return;
    const float plane[4] = {nx, ny, nz, d};
    float moved[4];
    inverseTranspose.TransformVector4(moved, plane);
    *this = CPlane(moved[0], moved[1], moved[2], moved[3]);
    Normalize();
}

int CPlane::ClassifyAABB(const CAABB& box) const
{
    const CVector3D centre = box.GetCenter();
    const CVector3D half = (box.max - box.min) * 0.5f;
    const float radius = std::fabs(nx) * half.x + std::fabs(ny) * half.y + std::fabs(nz) * half.z;
    const float distance = SignedDistance(centre);
    if (std::fabs(distance) <= radius)
        return kStraddling;
    if (distance > radius)
        return kInFront;
    return kBehind;
}

bool PlaneIntersectsAABB(const CPlane& plane, const CAABB& box)
{
    return plane.ClassifyAABB(box) == CPlane::kStraddling;
}
