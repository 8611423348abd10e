// CVector3D: the engine's 3-component float vector with the usual arithmetic, dot and cross
// products, length and a normalisation that leaves near-zero vectors unchanged.
#pragma once

#include "core/Assert.h"

#include <istream>

struct CVector3D {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    CVector3D() = default;
    CVector3D(float vx, float vy, float vz) : x(vx), y(vy), z(vz) {}

    float& operator[](unsigned i)
    {
        VESK_ASSERT(i < 3, "i < 3");
        return (&x)[i];
    }
    float operator[](unsigned i) const
    {
        VESK_ASSERT(i < 3, "i < 3");
        return (&x)[i];
    }

    CVector3D operator+(const CVector3D& o) const { return CVector3D(x + o.x, y + o.y, z + o.z); }
    CVector3D operator-(const CVector3D& o) const { return CVector3D(x - o.x, y - o.y, z - o.z); }
    CVector3D operator-() const { return CVector3D(-x, -y, -z); }
    CVector3D operator*(float s) const { return CVector3D(x * s, y * s, z * s); }
    CVector3D operator/(float s) const
    {
        VESK_ASSERT(s != 0.0, "scalar != 0.0");
        return CVector3D(x / s, y / s, z / s);
    }
    CVector3D& operator+=(const CVector3D& o) { return *this = *this + o; }
    CVector3D& operator-=(const CVector3D& o) { return *this = *this - o; }
    CVector3D& operator*=(float s) { return *this = *this * s; }
    CVector3D& operator/=(float s) { return *this = *this / s; }

    float Dot(const CVector3D& o) const { return x * o.x + y * o.y + z * o.z; }
    CVector3D Cross(const CVector3D& o) const
    {
        return CVector3D(y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x);
    }

    float Length() const;
    // In place; a vector of length at most 1e-7 (or NaN) is left unchanged.
    void Normalize();
    CVector3D GetNormalized() const;
};

inline CVector3D operator*(float s, const CVector3D& v) { return v * s; }

inline float DistanceSquared(const CVector3D& a, const CVector3D& b)
{
    const CVector3D d = a - b;
    return d.Dot(d);
}

// Reads "x,y,z" (any single separator character between the numbers).
std::istream& ReadVector3D(std::istream& in, CVector3D& v);
