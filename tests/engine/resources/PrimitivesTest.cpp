// The built-in meshes: which names reach them, their shapes and mesh matrices, and how the wire
// cube, sphere and quad draw (and put the device's states back).
#include "ResourceFixture.h"

#include "platform/gfx/Device.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/CXMesh.h"
#include "resources/Primitives.h"

#include <gtest/gtest.h>

#include <typeinfo>

using namespace Vesk;

namespace {

class PrimitivesTest : public restest::DeviceResourceTest {
protected:
    void SetUp() override
    {
        DeviceResourceTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(Start());
        CCamera& camera = *CCameraManager::GetInstance().GetCurrentCamera();
        camera.Reset();
        camera.Update(0.0f);
    }

    // Clears the screen and draws the mesh ten times its size at the origin, with the device's
    // lighting flag as given; returns how many pixels of the middle of the screen are not the
    // background.
    int DrawAndCount(IMesh& mesh, bool lighting = false)
    {
        CRenderer& renderer = CRenderer::GetInstance();
        renderer.SetDefaultRenderStates();
        renderer.ClearViewport();
        Device().SetRenderState(gfx::RenderState::Lighting, lighting ? 1 : 0);
        CMatrix4 world;
        for (unsigned i = 0; i < 3; ++i)
            world(i, i) = 10.0f;
        renderer.SetWorldMatrix(world);
        mesh.Render();
        int count = 0;
        for (uint32_t p : renderer.GetDevice()->ReadPixels(350, 250, 100, 100))
            count += p != 0xFF373737u ? 1 : 0;
        return count;
    }

    gfx::Device& Device() { return *CRenderer::GetInstance().GetDevice(); }
};

} // namespace

TEST_F(PrimitivesTest, UnlistedPrimitiveNamesGiveTheBuiltInShapes)
{
    CResourceManager& manager = CResourceManager::GetInstance();
    const std::pair<const char*, const std::type_info&> cases[] = {
        {"wirecube", typeid(CDXWireCube)}, {"cylinder", typeid(CDXCylinderMesh)}, {"plane", typeid(CDXPlaneMesh)},
        {"quad", typeid(CDXQuadMesh)},     {"sphere", typeid(CDXSphereMesh)},     {"cube", typeid(CDXCubeMesh)},
    };
    for (const auto& [name, type] : cases) {
        IMesh* mesh = manager.LoadMesh(name);
        ASSERT_NE(nullptr, mesh) << name;
        EXPECT_EQ(type, typeid(*mesh)) << name;
        EXPECT_EQ(mesh, manager.LoadMesh(name)) << name;
    }
    // Names are exact.
    EXPECT_EQ(CResManager<CXMesh>::GetInstance().Find("default"), manager.LoadMesh("Cube"));

    const auto* cube = dynamic_cast<CDXCubeMesh*>(manager.LoadMesh("cube"));
    ASSERT_NE(nullptr, cube->GetMesh());
    EXPECT_EQ(24u, cube->GetMesh()->GetNumVertices());
    EXPECT_EQ(12u, cube->GetMesh()->GetNumFaces());
    EXPECT_FLOAT_EQ(-0.5f, cube->GetAABB().min.x);
    EXPECT_FLOAT_EQ(0.5f, cube->GetAABB().max.z);

    EXPECT_FLOAT_EQ(-0.5f, manager.LoadMesh("cylinder")->GetMeshMatrix()(2, 3));
    CMatrix4 turned;
    turned.RotationX(-90.0f);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(turned.m[i], manager.LoadMesh("plane")->GetMeshMatrix().m[i]) << i;
    EXPECT_FLOAT_EQ(1.0f, manager.LoadMesh("quad")->GetAABB().max.y);
}

TEST_F(PrimitivesTest, WireShapesDrawAsLinesInASolidSceneAndPutTheStatesBack)
{
    CResourceManager& manager = CResourceManager::GetInstance();
    IMesh& solid = *manager.LoadMesh("cube");
    IMesh& wire = *manager.LoadMesh("wirecube");
    const int solidPixels = DrawAndCount(solid);
    EXPECT_EQ(100 * 100, solidPixels) << "the solid cube covers the middle of the screen";
    const int wirePixels = DrawAndCount(wire);
    EXPECT_LT(0, wirePixels);
    EXPECT_GT(solidPixels / 5, wirePixels) << "only the edges of the wire cube are drawn";
    EXPECT_EQ(gfx::FILL_SOLID, Device().GetRenderState(gfx::RenderState::FillMode));
    EXPECT_EQ(gfx::CULL_CCW, Device().GetRenderState(gfx::RenderState::CullMode));
    EXPECT_EQ(0u, Device().GetRenderState(gfx::RenderState::Lighting));

    // A scene drawn in wireframe keeps its fill mode through the draw.
    CRenderer::GetInstance().SetFillMode(1);
    const int wireScene = DrawAndCount(*manager.LoadMesh("sphere"));
    EXPECT_GT(solidPixels / 5, wireScene);
    EXPECT_EQ(gfx::FILL_WIREFRAME, Device().GetRenderState(gfx::RenderState::FillMode));
    CRenderer::GetInstance().SetFillMode(0);
}

TEST_F(PrimitivesTest, TheQuadDrawsUnlitFromCornerToCorner)
{
    IMesh& quad = *CResourceManager::GetInstance().LoadMesh("quad");
    EXPECT_EQ(100 * 100, DrawAndCount(quad, true));
    EXPECT_EQ(0xFFFFFFFFu, Device().ReadPixels(400, 300, 1, 1).at(0)) << "untextured and unlit: white";
    EXPECT_EQ(1u, Device().GetRenderState(gfx::RenderState::Lighting));
}

class PrimitivesWithoutDeviceTest : public restest::ResourceTest {};

TEST_F(PrimitivesWithoutDeviceTest, FallBackToTheDefaultMeshAndAreNotCached)
{
    ASSERT_TRUE(Start());
    IMesh* fallback = CResourceManager::GetInstance().LoadMesh("sphere");
    ASSERT_NE(nullptr, fallback);
    EXPECT_EQ(CResManager<CXMesh>::GetInstance().Find("default"), fallback);
    EXPECT_EQ(0u, CResManager<CDXSphereMesh>::GetInstance().GetCount());
}
