#include "math/GameMath.h"

#include "math/Matrix4.h"

bool CountDown(float* timer, float dt)
{
    if (!(*timer > 0.0f)) {
        *timer = 0.0f;
        return true;
    }
    *timer -= dt;
    if (*timer < 0.0f) {
        *timer = 0.0f;
        return true;
    }
    return false;
}

CVector3D& FacingOffsetToWorld(CVector3D& out, const CVector3D& facing, const CVector3D& offset)
{
    const CVector3D forward = facing.GetNormalized();
    const CVector3D up(0.0f, 1.0f, 0.0f);
    const CVector3D side(forward.z, 0.0f, -forward.x);
    out = forward * offset.x + up * offset.y + side * offset.z;
    return out;
}

CVector3D RotatedAboutUp(const CVector3D& v, float radians)
{
    CMatrix4 rotation;
    constexpr float kDegreesPerRadian = 57.29577951308232f;
    rotation.RotationY(radians * kDegreesPerRadian);
    const float in[4] = {v.x, v.y, v.z, 0.0f};
    float out[4];
    rotation.TransformVector4(out, in);
    return CVector3D(out[0], out[1], out[2]);
}
