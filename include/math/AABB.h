// CAABB: an axis-aligned box (min and max corners) with centre and size edits, overlap, merge,
// refit after a transform and construction from points.
#pragma once

#include "math/Vector3D.h"

struct CMatrix4;

struct CAABB {
    CVector3D min;
    CVector3D max;

    CAABB() = default;
    CAABB(const CVector3D& minCorner, const CVector3D& maxCorner) : min(minCorner), max(maxCorner) {}
    // A box of the given full sizes around the centre.
    CAABB(const CVector3D& centre, float sizeX, float sizeY, float sizeZ);

    CVector3D GetCenter() const;
    void SetHalfExtents(const CVector3D& half);
    void SetCenter(const CVector3D& centre);
    // Keeps the centre; each axis' size is multiplied by the matching component.
    void Scale(const CVector3D& s);
    // Touching faces count as overlapping.
    bool Intersects(const CAABB& other) const;
    void Merge(const CAABB& other);
    // Refits the box around its eight corners transformed by m.
    void Transform(const CMatrix4& m);
    // Swaps min and max on every axis where they are inverted.
    void SortCorners();

    // The bounds of the points; with no points the box is inverted (min +max float, max -max float).
    static CAABB FromPoints(const CVector3D* points, int count);
};
