// The MD2 mesh on the renderer's device: it draws the pose of the last controller update,
// standing upright, and hands out controllers and frame-0 positions.
#include "platform/win/Video.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/IAnimationController.h"
#include "resources/md2/CMD2Mesh.h"
#include "support/TestSupport.h"
#include "window/CWindowSystem.h"

#include "MD2Fixture.h"

#include <gtest/gtest.h>

#include <memory>

using namespace Vesk;

namespace {

const uint32_t kGrey = 0xFF373737;

// One triangle standing in the file's x-z plane (z up): corners (-5, 0, 0), (0, 0, 10), (5, 0, 0).
// Frames "still1" to "still3"; the second is the same triangle moved 20 units along x.
std::string WriteTriangle(const testsupport::ScratchDir& dir)
{
    md2fixture::Model fixture;
    fixture.texCoords = {{0, 0}};
    fixture.triangles = {{0, 1, 2, 0, 0, 0}};
    md2fixture::Frame still, moved;
    still.name = "still1";
    still.translate[0] = -5.0f;
    still.vertices = {{0, 0, 0, 5}, {5, 0, 10, 5}, {10, 0, 0, 5}};
    moved = still;
    moved.name = "still2";
    moved.translate[0] = 15.0f;
    md2fixture::Frame last = still;
    last.name = "still3";
    fixture.frames = {still, moved, last};
    const std::vector<uint8_t> bytes = md2fixture::Build(fixture);
    const std::string path = dir.File("triangle.md2");
    testsupport::WriteFile(path, std::string(bytes.begin(), bytes.end()));
    return path;
}

class MD2MeshDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (win::HasRealDisplay())
            GTEST_SKIP() << "needs the headless driver's fixed mode list";
        ASSERT_TRUE(CCameraManager::GetInstance().Init());
        ASSERT_TRUE(CWindowSystem::GetInstance().CreateMainWindow(10, 10, 500, 280, "md2 test", false));
        ASSERT_TRUE(m_Renderer.Init()) << m_Renderer.GetErrorMessage();
    }
    void TearDown() override
    {
        m_Renderer.Shutdown();
        CWindowSystem::GetInstance().DestroyMainWindow();
        CCameraManager::GetInstance().Shutdown();
    }

    // Eye (0, 0, -40) looking at the origin; the mesh drawn at the origin.
    void Draw(CMD2Mesh& mesh)
    {
        m_Renderer.SetDefaultRenderStates();
        m_Renderer.ClearViewport();
        CCamera& camera = *CCameraManager::GetInstance().GetCurrentCamera();
        camera.Reset();
        camera.Update(0.0f);
        m_Renderer.SetWorldMatrix(CMatrix4());
        mesh.Render();
    }
    uint32_t Pixel(int x, int y) const { return m_Renderer.GetDevice()->ReadPixels(x, y, 1, 1).at(0); }

    CRenderer& m_Renderer = CRenderer::GetInstance();
    testsupport::ScratchDir m_Dir;
};

} // namespace

TEST_F(MD2MeshDrawTest, DrawsTheControllersPoseUpright)
{
    CMD2Mesh mesh;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(mesh.Load(WriteTriangle(m_Dir)));
    testing::internal::GetCapturedStdout();

    Draw(mesh);
    // 800 x 600 screen, view centre at (400, 300): the triangle rises above the centre.
    EXPECT_NE(kGrey, Pixel(400, 250)) << "the file's up axis points up on screen";
    EXPECT_EQ(kGrey, Pixel(400, 350));
    EXPECT_EQ(kGrey, Pixel(650, 250));

    // Halfway to the second frame the triangle has moved 10 units to the right.
    std::unique_ptr<IAnimationController> controller(mesh.CreateAnimationController());
    ASSERT_NE(nullptr, controller);
    EXPECT_EQ(&mesh, static_cast<const void*>(controller->GetMesh()));
    controller->SetAnimation("still", 0, 2.0f); // the running animation: only the rate changes
    // Frames 0 to 2 play 0 -> 0, then 1 -> 0, then 0 -> 1 (the end frame is never frame A).
    controller->Update(0.5f);
    controller->Update(0.5f);
    controller->Update(0.25f); // half of the way from frame 0 to frame 1
    EXPECT_EQ(0, controller->GetCurrentFrame());
    Draw(mesh);
    EXPECT_EQ(kGrey, Pixel(400, 250));
    EXPECT_NE(kGrey, Pixel(400 + 134, 250)) << "10 units right at distance 40";
}

TEST(MD2MeshTest, LoadFailureLeavesNothingToDrawAndPositionsComeFromFrameZero)
{
    testsupport::ScratchDir dir;
    CMD2Mesh empty;
    EXPECT_FALSE(empty.Load(dir.File("missing.md2")));
    EXPECT_EQ(nullptr, empty.CreateAnimationController());
    empty.Render(); // no model, no device: nothing happens
    std::vector<CVector3D> positions{CVector3D()};
    empty.GetVertexPositions(positions);
    EXPECT_TRUE(positions.empty());

    CMD2Mesh mesh;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(mesh.Load(WriteTriangle(dir)));
    testing::internal::GetCapturedStdout();
    mesh.Render(); // no renderer device in this test
    mesh.GetVertexPositions(positions);
    ASSERT_EQ(3u, positions.size());
    EXPECT_FLOAT_EQ(0.0f, positions[1].x);
    EXPECT_FLOAT_EQ(-10.0f, positions[1].z);
    CMatrix4 upright;
    upright.RotationX(90.0f);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(upright.m[i], mesh.GetMeshMatrix().m[i]);

    // The box holds every frame as drawn: x from -5 (frame 0) to 25 (frame 1), standing 10 high.
    const CAABB& box = mesh.GetAABB();
    EXPECT_NEAR(box.min.x, -5.0f, 1e-4f);
    EXPECT_NEAR(box.max.x, 25.0f, 1e-4f);
    EXPECT_NEAR(box.max.y - box.min.y, 10.0f, 1e-4f);
    EXPECT_NEAR(box.max.z - box.min.z, 0.0f, 1e-4f);
}
