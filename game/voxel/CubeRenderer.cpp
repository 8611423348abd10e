// Instance buffers of the cube renderer: their release, the device notices, the per-frame clear
// and what cube meshes append to.
#include "game/voxel/CubeRenderer.h"

#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeRendererState.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"

namespace Game {

using cuberenderer::GetState;

namespace {

void Release(cuberenderer::InstanceStream& stream)
{
    cuberenderer::UploadRecords(stream);
    stream.buffer.reset();
    stream.records = CubeInstanceBuffer{nullptr, 0, 0};
}

void Lock(cuberenderer::InstanceStream& stream)
{
    // A frame that drew nothing left the buffer locked.
    cuberenderer::UploadRecords(stream);
    stream.records.count = 0;
    stream.records.data = nullptr;
    if (!stream.buffer)
        return;
    stream.records.data = static_cast<CubeInstance*>(stream.buffer->Lock(0, 0, gfx::LOCK_DISCARD));
}

} // namespace

void ReleaseCubeRenderer()
{
    Release(GetState().model);
    Release(GetState().terrain);
}

void CubeRendererDeviceLost()
{
    cuberenderer::State& state = GetState();
    if (state.released)
        return;
    ReleaseCubeRenderer();
    state.released = true;
    state.initialised = false;
}

void CubeRendererDeviceReset()
{
    cuberenderer::State& state = GetState();
    if (state.initialised)
        return;
    state.initialised = true;
    state.released = false;
    InitCubeRenderer(state.keptModelCapacity, state.keptTerrainCapacity);
}

void ClearCubeInstances()
{
    // Only the records counted this frame are drawn, so the memory is not cleared.
    Lock(GetState().model);
    Lock(GetState().terrain);
}

CubeInstanceBuffer& GetModelCubeInstances() { return GetState().model.records; }

CubeInstanceBuffer& GetTerrainCubeInstances() { return GetState().terrain.records; }

CubeDrawTarget GetCubeDrawTarget()
{
    CubeDrawTarget target;
    target.modelBuffer = &GetState().model.records;
    target.terrainBuffer = &GetState().terrain.records;
    // The renderer keeps the world matrix in column-vector form; the records want row vectors.
    Vesk::CRenderer::GetInstance().GetWorldMatrix().GetTransposed(target.world);
    if (const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
        target.frustum = &camera->GetFrustum();
    return target;
}

const CMatrix4& GetCubeLightProjection() { return GetState().lightProjection; }

const CMatrix4& GetCubeLightView() { return GetState().lightView; }

void SetCubeLightOffsetZ(float offsetZ) { GetState().lightOffsetZ = offsetZ; }

float GetCubeLightOffsetZ() { return GetState().lightOffsetZ; }

} // namespace Game
