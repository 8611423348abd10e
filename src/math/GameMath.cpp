#include "math/GameMath.h"

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
