#include "math/Frustum.h"

#include "math/AABB.h"

bool CFrustum::Intersects(const CAABB& box) const
{
    for (const CPlane& plane : planes) {
        const int side = plane.ClassifyAABB(box);
        if (side == CPlane::kStraddling)
            return true;
        if (side == CPlane::kInFront)
            return false;
    }
    return true;
}
