// The instanced cube renderer on a real device on the headless driver, with the project's own
// materials, effects and render target: every cube of a buffer where it belongs, terrain darker
// in a model's shadow, and the shadow pass's bookkeeping.
#include "CubeRenderFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using Game::CVeskCubeMesh;
using Vesk::CRenderer;

namespace {

const uint32_t kGrey = 0xFF373737;

class CubeRendererTest : public voxeltest::CubeRenderFixture {
protected:
    void SetUp() override
    {
        SetUpDevice(500, 280);
        if (!DeviceReady())
            return;
        m_Camera = AddCamera("test", CVector3D(0, 30, -100), CVector3D(0, 0, 0));
        // Straight down, so that every top face is lit alike.
        AddDirectionalLight(CVector3D(0, -1, 0));
    }
    void ReleaseMeshes() override { m_Meshes.clear(); }

    // A mesh of the given cubes (one colour) placed in the scene in an early bucket.
    CVeskCubeMesh& AddMesh(const std::vector<CVector3D>& cubes, const CVector3D& colour, float scale, bool terrain)
    {
        m_Meshes.push_back(std::make_unique<CVeskCubeMesh>());
        CVeskCubeMesh& mesh = *m_Meshes.back();
        Game::CubeSubmesh* s = mesh.CreateSubmesh("s");
        s->restPositions = cubes;
        s->colours.assign(cubes.size(), colour);
        s->cubeCount = static_cast<int>(cubes.size());
        CMatrix4 scaling;
        scaling.m[0] = scaling.m[5] = scaling.m[10] = scale;
        mesh.SetScaleMatrix(scaling);
        mesh.SetTerrainFlag(terrain ? 1 : 0);
        mesh.RemoveHiddenCubesAll();
        mesh.ComputeBounds();
        auto* geom = new Vesk::CGeomNode("geom");
        geom->SetMesh(&mesh);
        geom->GetBucketKeys() = {-1};
        m_Scene.AddNode(geom);
        return mesh;
    }

    // The back-buffer pixel showing a world point.
    uint32_t PixelAt(const CVector3D& p) const
    {
        const gfx::Matrix viewProjection = gfx::Multiply(m_Renderer.GetViewMatrix(), m_Renderer.GetProjectionMatrix());
        float clip[4];
        for (int c = 0; c < 4; ++c)
            clip[c] = p.x * viewProjection(0, c) + p.y * viewProjection(1, c) + p.z * viewProjection(2, c) +
                      viewProjection(3, c);
        const gfx::Viewport& viewport = m_Renderer.GetDevice()->GetViewport();
        const int x = viewport.x + static_cast<int>((clip[0] / clip[3] + 1.0f) * 0.5f * viewport.width);
        const int y = viewport.y + static_cast<int>((1.0f - clip[1] / clip[3]) * 0.5f * viewport.height);
        return m_Renderer.GetDevice()->ReadPixels(x, y, 1, 1).at(0);
    }

    static int Brightness(uint32_t argb)
    {
        return int((argb >> 16) & 0xFF) + int((argb >> 8) & 0xFF) + int(argb & 0xFF);
    }

    Vesk::CCamera* m_Camera = nullptr;
    std::vector<std::unique_ptr<CVeskCubeMesh>> m_Meshes;
};

TEST_F(CubeRendererTest, InstancedCubesAppearWhereTheyBelong)
{
    // Five red cubes in a row, three units wide each, with gaps between them.
    std::vector<CVector3D> row;
    for (int i = -2; i <= 2; ++i)
        row.push_back(CVector3D(4.0f * float(i), 0, 0));
    AddMesh(row, CVector3D(255, 0, 0), 3.0f, false);
    std::vector<CVector3D> floor;
    for (int x = -3; x <= 3; ++x)
        floor.push_back(CVector3D(float(x), -5, 10));
    AddMesh(floor, CVector3D(0, 0, 255), 3.0f, true);

    DrawFrame();
    EXPECT_EQ(Game::GetModelCubeInstances().count, 5);
    EXPECT_EQ(Game::GetTerrainCubeInstances().count, 7);

    // Along the row through the cubes' centres: five red runs on the grey background.
    const gfx::Viewport& viewport = m_Renderer.GetDevice()->GetViewport();
    const uint32_t centre = PixelAt(CVector3D(0, 0, 0));
    EXPECT_GT((centre >> 16) & 0xFF, 100u) << std::hex << centre;
    int y = 0;
    for (int row = viewport.y; row < viewport.y + viewport.height; ++row)
        if (m_Renderer.GetDevice()->ReadPixels(viewport.x + viewport.width / 2, row, 1, 1).at(0) == centre) {
            y = row;
            break;
        }
    const std::vector<uint32_t> line = m_Renderer.GetDevice()->ReadPixels(viewport.x, y, viewport.width, 1);
    int runs = 0;
    bool inside = false;
    for (uint32_t pixel : line) {
        const bool red = ((pixel >> 16) & 0xFF) > ((pixel >> 8) & 0xFF) + 40;
        runs += red && !inside;
        inside = red;
    }
    EXPECT_EQ(runs, 5);
}

TEST_F(CubeRendererTest, ModelCubesShadowTheTerrain)
{
    std::vector<CVector3D> floor;
    for (int x = -15; x < 15; ++x)
        for (int z = -15; z < 15; ++z)
            floor.push_back(CVector3D(float(x), 0, float(z)));
    AddMesh(floor, CVector3D(200, 200, 200), 1.0f, true);
    DrawFrame();
    // The top face of the floor, in the middle and off to the side.
    const CVector3D underPlate(0.0f, 0.5f, 2.0f), aside(9.0f, 0.5f, 2.0f);
    const int openMiddle = Brightness(PixelAt(underPlate));
    const int openAside = Brightness(PixelAt(aside));
    EXPECT_NEAR(openMiddle, openAside, 6) << "without the plate both places are lit alike";

    // A plate of model cubes 8 above the floor. The light sits 120 above and 60 behind the camera
    // (at (0, 150, -40)), looking at the origin: the shadow falls about 2 units further in z.
    std::vector<CVector3D> plate;
    for (int x = -3; x <= 3; ++x)
        for (int z = -3; z <= 3; ++z)
            plate.push_back(CVector3D(float(x), 8, float(z)));
    AddMesh(plate, CVector3D(255, 255, 0), 1.0f, false);
    DrawFrame();
    const int shaded = Brightness(PixelAt(underPlate));
    EXPECT_LT(shaded, openMiddle * 3 / 4) << "the plate's shadow";
    EXPECT_NEAR(Brightness(PixelAt(aside)), openAside, 6) << "the light beside it";
    EXPECT_NE(PixelAt(underPlate), kGrey);
}

TEST_F(CubeRendererTest, ShadowPassLeavesTheCamerasAndMatricesAlone)
{
    Vesk::CCamera* fallback = Vesk::CCameraManager::GetInstance().GetCamera("default");
    ASSERT_NE(fallback, nullptr);
    const CVector3D defaultEye = fallback->GetEye();
    const gfx::Matrix view = m_Renderer.GetViewMatrix(), projection = m_Renderer.GetProjectionMatrix();

    // The light's eye, recovered from the light view (camera view space to light view space).
    const auto lightEye = [&]() {
        Game::RenderCubeShadowMap();
        CMatrix4 cameraView;
        for (int i = 0; i < 16; ++i)
            cameraView.m[i] = view.m[i];
        cameraView.Transpose();
        CMatrix4 lightViewInverse = Game::GetCubeLightView();
        EXPECT_TRUE(lightViewInverse.Inverse());
        EXPECT_TRUE(cameraView.Inverse());
        CMatrix4 toWorld;
        cameraView.Multiply(toWorld, lightViewInverse);
        return CVector3D(toWorld.m[3], toWorld.m[7], toWorld.m[11]);
    };
    // The level's light rule moves the light along z from the camera at z -100.
    for (const float offsetZ : {Game::kDefaultCubeLightOffsetZ, -10.0f}) {
        Game::SetCubeLightOffsetZ(offsetZ);
        // Frame after frame the light stays put relative to the camera.
        for (int frame = 0; frame < 3; ++frame) {
            const CVector3D eye = lightEye();
            EXPECT_NEAR(eye.x, 0.0f, 1e-3f) << offsetZ;
            EXPECT_NEAR(eye.y, 150.0f, 1e-3f) << offsetZ;
            EXPECT_NEAR(eye.z, -100.0f + offsetZ, 1e-3f) << offsetZ;
        }
    }
    Game::SetCubeLightOffsetZ(Game::kDefaultCubeLightOffsetZ);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(m_Renderer.GetViewMatrix().m[i], view.m[i]);
        EXPECT_EQ(m_Renderer.GetProjectionMatrix().m[i], projection.m[i]);
    }
    EXPECT_EQ(fallback->GetEye().z, defaultEye.z) << "the camera \"default\" is not the light";
    EXPECT_EQ(m_Camera->GetEye().z, -100.0f);
}

TEST_F(CubeRendererTest, EmptyFramesDrawNothingAndResetsKeepTheCapacities)
{
    DrawFrame();
    EXPECT_EQ(PixelAt(CVector3D(0, 0, 0)), kGrey);

    Game::CubeRendererDeviceLost();
    Game::CubeRendererDeviceLost();
    EXPECT_EQ(Game::GetModelCubeInstances().capacity, 0);
    DrawFrame();
    Game::CubeRendererDeviceReset();
    Game::CubeRendererDeviceReset();
    EXPECT_EQ(Game::GetModelCubeInstances().capacity, 30000);
    EXPECT_EQ(Game::GetTerrainCubeInstances().capacity, 15000);
    Game::ClearCubeInstances();
    EXPECT_TRUE(Game::GetModelCubeInstances().IsLocked());
}

} // namespace
