// Small game helpers on the math types: the countdown timer rule shared by every timer and the
// placement of an offset given relative to a facing direction.
#pragma once

#include "math/Vector3D.h"

// Counts *timer down by dt. True when the timer was already at or below 0 (or NaN) or drops
// below 0 now; the timer is then left at 0. Landing exactly on 0 answers false once.
bool CountDown(float* timer, float dt);

// The vector turned by the angle (radians) about the world up axis, as CMatrix4::RotationY turns.
CVector3D RotatedAboutUp(const CVector3D& v, float radians);

// offset = (forward, height, right) relative to the facing, with up = +y.
CVector3D& FacingOffsetToWorld(CVector3D& out, const CVector3D& facing, const CVector3D& offset);
