// Shatter debris shared by every cube animation controller: the per-submesh state of its flying
// cubes and the process-wide gravity they fall under. The controller's Shatter, UpdateDebris and
// ResetShatter run the effect; the level's height map (CubeHeightMap.h) is what they bounce on.
#pragma once

#include "math/Matrix4.h"
#include "math/Vector3D.h"

#include <vector>

namespace Game {

struct CubeDebrisState {
    std::vector<CVector3D> positions;  // world positions of the flying cubes
    std::vector<CVector3D> velocities; // world units per second
    CMatrix4 matrix;                   // the rotation of the world matrix at the burst, row-vector form
    std::vector<float> fades;          // brightness, 1.0 down to 0.0
    bool active = false;
};

// Initially (0, -25, 0).
void SetCubeDebrisGravity(float x, float y, float z);
CVector3D GetCubeDebrisGravity();

} // namespace Game
