// World points to screen pixels and screen pixels to the camera's viewport, at the screen centre
// and the edges of the letter-box bands, for wide and narrow cameras.
#include "render/ScreenProjection.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Vesk;

namespace {

class SquareCamera : public CCamera {
public:
    SquareCamera() { m_Aspect = 1.0f; }
};

// An 800 x 600 screen and the default camera: eye (0, 0, -40) looking at the origin, 45 degree
// field of view, aspect 500 / 280, viewport 500 x 280. Its letter-box is 800 x 448 at y 76.
class ScreenProjectionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CCameraManager::GetInstance().Init());
        CRenderer::GetInstance().SetBackBufferSize(800, 600, true);
        CCameraManager::GetInstance().GetCurrentCamera()->Reset();
    }
    void TearDown() override { CCameraManager::GetInstance().Shutdown(); }
};

} // namespace

TEST_F(ScreenProjectionTest, WorldPointsLandOnTheScreen)
{
    const float halfHeight = 40.0f * std::tan(0.7853982f * 0.5f);
    const float halfWidth = halfHeight * 500.0f / 280.0f;
    struct Case {
        float world[3];
        float x, y;
    };
    const Case cases[] = {
        {{0.0f, 0.0f, 0.0f}, 400.0f, 300.0f},        // the look-at point: the centre
        {{0.0f, halfHeight, 0.0f}, 400.0f, 0.0f},    // top edge of the view
        {{0.0f, -halfHeight, 0.0f}, 400.0f, 600.0f}, // bottom edge
        {{halfWidth, 0.0f, 0.0f}, 800.0f, 300.0f},   // right edge
        {{-halfWidth, halfHeight, 0.0f}, 0.0f, 0.0f},
        {{0.0f, 0.0f, 40.0f}, 400.0f, 300.0f}, // farther along the view line
    };
    for (const Case& c : cases) {
        float out[2];
        ASSERT_TRUE(WorldToScreen(out, c.world)) << c.world[0] << "," << c.world[1] << "," << c.world[2];
        EXPECT_NEAR(c.x, out[0], 0.05f);
        EXPECT_NEAR(c.y, out[1], 0.05f);
    }

    // Points level with or behind the eye have no place on the screen.
    for (const float z : {-40.0f, -60.0f}) {
        const float behind[3] = {1.0f, 2.0f, z};
        float out[2];
        EXPECT_FALSE(WorldToScreen(out, behind)) << z;
        EXPECT_EQ(-1.0f, out[0]);
        EXPECT_EQ(-1.0f, out[1]);
    }
}

TEST_F(ScreenProjectionTest, ScreenPixelsMapIntoTheCamerasViewport)
{
    struct Case {
        int x, y;
        int viewportX;
        float viewportY;
    };
    const Case wide[] = {
        {400, 300, 250, 140.0f}, // centre
        {0, 76, 0, 0.0f},        // top band edge
        {799, 523, 499, 279.0f}, // bottom band edge, last row of the viewport
        {0, 524, 0, 280.0f},     // just below the viewport
        {0, 0, 0, -47.0f},       // inside the top band: above the viewport
    };
    for (const Case& c : wide) {
        int x = -1;
        float y = -1.0f;
        ScreenToViewport(c.x, c.y, x, y);
        EXPECT_EQ(c.viewportX, x) << c.x << "," << c.y;
        EXPECT_EQ(c.viewportY, y) << c.x << "," << c.y;
    }

    // A square camera is pillar-boxed: 600 x 600 at x 100; its viewport is still 500 x 280.
    CCameraManager::GetInstance().CreateCamera<SquareCamera>("square", true);
    const Case narrow[] = {{100, 0, 0, 0.0f}, {400, 300, 250, 140.0f}, {699, 599, 499, 279.0f}, {50, 0, -41, 0.0f}};
    for (const Case& c : narrow) {
        int x = -1;
        float y = -1.0f;
        ScreenToViewport(c.x, c.y, x, y);
        EXPECT_EQ(c.viewportX, x) << c.x << "," << c.y;
        EXPECT_EQ(c.viewportY, y) << c.x << "," << c.y;
    }

    // Without a screen size the pixel passes through.
    CRenderer::GetInstance().SetBackBufferSize(0, 0, true);
    int x = 0;
    float y = 0.0f;
    ScreenToViewport(12, 34, x, y);
    EXPECT_EQ(12, x);
    EXPECT_EQ(34.0f, y);
}
