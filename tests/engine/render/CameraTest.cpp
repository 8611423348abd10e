// Camera angles and distance, the frustum, pick rays and the camera manager.
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Vesk;

namespace {

void ExpectNear(const CVector3D& actual, const CVector3D& expected, const char* what)
{
    EXPECT_NEAR(actual.x, expected.x, 1e-3f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-3f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-3f) << what;
}

TEST(CameraTest, DefaultsAndResetAgree)
{
    CCamera camera;
    EXPECT_FLOAT_EQ(camera.GetDistance(), 40.0f); // set from eye and look-at, not left undefined
    EXPECT_FLOAT_EQ(camera.GetAspect(), 500.0f / 280.0f);
    camera.Reset();
    EXPECT_FLOAT_EQ(camera.GetDistance(), 40.0f);
    EXPECT_FLOAT_EQ(camera.GetPitch(), 0.0f);
    EXPECT_NEAR(camera.GetYaw(), 90.0f, 1e-4f);
    camera.UpdateLookAtFromAngles();
    ExpectNear(camera.GetLookAt(), CVector3D(0, 0, 0), "look-at straight ahead on +z");
}

TEST(CameraTest, LookAtFromAngles)
{
    const struct {
        float yaw, pitch;
        float pitchAfter;
        CVector3D offset; // look-at minus eye, distance 10
    } cases[] = {
        {0, 0, 0, {10, 0, 0}},
        {90, 0, 0, {0, 0, 10}},
        {180, 0, 0, {-10, 0, 0}},
        {0, 90, 89, {10 * std::cos(89 * 0.017453292f), 10 * std::sin(89 * 0.017453292f), 0}},
        {0, -90, -89, {10 * std::cos(89 * 0.017453292f), -10 * std::sin(89 * 0.017453292f), 0}},
        {0, 95, 95, {10 * std::cos(95 * 0.017453292f), 10 * std::sin(95 * 0.017453292f), 0}},
    };
    for (const auto& c : cases) {
        CCamera camera;
        camera.SetEye(CVector3D(1, 2, 3));
        camera.SetLookAt(CVector3D(11, 2, 3));
        camera.Reset(); // distance 10
        camera.SetYaw(c.yaw);
        camera.SetPitch(c.pitch);
        camera.UpdateLookAtFromAngles();
        EXPECT_FLOAT_EQ(camera.GetPitch(), c.pitchAfter) << "yaw " << c.yaw << " pitch " << c.pitch;
        ExpectNear(camera.GetLookAt() - camera.GetEye(), c.offset, "offset");
    }
}

TEST(CameraTest, AnglesFromLookAt)
{
    const struct {
        CVector3D offset;
        float yaw, pitch, distance;
    } cases[] = {
        {{5, 0, 0}, 0, 0, 5},          {{0, 0, -2}, -90, 0, 2}, {{0, 3, 0}, 0, 90, 3}, {{0, -3, 0}, 0, -90, 3},
        {{3, 4, 0}, 0, 53.130102f, 5}, {{0, 0, 0}, 0, -90, 0}, // eye on the look-at point: no NaN angles
    };
    for (const auto& c : cases) {
        CCamera camera;
        camera.SetEye(CVector3D(1, 1, 1));
        camera.SetLookAt(CVector3D(1, 1, 1) + c.offset);
        camera.UpdateAnglesFromLookAt();
        EXPECT_NEAR(camera.GetYaw(), c.yaw, 1e-3f) << c.offset.x << "," << c.offset.y << "," << c.offset.z;
        EXPECT_NEAR(camera.GetPitch(), c.pitch, 1e-3f) << c.offset.x << "," << c.offset.y << "," << c.offset.z;
        EXPECT_NEAR(camera.GetDistance(), c.distance, 1e-4f);
    }
}

TEST(CameraTest, DistanceStaysOnTheViewLine)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float requested, expected;
    } cases[] = {{10, 10}, {0, 0.1f}, {-1, 0.1f}, {nan, 0.1f}};
    for (const auto& c : cases) {
        CCamera camera; // eye (0, 0, -40), look-at the origin
        camera.SetDistance(c.requested);
        EXPECT_FLOAT_EQ(camera.GetDistance(), c.expected) << c.requested;
        ExpectNear(camera.GetEye(), CVector3D(0, 0, -c.expected), "eye");
    }
}

TEST(CameraTest, FrustumNormalsPointOut)
{
    CCamera camera;
    camera.UpdateFrustum();
    const CFrustum& frustum = camera.GetFrustum();
    const struct {
        CVector3D centre;
        bool visible;
    } cases[] = {
        {{0, 0, 0}, true},     // the look-at point
        {{0, 0, -45}, false},  // behind the eye
        {{0, 0, 5000}, false}, // past the far plane
        {{200, 0, 0}, false},  // far to the right at the look-at distance
        {{0, -200, 0}, false}, // far below
        {{15, 10, 0}, true},   // inside, near a corner (half-height 16.6, half-width 29.6)
    };
    for (const auto& c : cases) {
        const CAABB box(c.centre, 1.0f, 1.0f, 1.0f);
        EXPECT_EQ(frustum.Intersects(box), c.visible) << c.centre.x << "," << c.centre.y << "," << c.centre.z;
    }
}

TEST(CameraTest, TranslateCopyAndOrientation)
{
    CCamera source;
    source.Translate(CVector3D(1, 2, 3));
    ExpectNear(source.GetEye(), CVector3D(1, 2, -37), "eye moved");
    ExpectNear(source.GetLookAt(), CVector3D(1, 2, 3), "look-at moved");

    CCamera copy;
    copy.SetEye(CVector3D(9, 9, 9));
    copy.CopyPositionFrom(source);
    ExpectNear(copy.GetEye(), source.GetEye(), "copied eye");
    EXPECT_FLOAT_EQ(copy.GetDistance(), 40.0f);

    float axes[9];
    copy.GetOrientation(axes);
    // Columns right, up, forward of a camera looking down +z.
    const float expected[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(axes[i], expected[i], 1e-5f) << i;
}

TEST(CameraTest, ProjectionMatrixEntries)
{
    CCamera camera;
    CMatrix4 m;
    camera.GetProjectionMatrix(m);
    const float c = 1.0f / std::tan(0.7853982f * 0.5f);
    EXPECT_FLOAT_EQ(m(0, 0), c / camera.GetAspect());
    EXPECT_FLOAT_EQ(m(1, 1), c);
    EXPECT_FLOAT_EQ(m(2, 2), 5001.0f / 4999.0f);
    EXPECT_FLOAT_EQ(m(2, 3), 10000.0f / 4999.0f);
    EXPECT_FLOAT_EQ(m(3, 2), 1.0f);
    EXPECT_FLOAT_EQ(m(3, 3), 0.0f);
}

class PickRayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CCameraManager::GetInstance().Init();
        CRenderer::GetInstance().SetBackBufferSize(800, 600, true); // viewport rows 76..523
    }
    void TearDown() override { CCameraManager::GetInstance().Shutdown(); }
};

TEST_F(PickRayTest, CentreRunsAlongTheViewFromTheNearPlane)
{
    CCamera& camera = *CCameraManager::GetInstance().GetCurrentCamera();
    camera.Reset();
    const CRay ray = camera.GetPickRay(0.5f, 0.5f, true);
    ExpectNear(ray.origin, CVector3D(0, 0, -39), "origin on the near plane");
    ExpectNear(ray.direction, CVector3D(0, 0, 1), "direction");

    const CRay behind = camera.GetPickRay(0.5f, 0.5f, false);
    ExpectNear(behind.origin, CVector3D(0, 0, -41), "mirrored origin");
    ExpectNear(behind.direction, CVector3D(0, 0, -1), "mirrored direction");
}

TEST_F(PickRayTest, CornersOpenAlongTheFieldOfView)
{
    CCamera& camera = *CCameraManager::GetInstance().GetCurrentCamera();
    camera.Reset();
    const float halfHeight = std::tan(0.7853982f * 0.5f);
    const float halfWidth = halfHeight * camera.GetAspect();
    const struct {
        float x, y;
        float dx, dy; // expected direction up to scale (z = 1)
    } cases[] = {
        {0.0f, 0.0f, -halfWidth, halfHeight},
        {1.0f, 1.0f, halfWidth, -halfHeight},
        {0.0f, 1.0f, -halfWidth, -halfHeight},
    };
    for (const auto& c : cases) {
        const CRay ray = camera.GetPickRay(c.x, c.y, true);
        EXPECT_NEAR(ray.direction.x / ray.direction.z, c.dx, 0.01f) << c.x << "," << c.y;
        EXPECT_NEAR(ray.direction.y / ray.direction.z, c.dy, 0.01f) << c.x << "," << c.y;
    }
}

class CountingCamera : public CCamera {
public:
    void Reset() override
    {
        ++m_Resets;
        CCamera::Reset();
    }
    int m_Resets = 0;
};

TEST(CameraManagerTest, DefaultCameraAndSwitching)
{
    CCameraManager& manager = CCameraManager::GetInstance();
    EXPECT_EQ(manager.GetCurrentCamera(), nullptr);
    ASSERT_TRUE(manager.Init());
    CCamera* fallback = manager.GetCamera("default");
    ASSERT_NE(fallback, nullptr);
    EXPECT_EQ(manager.GetCurrentCamera(), fallback);
    EXPECT_EQ(fallback->GetName(), "default");

    auto* other = static_cast<CountingCamera*>(manager.CreateCamera<CountingCamera>("other", false));
    EXPECT_EQ(manager.GetCurrentCamera(), fallback);
    EXPECT_EQ(manager.CreateCamera<CountingCamera>("other", false), other); // one per name
    other->SetEye(CVector3D(7, 7, 7));

    // Taking the place of the current camera: the view stays where it was.
    fallback->Translate(CVector3D(0, 5, 0));
    manager.SetCurrentCamera("other", false);
    EXPECT_EQ(manager.GetCurrentCamera(), other);
    ExpectNear(other->GetEye(), CVector3D(0, 5, -40), "copied eye");
    ExpectNear(other->GetLookAt(), CVector3D(0, 5, 0), "copied look-at");
    EXPECT_EQ(other->m_Resets, 0);

    // Keeping its own position: Reset runs, also when naming the current camera again.
    manager.SetCurrentCamera("other", true);
    manager.SetCurrentCamera("other", true);
    EXPECT_EQ(other->m_Resets, 2);

    manager.SetCurrentCamera("nobody", false);
    EXPECT_EQ(manager.GetCurrentCamera(), other);
    EXPECT_EQ(manager.GetCamera("nobody"), nullptr);

    manager.Shutdown();
    EXPECT_EQ(manager.GetCurrentCamera(), nullptr);
    EXPECT_EQ(manager.GetCamera("default"), nullptr);
}

} // namespace
