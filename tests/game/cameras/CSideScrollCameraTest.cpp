// The side-scrolling camera: the centre of the living players, the follow and waypoint targets,
// zoom, locking and Reset, SetTarget, the light it carries, and how triggers and hits reach it
// through the camera manager.
#include "../entities/EntityTestSupport.h"

#include "game/cameras/CSideScrollCamera.h"
#include "game/cameras/GameCameras.h"
#include "game/entities/CCharacter.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <cmath>

using Game::CSideScrollCamera;

namespace {

void ExpectVector(const CVector3D& expected, const CVector3D& actual, const char* what)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-4f) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-4f) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-4f) << what;
}

class CSideScrollCameraTest : public worldtest::WorldFixture {
protected:
    Game::CCharacter* Player(const CVector3D& position, int health = 10, int lifeState = Game::LIFE_ALIVE)
    {
        Game::EntitySetting setting;
        setting.m_HealthPoints = health;
        auto* player = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "player", setting));
        EXPECT_NE(nullptr, player);
        player->SetPosition(position);
        player->m_LifeState = lifeState;
        return player;
    }

    Game::CEntity* Waypoint(const CVector3D& position)
    {
        Game::CEntity* waypoint = Make(Game::CAMERAWAYPOINT);
        EXPECT_NE(nullptr, waypoint);
        waypoint->SetPosition(position);
        return waypoint;
    }

    // Enough frames for the state machine to carry out a change and run the state once.
    static void Frames(CSideScrollCamera& camera, int count = 2)
    {
        for (int i = 0; i < count; ++i)
            camera.Update(0.02f);
    }
};

TEST_F(CSideScrollCameraTest, GroupCentreHalvesTowardsEachLivingPlayer)
{
    CSideScrollCamera camera;
    CVector3D centre;
    EXPECT_FALSE(camera.GetPlayerGroupCentre(centre));

    Player(CVector3D(0, 0, 0));
    Player(CVector3D(100.0f, 0, 0), 10, Game::LIFE_DYING);
    Player(CVector3D(200.0f, 0, 0), 0);
    Make(Game::GENERIC_ENT, "player")->SetPosition(CVector3D(300.0f, 0, 0)); // not a character
    Player(CVector3D(10.0f, 4.0f, 0));
    ASSERT_TRUE(camera.GetPlayerGroupCentre(centre));
    ExpectVector(CVector3D(5.0f, 2.0f, 0), centre, "midpoint of the two living players");

    Player(CVector3D(20.0f, 0, 0));
    ASSERT_TRUE(camera.GetPlayerGroupCentre(centre));
    EXPECT_FLOAT_EQ(12.5f, centre.x); // the third one weighs half
}

TEST_F(CSideScrollCameraTest, FollowTargetsAndZoom)
{
    CSideScrollCamera camera;
    Player(CVector3D(10.0f, 20.0f, 30.0f));
    camera.UpdateFollowEntities(0.02f);
    ExpectVector(CVector3D(10.0f, 15.0f, 58.0f), camera.GetTargetLookAt(), "look-at");
    ExpectVector(CVector3D(10.0f, 70.5f, -53.0f), camera.GetTargetEye(), "eye 50.5 above, 83 behind the centre");

    camera.SetZoom(1.5f);
    camera.SetZoom(0.0f);
    EXPECT_FLOAT_EQ(1.5f, camera.GetZoom());
    camera.UpdateFollowEntities(0.02f);
    ExpectVector(CVector3D(10.0f, 15.0f, 58.0f) + CVector3D(0, 30.0f, -60.0f) * (1.85f / 1.5f), camera.GetTargetEye(),
                 "zoomed eye");
}

TEST_F(CSideScrollCameraTest, WaypointsBendTheTargetInsideTheirSpanOnly)
{
    const struct {
        float playerX;
        CVector3D lookAt;
    } rows[] = {
        {25.0f, CVector3D(25.0f, 5.0f, 0.0f)}, // a quarter of the way from (0, 0) to (100, 20)
        {0.0f, CVector3D(0.0f, -5.0f, 28.0f)}, // the end points are left alone
        {100.0f, CVector3D(100.0f, -5.0f, 28.0f)},
        {150.0f, CVector3D(150.0f, -5.0f, 28.0f)}, // beyond the path
    };
    for (const auto& row : rows) {
        Factory().Clear();
        CSideScrollCamera camera;
        Player(CVector3D(row.playerX, 0, 0));
        camera.SetWaypoints({Waypoint(CVector3D(0, 0, 0)), Waypoint(CVector3D(100.0f, 20.0f, 0))});
        camera.UpdateFollowWaypoints(0.02f);
        ExpectVector(row.lookAt, camera.GetTargetLookAt(), "look-at");
        ExpectVector(row.lookAt + CVector3D(0, 30.0f, -60.0f) * 1.85f, camera.GetTargetEye(), "eye");
    }
}

TEST_F(CSideScrollCameraTest, DestroyedWaypointsLeaveThePath)
{
    CSideScrollCamera camera;
    Player(CVector3D(25.0f, 0, 0));
    Game::CEntity* middle = Waypoint(CVector3D(50.0f, 100.0f, 0));
    camera.SetWaypoints({Waypoint(CVector3D(0, 0, 0)), middle, Waypoint(CVector3D(100.0f, 20.0f, 0))});
    Factory().DestroyEntity(middle);
    EXPECT_EQ(2u, camera.GetWaypoints().size());
    camera.UpdateFollowWaypoints(0.02f);
    EXPECT_FLOAT_EQ(5.0f, camera.GetTargetLookAt().y);
}

TEST_F(CSideScrollCameraTest, StatesLockAndResetFollowsAgain)
{
    CSideScrollCamera camera;
    Game::CCharacter* player = Player(CVector3D(0, 0, 0));
    camera.Reset();
    ExpectVector(CVector3D(0, 30.0f, -60.0f), camera.GetEye(), "reset eye");
    ExpectVector(CVector3D(0, -5.0f, 8.0f), camera.GetLookAt(), "reset look-at");
    ExpectVector(CVector3D(0, -5.0f, 0), camera.GetTargetLookAt(), "reset target");
    Frames(camera);
    EXPECT_EQ("FollowEntitiesState", camera.GetStateName());
    ExpectVector(CVector3D(0, -5.0f, 28.0f), camera.GetTargetLookAt(), "following");

    camera.ChangeState("NoSuchState");
    camera.ChangeState("LockCameraState");
    Frames(camera);
    EXPECT_EQ("LockCameraState", camera.GetStateName());
    player->SetPosition(CVector3D(200.0f, 0, 0));
    Frames(camera, 200);
    ExpectVector(CVector3D(0, -5.0f, 28.0f), camera.GetTargetLookAt(), "locked target");
    ExpectVector(CVector3D(0, -5.0f, 28.0f), camera.GetLookAt(), "settled on the locked target");

    camera.Reset();
    Frames(camera);
    EXPECT_EQ("FollowEntitiesState", camera.GetStateName());
    ExpectVector(CVector3D(200.0f, -5.0f, 28.0f), camera.GetTargetLookAt(), "following again");
}

TEST_F(CSideScrollCameraTest, WithoutLivingPlayersTargetsStay)
{
    CSideScrollCamera camera;
    camera.SetTargetLookAt(CVector3D(1, 2, 3));
    const CVector3D eye = camera.GetEye();
    const CVector3D lookAt = camera.GetLookAt();
    Player(CVector3D(50.0f, 0, 0), 0);
    camera.Reset();
    ExpectVector(eye, camera.GetEye(), "reset left the eye");
    ExpectVector(lookAt, camera.GetLookAt(), "reset left the look-at");
    Frames(camera);
    ExpectVector(CVector3D(1, 2, 3), camera.GetTargetLookAt(), "follow kept the target");
}

TEST_F(CSideScrollCameraTest, SetTargetKeepsTheViewAndMovesItOntoTheEntity)
{
    CSideScrollCamera camera;
    camera.SetEye(CVector3D(0, 10.0f, -20.0f));
    camera.SetLookAt(CVector3D(0, 0, 0));
    Game::CEntity* entity = Make(Game::GENERIC_ENT, "thing");
    entity->SetPosition(CVector3D(40.0f, 5.0f, 7.0f));
    camera.SetTarget(entity);
    EXPECT_EQ(entity, camera.GetTarget());
    ExpectVector(CVector3D(40.0f, 5.0f, 7.0f), camera.GetLookAt(), "look-at");
    ExpectVector(CVector3D(40.0f, 15.0f, -13.0f), camera.GetEye(), "eye");
    ExpectVector(camera.GetLookAt(), camera.GetTargetLookAt(), "target look-at");
    ExpectVector(camera.GetEye(), camera.GetTargetEye(), "target eye");
    EXPECT_NEAR(std::sqrt(500.0f), camera.GetDistance(), 1e-3f);

    Factory().DestroyEntity(entity);
    EXPECT_EQ(nullptr, camera.GetTarget());
    camera.SetTarget(nullptr);
    ExpectVector(CVector3D(40.0f, 5.0f, 7.0f), camera.GetLookAt(), "null only forgets");
}

TEST_F(CSideScrollCameraTest, FirstLightFollowsTheTarget)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    if (renderer.GetLightCount() == 0)
        renderer.AddLight();
    CSideScrollCamera camera;
    camera.SetTargetLookAt(CVector3D(10.0f, 20.0f, 30.0f));
    camera.Update(0.02f);
    const Vesk::CLight* light = renderer.GetLight(0);
    EXPECT_FLOAT_EQ(10.0f, light->m_Position[0]);
    EXPECT_FLOAT_EQ(85.0f, light->m_Position[1]);
    EXPECT_FLOAT_EQ(-130.0f, light->m_Position[2]);
}

TEST_F(CSideScrollCameraTest, RegisteredCameraTakesJoltsAndTriggerLocks)
{
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    ASSERT_TRUE(cameras.Init());
    auto* camera = dynamic_cast<CSideScrollCamera*>(cameras.CreateCamera<CSideScrollCamera>("sidescrolling", true));
    ASSERT_NE(nullptr, camera);
    ASSERT_EQ(static_cast<Game::ICameraJolts*>(camera), Game::ICameraJolts::Current());
    Game::ICameraJolts::Current()->AddPunch(2.0f, 1.0f, 0.0f);
    EXPECT_FLOAT_EQ(2.0f, camera->GetPunchAmount());
    Game::ISideScrollCamera::LockCurrentCamera();
    Frames(*camera);
    EXPECT_EQ("LockCameraState", camera->GetStateName());
    cameras.Shutdown();
}

} // namespace
