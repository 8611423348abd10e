#include "math/Ray.h"

#include <algorithm>
#include <utility>

namespace {
constexpr float kFloatMax = 3.4028235e38f;
} // namespace

bool RayIntersectAABB(const CRay& ray, const CAABB& box, float* distance)
{
    float tMin = -kFloatMax;
    float tMax = kFloatMax;
    for (unsigned axis = 0; axis < 3; ++axis) {
        const float origin = ray.origin[axis];
        const float direction = ray.direction[axis];
        if (direction == 0.0f) {
            if (origin < box.min[axis] || origin > box.max[axis])
                return false;
            continue;
        }
        float t1 = (box.min[axis] - origin) / direction;
        float t2 = (box.max[axis] - origin) / direction;
        if (t1 > t2)
            std::swap(t1, t2);
        tMin = std::max(tMin, t1);
        tMax = std::min(tMax, t2);
        if (tMax < tMin)
            return false;
    }
    if (distance)
        *distance = tMin;
    return tMin >= 0.0f;
}

bool RayHitsAABB(const CRay& ray, const CAABB& box) { return RayIntersectAABB(ray, box, nullptr); }

bool RayIntersectPlane(const CRay& ray, const CPlane& plane, float* distance)
{
    const float side = plane.SignedDistance(ray.origin);
    if (side == 0.0f) {
        if (distance)
            *distance = 0.0f;
        return true;
    }
    const float approach = plane.GetNormal().Dot(ray.direction);
    // Parallel beside the plane, or moving away from it: no hit.
    if (approach == 0.0f || (side > 0.0f && approach > 0.0f) || (side < 0.0f && approach < 0.0f))
        return false;
    if (distance)
        *distance = (-plane.d - plane.GetNormal().Dot(ray.origin)) / approach;
    return true;
}
