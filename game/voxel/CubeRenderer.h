// The instanced cube renderer: every visible cube of every voxel-cube model is drawn by one
// instanced draw per instance buffer and effect pass. Cube meshes append their records to the
// two buffers held here (model cubes and terrain cubes) while the scene is walked; the renderer
// clears them each frame (scene pre-draw hook), draws the model cubes into the shadow map
// (renderer pre-scene callback) and finally draws both buffers (scene post-draw hook): model
// cubes with the material "voxelshading", terrain cubes with "voxelterrainshading", which samples
// the shadow map. Free functions over module state; main thread only.
#pragma once

#include "game/voxel/CubeInstance.h"

#include "math/Matrix4.h"

namespace Game {

struct CubeDrawTarget;

// The draw bucket of scene nodes that show cube meshes: the meshes append their records only
// while the buffers are open, which is during the early (negative) buckets.
constexpr int kCubeMeshBucket = -1;

// Installs the pre-scene callback, makes the buffers of the given capacities and finds the unit
// cube mesh "cube"; false without that mesh (the scene hooks are then not installed and nothing
// is drawn). The capacities of the first success are kept for device resets.
bool InitCubeRenderer(int modelCapacity, int terrainCapacity);
// Releases both instance buffers (at shutdown and on a lost device).
void ReleaseCubeRenderer();
// Lost and reset notices of the cube meshes: the first lost notice releases the buffers, the
// first reset notice after it makes them again with the kept capacities.
void CubeRendererDeviceLost();
void CubeRendererDeviceReset();

// Scene pre-draw hook: empties both buffers and locks them for this frame's records.
void ClearCubeInstances();
// Renderer pre-scene callback: the model cubes into the render target "shadow", seen from a
// light above and behind the current camera.
void RenderCubeShadowMap();
// Scene post-draw hook: model cubes, then terrain cubes with the shadow map.
void RenderCubes();
// One instanced draw of a buffer, inside an effect pass.
void DrawModelCubeInstances();
void DrawTerrainCubeInstances();

CubeInstanceBuffer& GetModelCubeInstances();
CubeInstanceBuffer& GetTerrainCubeInstances();
// What a cube mesh drawn now appends to: both buffers, the renderer's world matrix and the
// current camera's frustum.
CubeDrawTarget GetCubeDrawTarget();

// The light's projection and view of the last shadow pass; the view maps points from the
// camera's view space into the light's.
const CMatrix4& GetCubeLightProjection();
const CMatrix4& GetCubeLightView();

// The light rule of the level on show: how far along z the shadow light sits from the current
// camera. The level sets it as it loads and puts back kDefaultCubeLightOffsetZ as it goes; the
// value is kept until set again.
constexpr float kDefaultCubeLightOffsetZ = 60.0f;
void SetCubeLightOffsetZ(float offsetZ);
float GetCubeLightOffsetZ();

} // namespace Game
