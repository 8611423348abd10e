// CFrustum: six planes whose normals point out of the view volume, and the visibility test of a
// box against them.
#pragma once

#include "core/Assert.h"
#include "math/Plane.h"

struct CFrustum {
    CPlane planes[6];

    CPlane& operator[](unsigned i)
    {
        VESK_ASSERT(i < 6, "i < 6");
        return planes[i];
    }
    const CPlane& operator[](unsigned i) const
    {
        VESK_ASSERT(i < 6, "i < 6");
        return planes[i];
    }

    // Planes in order: the first one the box straddles accepts it, the first one it lies wholly
    // outside rejects it. Never rejects a box that touches the volume, so it may accept a few
    // that do not.
    bool Intersects(const CAABB& box) const;
};
