// Pose arithmetic of voxel-cube animation: keyframe angles to a rotation matrix, quaternion slerp
// and the 4x4 matrices of a submesh's translation and rotation.
#pragma once

#include "math/Matrix3.h"
#include "math/Matrix4.h"
#include "math/Quaternion.h"
#include "math/Vector3D.h"

namespace Game {

// The rotation of three angles in degrees, as keyframe orientations give them.
CMatrix3 EulerToMatrix(float a, float b, float c);

CQuaternion QuaternionSlerp(const CQuaternion& a, CQuaternion b, float t);

// Translation by t times the rotation r (r in the upper-left 3x3, t in the last column).
CMatrix4 TranslationRotation(const CVector3D& t, const CMatrix3& r);

} // namespace Game
