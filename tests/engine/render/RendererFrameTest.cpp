// The renderer on a real device on the headless driver: start-up, the letter-boxed clear for
// wide and narrow camera aspects, and debug lines with and without depth testing.
#include "platform/win/Video.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace Vesk;

namespace {

const uint32_t kBand = 0xFF000000, kGrey = 0xFF373737, kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

// A camera whose aspect is fixed at 1 (narrower than any landscape screen).
class SquareCamera : public CCamera {
public:
    SquareCamera() { m_Aspect = 1.0f; }
};

class RendererFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (win::HasRealDisplay())
            GTEST_SKIP() << "needs the headless driver's fixed mode list";
        ASSERT_TRUE(CCameraManager::GetInstance().Init());
        ASSERT_TRUE(CWindowSystem::GetInstance().CreateMainWindow(10, 10, 500, 280, "renderer test", false));
        ASSERT_TRUE(m_Renderer.Init()) << m_Renderer.GetErrorMessage();
        // 500 x 280 is not a listed mode: the nearest one, 800 x 600, is used.
        ASSERT_EQ(m_Renderer.GetScreenWidth(), 800);
        ASSERT_EQ(m_Renderer.GetScreenHeight(), 600);
        ASSERT_EQ(m_Renderer.GetDevice()->GetBackBufferWidth(), 800);
    }
    void TearDown() override
    {
        m_Renderer.Shutdown();
        CWindowSystem::GetInstance().DestroyMainWindow();
        CCameraManager::GetInstance().Shutdown();
    }

    void BeginFrame()
    {
        m_Renderer.SetDefaultRenderStates();
        m_Renderer.ClearViewport();
    }
    uint32_t Pixel(int x, int y) const { return m_Renderer.GetDevice()->ReadPixels(x, y, 1, 1).at(0); }

    CRenderer& m_Renderer = CRenderer::GetInstance();
};

TEST_F(RendererFrameTest, WideCameraGetsBandsAboveAndBelow)
{
    BeginFrame();
    EXPECT_EQ(m_Renderer.GetViewportHeight(), 448);
    const struct {
        int x, y;
        uint32_t colour;
    } cases[] = {{400, 0, kBand},   {400, 75, kBand},  {400, 76, kGrey}, {0, 300, kGrey},
                 {799, 523, kGrey}, {400, 524, kBand}, {400, 599, kBand}};
    for (const auto& c : cases)
        EXPECT_EQ(Pixel(c.x, c.y), c.colour) << c.x << "," << c.y;
    const gfx::Viewport& viewport = m_Renderer.GetDevice()->GetViewport();
    EXPECT_EQ(viewport.y, 76);
    EXPECT_EQ(viewport.height, 448);
}

TEST_F(RendererFrameTest, NarrowCameraGetsPillarsLeftAndRight)
{
    CCameraManager::GetInstance().CreateCamera<SquareCamera>("square", true);
    BeginFrame();
    const struct {
        int x, y;
        uint32_t colour;
    } cases[] = {{0, 300, kBand},   {99, 300, kBand},  {100, 300, kGrey}, {400, 0, kGrey},
                 {699, 599, kGrey}, {700, 300, kBand}, {799, 300, kBand}};
    for (const auto& c : cases)
        EXPECT_EQ(Pixel(c.x, c.y), c.colour) << c.x << "," << c.y;
    EXPECT_EQ(m_Renderer.GetViewportHeight(), 600);
}

TEST_F(RendererFrameTest, DebugLinesWithAndWithoutDepthTest)
{
    const unsigned char saved = CRenderer::s_DebugDrawFlags;
    CCamera& camera = *CCameraManager::GetInstance().GetCurrentCamera();
    camera.Reset(); // eye (0, 0, -40) towards the origin

    // A red square at z = 0 in front of green lines at z = 10, both across the view centre.
    float quad[6][4] = {{-5, 5, 0}, {5, 5, 0}, {5, -5, 0}, {-5, 5, 0}, {5, -5, 0}, {-5, -5, 0}};
    for (auto& v : quad)
        std::memcpy(&v[3], &kRed, 4);
    auto buffer = gfx::VertexBuffer::Create(*m_Renderer.GetDevice(), sizeof quad, false);
    std::memcpy(buffer->Lock(0, 0, 0), quad, sizeof quad);
    buffer->Unlock();

    for (unsigned char flags : {3, 2}) {
        CRenderer::s_DebugDrawFlags = flags;
        BeginFrame();
        camera.Update(0.0f);
        gfx::Device& device = *m_Renderer.GetDevice();
        m_Renderer.SetWorldMatrix(CMatrix4());
        device.SetFVF(gfx::FVF_XYZ | gfx::FVF_DIFFUSE);
        device.SetStreamSource(0, buffer.get(), 0, 16);
        device.DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, 2);
        for (float y = -1.0f; y <= 1.0f; y += 0.05f)
            m_Renderer.DrawLine(CVector3D(-100, y, 10), CVector3D(100, y, 10), 0, 255, 0);
        m_Renderer.RenderDebugLines();

        EXPECT_EQ(Pixel(400, 300), flags == 3 ? kRed : kGreen) << "flags " << int(flags);
        EXPECT_EQ(Pixel(100, 300), kGreen) << "flags " << int(flags); // beside the square
    }
    CRenderer::s_DebugDrawFlags = saved;
}

TEST_F(RendererFrameTest, ResetTakesTheNewBackBufferSize)
{
    m_Renderer.SetBackBufferSize(1024, 768, true);
    EXPECT_TRUE(m_Renderer.ResetDevice());
    EXPECT_EQ(m_Renderer.GetDevice()->GetBackBufferWidth(), 1024);
    EXPECT_EQ(m_Renderer.GetDevice()->GetBackBufferHeight(), 768);
    BeginFrame();
    // 1024 / (500 / 280) = 573 rows from row 97.
    EXPECT_EQ(Pixel(512, 96), kBand);
    EXPECT_EQ(Pixel(512, 97), kGrey);
    EXPECT_EQ(Pixel(1023, 669), kGrey);
    EXPECT_EQ(Pixel(512, 670), kBand);
    ASSERT_NE(m_Renderer.GetSpriteBatch(), nullptr);
    ASSERT_NE(m_Renderer.GetTextSpriteBatch(), nullptr);
}

TEST_F(RendererFrameTest, FillModeAppliesFromTheNextFrame)
{
    gfx::Device& device = *m_Renderer.GetDevice();
    BeginFrame();
    EXPECT_EQ(device.GetRenderState(gfx::RenderState::FillMode), gfx::FILL_SOLID);
    m_Renderer.SetFillMode(1);
    BeginFrame();
    EXPECT_EQ(device.GetRenderState(gfx::RenderState::FillMode), gfx::FILL_WIREFRAME);
    m_Renderer.SetFillMode(7);
    BeginFrame();
    EXPECT_EQ(device.GetRenderState(gfx::RenderState::FillMode), gfx::FILL_SOLID);
}

TEST(RendererStartupTest, NoWindowIsReported)
{
    CRenderer& renderer = CRenderer::GetInstance();
    EXPECT_FALSE(renderer.Init());
    EXPECT_EQ(renderer.GetErrorMessage(), "CRenderer:: Unable to check device type");
    EXPECT_FALSE(renderer.IsInitialised());
    EXPECT_FALSE(renderer.HasDevice());
}

} // namespace
