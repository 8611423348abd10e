#include "math/Vector3D.h"

#include <cmath>

float CVector3D::Length() const { return std::sqrt(x * x + y * y + z * z); }

void CVector3D::Normalize()
{
    const float length = Length();
    if (!(length > 1e-7f))
        return;
    *this *= 1.0f / length;
}

CVector3D CVector3D::GetNormalized() const
{
    CVector3D copy = *this;
    copy.Normalize();
    return copy;
}

std::istream& ReadVector3D(std::istream& in, CVector3D& v)
{
    in >> v.x;
    in.get();
    in >> v.y;
    in.get();
    in >> v.z;
    return in;
}
