// A rectangle in screen fractions (left, top, right, bottom), used for the hit tests of 2D
// objects: moved by its centre, sized by its half extents, containing its own edges.
#pragma once

namespace Vesk {

struct CPoint2D {
    float x = 0.0f, y = 0.0f;
};

struct CRect2D {
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;

    // Keeps the half sizes and moves the centre to the point.
    void SetCentre(const CPoint2D& point)
    {
        const float halfX = (right - left) * 0.5f, halfY = (bottom - top) * 0.5f;
        left = point.x - halfX;
        right = point.x + halfX;
        top = point.y - halfY;
        bottom = point.y + halfY;
    }
    // Keeps the centre and sets the half sizes.
    void SetHalfSize(const CPoint2D& half)
    {
        const float centreX = left + (right - left) * 0.5f, centreY = top + (bottom - top) * 0.5f;
        left = centreX - half.x;
        right = centreX + half.x;
        top = centreY - half.y;
        bottom = centreY + half.y;
    }
    // Bounds inclusive.
    bool Contains(const CPoint2D& point) const
    {
        return left <= point.x && point.x <= right && top <= point.y && point.y <= bottom;
    }
};

} // namespace Vesk
