// The cube renderer's set-up and passes: the instanced draw of a buffer, the shadow pass seen
// from the light, and the final draw of model and terrain cubes.
#include "game/voxel/CubeRenderer.h"

#include "game/voxel/CubeRendererState.h"

#include "core/Log.h"
#include "platform/gfx/Device.h"
#include "platform/gfx/Mesh.h"
#include "render/CCamera.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/IEffect.h"
#include "resources/Primitives.h"
#include "scene/CSceneGraph.h"

#include <climits>

namespace Game {

using cuberenderer::GetState;
using cuberenderer::InstanceStream;

namespace {

// Stream 0: the unit cube's positions and normals; stream 1: one CubeInstance per cube.
std::vector<gfx::VertexElement> CubeElements()
{
    using gfx::DeclType;
    using gfx::DeclUsage;
    return {
        {0, 0, DeclType::Float3, DeclUsage::Position, 0},  {0, 12, DeclType::Float3, DeclUsage::Normal, 0},
        {1, 0, DeclType::Float3, DeclUsage::TexCoord, 1},  {1, 12, DeclType::Float3, DeclUsage::TexCoord, 2},
        {1, 24, DeclType::Float4, DeclUsage::TexCoord, 3}, {1, 40, DeclType::Float4, DeclUsage::TexCoord, 4},
        {1, 56, DeclType::Float4, DeclUsage::TexCoord, 5}, {1, 72, DeclType::Float4, DeclUsage::TexCoord, 6},
        {1, 88, DeclType::Float4, DeclUsage::TexCoord, 7},
    };
}

void CreateStream(InstanceStream& stream, gfx::Device* device, int capacity)
{
    if (!stream.declaration)
        stream.declaration = std::make_unique<gfx::VertexDeclaration>(CubeElements());
    stream.buffer.reset();
    stream.records = CubeInstanceBuffer{nullptr, 0, 0};
    if (!device || capacity <= 0 || capacity > INT_MAX / static_cast<int>(sizeof(CubeInstance)))
        return;
    stream.buffer = gfx::VertexBuffer::Create(*device, static_cast<unsigned>(capacity) * sizeof(CubeInstance), true);
    if (stream.buffer)
        stream.records.capacity = capacity;
}

// The unit cube of the resource manager, looked up in its cache each time: the cache may be
// emptied (at shutdown) while the renderer's state lives on.
const gfx::Mesh* UnitCube()
{
    const Vesk::CDXCubeMesh* cube = Vesk::CResManager<Vesk::CDXCubeMesh>::GetInstance().Find("cube");
    return cube ? cube->GetMesh() : nullptr;
}

void DrawInstances(InstanceStream& stream)
{
    cuberenderer::UploadRecords(stream);
    // Records cannot be added once the buffer has gone to the GPU.
    stream.records.data = nullptr;
    const int count = stream.records.count;
    gfx::Device* device = Vesk::CRenderer::GetInstance().GetDevice();
    const gfx::Mesh* cube = UnitCube();
    if (count == 0 || !device || !cube || !stream.buffer)
        return;
    const gfx::VertexDeclaration& declaration = *stream.declaration;
    device->SetVertexDeclaration(declaration);
    device->SetStreamSource(0, cube->GetVertexBuffer(), 0, declaration.VertexSize(0));
    device->SetStreamSourceFreq(0, gfx::STREAMSOURCE_INDEXEDDATA | static_cast<uint32_t>(count));
    device->SetIndices(cube->GetIndexBuffer());
    device->SetStreamSource(1, stream.buffer.get(), 0, declaration.VertexSize(1));
    device->SetStreamSourceFreq(1, gfx::STREAMSOURCE_INSTANCEDATA | 1u);
    device->DrawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, cube->GetNumVertices(), 0,
                                 cube->GetNumFaces());
    device->SetStreamSourceFreq(0, 1);
    device->SetStreamSourceFreq(1, 1);
}

// Binds the material, applies it with the identity world matrix and runs every pass of its
// effect's technique "Default", drawing once per pass. Nothing without the material or effect.
template <typename BeforePasses, typename Draw>
void RunMaterial(const char* name, BeforePasses beforePasses, Draw draw)
{
    Vesk::CDXMaterial* material = Vesk::CResManager<Vesk::CDXMaterial>::GetOrDefault(name);
    if (!material)
        return;
    material->Bind();
    material->Apply(CMatrix4(), true);
    Vesk::IEffect* effect = material->GetEffect();
    if (!effect)
        return;
    beforePasses(*effect);
    effect->SetTechnique("Default");
    unsigned passes = 0;
    effect->Begin(&passes);
    for (unsigned pass = 0; pass < passes; ++pass) {
        effect->BeginPass(pass);
        draw();
        effect->EndPass();
    }
    effect->End();
}

CMatrix4 ColumnForm(const gfx::Matrix& direct3D)
{
    CMatrix4 m;
    for (unsigned i = 0; i < 16; ++i)
        m.m[i] = direct3D.m[i];
    m.Transpose();
    return m;
}

// The camera the shadow pass looks from. It is the renderer's own, so that moving it never moves
// a camera of the game (the current camera may well be "default").
Vesk::CCamera& LightCamera()
{
    static Vesk::CCamera camera;
    return camera;
}

} // namespace

bool InitCubeRenderer(int modelCapacity, int terrainCapacity)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    renderer.SetPreSceneCallback(&RenderCubeShadowMap);
    cuberenderer::State& state = GetState();
    CreateStream(state.model, renderer.GetDevice(), modelCapacity);
    CreateStream(state.terrain, renderer.GetDevice(), terrainCapacity);
    if (!UnitCube() && !dynamic_cast<Vesk::CDXCubeMesh*>(Vesk::CResourceManager::GetInstance().LoadMesh("cube"))) {
        Vesk::LogLine("CubeRenderer: no unit cube mesh \"cube\"; voxel models will not be drawn");
        return false;
    }
    state.keptModelCapacity = modelCapacity;
    state.keptTerrainCapacity = terrainCapacity;
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    scene.m_PreDrawHook = &ClearCubeInstances;
    scene.m_PostDrawHook = &RenderCubes;
    return true;
}

void DrawModelCubeInstances() { DrawInstances(GetState().model); }

void DrawTerrainCubeInstances() { DrawInstances(GetState().terrain); }

void RenderCubeShadowMap()
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const gfx::Matrix savedView = renderer.GetViewMatrix();
    const gfx::Matrix savedProjection = renderer.GetProjectionMatrix();
    cuberenderer::State& state = GetState();

    // The light: 120 above the current camera and moved along z by the level's light rule,
    // looking at what the camera looks at.
    if (const Vesk::CCamera* current = Vesk::CCameraManager::GetInstance().GetCurrentCamera()) {
        Vesk::CCamera& light = LightCamera();
        light.SetEye(current->GetEye() + CVector3D(0.0f, 120.0f, state.lightOffsetZ));
        light.SetLookAt(current->GetLookAt());
        light.Reset();
        light.Update(0.0f);
        CMatrix4 cameraViewInverse = ColumnForm(savedView);
        cameraViewInverse.Inverse();
        state.lightProjection = ColumnForm(renderer.GetProjectionMatrix());
        ColumnForm(renderer.GetViewMatrix()).Multiply(state.lightView, cameraViewInverse);
    }

    Vesk::CDXRenderTarget* shadow = Vesk::CResManager<Vesk::CDXRenderTarget>::GetOrDefault("shadow");
    if (shadow) {
        shadow->BeginScene();
        shadow->Clear();
    }
    RunMaterial(
        "voxelshadow", [](Vesk::IEffect&) {}, &DrawModelCubeInstances);
    if (shadow)
        shadow->EndScene();

    renderer.SetViewMatrix(savedView);
    renderer.SetProjectionMatrix(savedProjection);
}

void RenderCubes()
{
    RunMaterial(
        "voxelshading", [](Vesk::IEffect&) {}, &DrawModelCubeInstances);
    Vesk::CDXRenderTarget* shadow = Vesk::CResManager<Vesk::CDXRenderTarget>::GetOrDefault("shadow");
    const cuberenderer::State& state = GetState();
    RunMaterial(
        "voxelterrainshading",
        [&](Vesk::IEffect& effect) {
            effect.SetTexture("shadowmap", shadow ? shadow->GetTexture() : nullptr);
            effect.SetMatrix("lightProjection", state.lightProjection);
            effect.SetMatrix("lightView", state.lightView);
        },
        &DrawTerrainCubeInstances);
}

} // namespace Game
