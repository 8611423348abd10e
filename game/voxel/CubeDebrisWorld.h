// The process-wide world shatter debris falls in: its gravity and the level's height map, shared
// by every cube animation controller and replaced by SetCubeDebrisGravity and LoadHeightMap.
#pragma once

#include "game/voxel/CubeHeightMap.h"

#include "core/CSingleton.h"
#include "math/Vector3D.h"

namespace Game {

class CCubeDebrisWorld : public Vesk::CSingleton<CCubeDebrisWorld> {
public:
    CVector3D m_Gravity = CVector3D(0.0f, -25.0f, 0.0f);
    CubeHeightMap m_HeightMap;
};

} // namespace Game
