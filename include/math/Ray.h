// CRay (origin and direction, as built by camera picking) and its intersection with boxes and
// planes.
#pragma once

#include "math/AABB.h"
#include "math/Plane.h"
#include "math/Vector3D.h"

struct CRay {
    CVector3D origin;
    CVector3D direction;

    CRay() = default;
    CRay(const CVector3D& from, const CVector3D& towards) : origin(from), direction(towards) {}
};

// Slab test. True when the ray enters the box at a distance >= 0 (stored in *distance when not
// null); a ray starting inside the box reports false.
bool RayIntersectAABB(const CRay& ray, const CAABB& box, float* distance);
bool RayHitsAABB(const CRay& ray, const CAABB& box);
// True with the distance along the direction (in units of its length) to the plane; an origin
// on the plane gives 0. False when the ray moves away from the plane or runs parallel beside it.
bool RayIntersectPlane(const CRay& ray, const CPlane& plane, float* distance);
