// The fight camera's glide towards its targets and its two jolts: caps, the one-time application
// with the decayed amount, the slower glide while a jolt lives, and the step limit.
#include "game/cameras/CGameCamera.h"

#include <gtest/gtest.h>

#include <limits>

using Game::CGameCamera;

namespace {

// A camera at rest: eye (0, 0, -40) looking at the origin, targets where it stands.
CGameCamera RestingCamera()
{
    CGameCamera camera;
    camera.SetTargetEye(camera.GetEye());
    camera.SetTargetLookAt(camera.GetLookAt());
    return camera;
}

void ExpectVector(const CVector3D& expected, const CVector3D& actual, const char* what)
{
    EXPECT_FLOAT_EQ(expected.x, actual.x) << what;
    EXPECT_FLOAT_EQ(expected.y, actual.y) << what;
    EXPECT_FLOAT_EQ(expected.z, actual.z) << what;
}

TEST(CGameCameraTest, JoltAmountsAndDirection)
{
    CGameCamera camera;
    camera.AddShake(15.0f);
    camera.AddShake(15.0f);
    EXPECT_FLOAT_EQ(20.0f, camera.GetShakeAmount());

    camera.AddPunch(2.0f, {3.0f, 4.0f});
    EXPECT_FLOAT_EQ(0.6f, camera.GetPunchDirectionX());
    EXPECT_FLOAT_EQ(0.8f, camera.GetPunchDirectionY());
    camera.AddPunch(2.0f, 0.0f, -2.0f); // the interface's form
    EXPECT_FLOAT_EQ(3.0f, camera.GetPunchAmount());
    EXPECT_FLOAT_EQ(0.0f, camera.GetPunchDirectionX());
    EXPECT_FLOAT_EQ(-1.0f, camera.GetPunchDirectionY());

    camera.AddShake(std::numeric_limits<float>::quiet_NaN());
    camera.AddPunch(std::numeric_limits<float>::infinity(), {1.0f, 0.0f});
    EXPECT_FLOAT_EQ(20.0f, camera.GetShakeAmount());
    EXPECT_FLOAT_EQ(3.0f, camera.GetPunchAmount());
    EXPECT_FLOAT_EQ(-1.0f, camera.GetPunchDirectionY());
}

TEST(CGameCameraTest, ShakeIsAppliedOnceAlongTheViewThenTheGlideReturnsAtHalfSpeed)
{
    CGameCamera camera = RestingCamera();
    camera.SetRate(15.0f);
    const float dt = 0.03f;
    camera.AddShake(10.0f);
    camera.Update(dt);
    const float applied = 10.0f - 10.0f * (15.0f * 0.5f * dt);
    EXPECT_FLOAT_EQ(applied, camera.GetShakeAmount());
    ExpectVector(CVector3D(0, 0, -40.0f + applied), camera.GetEye(), "eye pushed along the view");
    ExpectVector(CVector3D(0, 0, applied), camera.GetLookAt(), "look-at pushed along the view");
    EXPECT_FLOAT_EQ(0.5f, camera.GetRateMultiplier());

    camera.Update(dt);
    const float back = 0.5f * 15.0f * dt;
    EXPECT_FLOAT_EQ(-40.0f + applied * (1.0f - back), camera.GetEye().z);
    EXPECT_FLOAT_EQ(applied * (1.0f - back), camera.GetLookAt().z);
}

TEST(CGameCameraTest, PunchMovesAcrossTheScreenOnly)
{
    CGameCamera camera = RestingCamera();
    camera.AddPunch(2.0f, {3.0f, 4.0f});
    camera.Update(0.02f);
    const float applied = camera.GetPunchAmount();
    EXPECT_FLOAT_EQ(2.0f - 2.0f * (3.0f * 0.5f * 0.02f), applied);
    ExpectVector(CVector3D(0.6f * applied, 0.8f * applied, -40.0f), camera.GetEye(), "eye");
    ExpectVector(CVector3D(0.6f * applied, 0.8f * applied, 0.0f), camera.GetLookAt(), "look-at");
}

TEST(CGameCameraTest, ZeroPunchDirectionStaysZeroButTheJoltLives)
{
    CGameCamera camera = RestingCamera();
    camera.AddPunch(1.0f, {0.0f, 0.0f});
    camera.Update(0.02f);
    EXPECT_FLOAT_EQ(0.0f, camera.GetPunchDirectionX());
    EXPECT_FLOAT_EQ(0.0f, camera.GetPunchDirectionY());
    EXPECT_FLOAT_EQ(0.5f, camera.GetRateMultiplier());
    ExpectVector(CVector3D(0, 0, -40.0f), camera.GetEye(), "nothing moves");
}

TEST(CGameCameraTest, AJoltDecayedBelowTheSmallestNormalFloatNoLongerSlowsTheGlide)
{
    CGameCamera camera = RestingCamera();
    camera.AddShake(1.2e-38f);
    camera.Update(0.02f);
    EXPECT_GT(camera.GetShakeAmount(), 0.0f);
    EXPECT_LT(camera.GetShakeAmount(), std::numeric_limits<float>::min());
    EXPECT_FLOAT_EQ(1.0f, camera.GetRateMultiplier());
}

TEST(CGameCameraTest, LongStepsAreLimited)
{
    const struct {
        const char* name;
        float dt;
    } steps[] = {{"long step", 0.1f}, {"not a number", std::numeric_limits<float>::quiet_NaN()}};
    for (const auto& step : steps) {
        CGameCamera limited = RestingCamera(), reference = RestingCamera();
        for (CGameCamera* camera : {&limited, &reference}) {
            camera->SetTargetEye(CVector3D(0, 100.0f, -40.0f));
            camera->AddShake(5.0f);
        }
        limited.Update(step.dt);
        reference.Update(CGameCamera::kMaxStep);
        ExpectVector(reference.GetEye(), limited.GetEye(), step.name);
        EXPECT_FLOAT_EQ(reference.GetShakeAmount(), limited.GetShakeAmount()) << step.name;
    }
}

} // namespace
