#include "math/AABB.h"

#include "math/Matrix4.h"

#include <algorithm>
#include <utility>

namespace {
constexpr float kFloatMax = 3.4028235e38f;
} // namespace

CAABB::CAABB(const CVector3D& centre, float sizeX, float sizeY, float sizeZ)
{
    const CVector3D half(sizeX / 2.0f, sizeY / 2.0f, sizeZ / 2.0f);
    min = centre - half;
    max = centre + half;
}

CVector3D CAABB::GetCenter() const { return max - (max - min) * 0.5f; }

void CAABB::SetHalfExtents(const CVector3D& half)
{
    const CVector3D centre = GetCenter();
    min = centre - half;
    max = centre + half;
}

void CAABB::SetCenter(const CVector3D& centre)
{
    const CVector3D half = (max - min) * 0.5f;
    min = centre - half;
    max = centre + half;
}

void CAABB::Scale(const CVector3D& s)
{
    const CVector3D half = (max - min) * 0.5f;
    SetHalfExtents(CVector3D(half.x * s.x, half.y * s.y, half.z * s.z));
}

bool CAABB::Intersects(const CAABB& other) const
{
    for (unsigned axis = 0; axis < 3; ++axis)
        if (other.min[axis] > max[axis] || min[axis] > other.max[axis])
            return false;
    return true;
}

void CAABB::Merge(const CAABB& other)
{
    for (unsigned axis = 0; axis < 3; ++axis) {
        min[axis] = std::min(min[axis], other.min[axis]);
        max[axis] = std::max(max[axis], other.max[axis]);
    }
}

void CAABB::Transform(const CMatrix4& m)
{
    CVector3D corners[8];
    for (unsigned i = 0; i < 8; ++i) {
        const float corner[4] = {(i & 1) ? max.x : min.x, (i & 2) ? max.y : min.y, (i & 4) ? max.z : min.z, 1.0f};
        float moved[4];
        m.TransformVector4(moved, corner);
        corners[i] = CVector3D(moved[0], moved[1], moved[2]);
    }
    *this = FromPoints(corners, 8);
}

void CAABB::SortCorners()
{
    for (unsigned axis = 0; axis < 3; ++axis)
        if (max[axis] < min[axis])
            std::swap(min[axis], max[axis]);
}

CAABB CAABB::FromPoints(const CVector3D* points, int count)
{
    CAABB box(CVector3D(kFloatMax, kFloatMax, kFloatMax), CVector3D(-kFloatMax, -kFloatMax, -kFloatMax));
    for (int i = 0; i < count; ++i)
        for (unsigned axis = 0; axis < 3; ++axis) {
            box.min[axis] = std::min(box.min[axis], points[i][axis]);
            box.max[axis] = std::max(box.max[axis], points[i][axis]);
        }
    return box;
}
