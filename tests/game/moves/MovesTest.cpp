// What each kind of move does to its character while it runs and when it ends: the drills'
// boosts, the stun's hold and its closing animation, the uppercut leap, the fire geyser's
// attacks and punch, and the replayed animations.
#include "MoveTestSupport.h"

#include "../combat/AttackTestSupport.h"

#include "game/cameras/CGameCamera.h"
#include "game/combat/CAttackPool.h"
#include "render/CCameraManager.h"

#include <string>
#include <vector>

using Game::CMoveQueue;

namespace {

using CWeakDrillTest = movetest::MoveFixture;
using CChargeDrillTest = movetest::MoveFixture;
using CStunnedTest = movetest::MoveFixture;
using CRisingDragonTest = movetest::MoveFixture;
using CFireGeyserTest = movetest::MoveFixture;
using CDodgeTest = movetest::MoveFixture;

TEST_F(CWeakDrillTest, BoostsForTheFirstFifthOfItsTimeOnly)
{
    Game::CCharacter* mover = Mover();
    mover->m_StunTimer = 0.5f;
    CMoveQueue& queue = mover->GetMoveQueue();
    queue.PushMove(mover, CMoveQueue::MOVE_WEAK_DRILL, 1.25f, nullptr);
    EXPECT_TRUE(mover->m_Spawning);
    EXPECT_FLOAT_EQ(0.0f, mover->m_StunTimer);
    EXPECT_EQ("MINIDRILLATK", Clip(*mover));
    // Frames of 0.125 s: the first fifth (0.25 s) is two frames.
    const bool boosted[] = {true, true, false, false};
    int frame = 0;
    for (bool boost : boosted) {
        ++frame;
        queue.Update(0.125f);
        EXPECT_FLOAT_EQ(boost ? 1.8f : 1.0f, mover->m_SpeedFactor) << frame;
        EXPECT_EQ(boost, Velocity(*mover).x > 0.0f) << frame;
        if (!boost) {
            EXPECT_FLOAT_EQ(0.0f, Velocity(*mover).Length()) << frame;
        }
    }
    queue.Clear();
    EXPECT_FALSE(mover->m_Spawning);
}

TEST_F(CChargeDrillTest, RunsAlongTheFacingForItsWholeTime)
{
    Game::CCharacter* mover = Mover();
    CMoveQueue& queue = mover->GetMoveQueue();
    queue.PushMove(mover, CMoveQueue::MOVE_CHARGE_DRILL, 0.25f, nullptr);
    EXPECT_TRUE(mover->m_Spawning);
    EXPECT_EQ("DRILLATK", Clip(*mover));
    queue.Update(0.125f);
    EXPECT_FLOAT_EQ(1.4f, mover->m_SpeedFactor);
    EXPECT_FLOAT_EQ(14.0f, Velocity(*mover).x);
    while (!queue.Update(0.125f)) {
    }
    EXPECT_FLOAT_EQ(1.0f, mover->m_SpeedFactor);
    EXPECT_FALSE(mover->m_Spawning);
}

TEST_F(CStunnedTest, HoldsTheCharacterOnTheGround)
{
    Game::CCharacter* mover = Mover();
    mover->SetLinearVelocity(CVector3D(5.0f, -3.0f, 7.0f));
    CMoveQueue& queue = mover->GetMoveQueue();
    queue.PushMove(mover, CMoveQueue::MOVE_STUNNED, 1.0f, nullptr);
    EXPECT_EQ("STUNALT", Clip(*mover));
    EXPECT_FLOAT_EQ(0.0f, Velocity(*mover).x);
    EXPECT_FLOAT_EQ(-3.0f, Velocity(*mover).y);

    mover->SetLinearVelocity(CVector3D(5.0f, -3.0f, 7.0f));
    mover->m_Airborne = true;
    queue.Update(0.125f);
    EXPECT_FLOAT_EQ(5.0f, Velocity(*mover).x); // in the air it keeps flying
    mover->m_Airborne = false;
    queue.Update(0.125f);
    EXPECT_FLOAT_EQ(0.0f, Velocity(*mover).z);
}

TEST_F(CStunnedTest, EndsStandingUpToSpeedOneElseRunning)
{
    const struct {
        float speed;
        const char* clip;
    } rows[] = {{0.0f, "IDLE"}, {1.0f, "IDLE"}, {1.01f, "RUNTWO"}, {40.0f, "RUNTWO"}};
    for (const auto& row : rows) {
        Game::CCharacter* mover = Mover("stunned" + std::to_string(row.speed));
        mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_STUNNED, 1.0f, nullptr);
        mover->m_CurrentSpeed = row.speed;
        mover->GetMoveQueue().Clear();
        EXPECT_EQ(row.clip, Clip(*mover)) << row.speed;
    }
    Game::CCharacter* mover = Mover("cancelled");
    mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_STUNNED, 1.0f, nullptr);
    mover->GetMoveQueue().Cancel();
    EXPECT_EQ("STUNALT", Clip(*mover));
}

TEST_F(CRisingDragonTest, LeapsUpAndForwardAlongTheFacing)
{
    Game::CCharacter* mover = Mover();
    mover->SetDirection(CVector3D(0.6f, 0.0f, 0.8f));
    mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_RISING_DRAGON, 0.5f, nullptr);
    EXPECT_EQ("ATTACKUPPERCUT", Clip(*mover));
    const CVector3D velocity = Velocity(*mover);
    EXPECT_NEAR(6.0f, velocity.x, 1e-4f);
    EXPECT_FLOAT_EQ(90.0f, velocity.y);
    EXPECT_NEAR(8.0f, velocity.z, 1e-4f);
}

TEST_F(CFireGeyserTest, RaisesThreeGeysersAndPunchesTheCurrentCameraSideways)
{
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    ASSERT_TRUE(cameras.Init());
    auto* camera = dynamic_cast<Game::CGameCamera*>(cameras.CreateCamera<Game::CGameCamera>("fight", true));
    ASSERT_NE(nullptr, camera);
    Game::CAttackPool& attacks = Game::CAttackPool::GetInstance();
    std::string xml = "<attacks>";
    for (const char* name : {"FireGeyser1", "FireGeyser2", "FireGeyser3"})
        xml += attacktest::AttackXml(attacktest::AttackDef(name));
    testsupport::WriteFile(m_Dir.File("attacks.xml"), xml + "</attacks>");
    ASSERT_TRUE(attacks.LoadDefinitions(m_Dir.File("attacks.xml")));

    Game::CCharacter* mover = Mover();
    mover->SetLinearVelocity(CVector3D(5.0f, -3.0f, 7.0f));
    mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_FIRE_GEYSER, 0.5f, nullptr);
    EXPECT_EQ("SWINGTHREE", Clip(*mover));
    EXPECT_FLOAT_EQ(0.0f, Velocity(*mover).x);
    std::vector<std::string> spawned;
    for (const Game::AttackRecord* attack : attacks.GetActiveAttacks())
        spawned.push_back(attack->m_Name + (attack->m_User.Get() == mover ? " by the mover" : ""));
    EXPECT_EQ(
        (std::vector<std::string>{"FireGeyser1 by the mover", "FireGeyser2 by the mover", "FireGeyser3 by the mover"}),
        spawned);
    EXPECT_FLOAT_EQ(2.0f, camera->GetPunchAmount());
    EXPECT_FLOAT_EQ(1.0f, camera->GetPunchDirectionX());
    EXPECT_FLOAT_EQ(0.0f, camera->GetPunchDirectionY());
    cameras.Shutdown();
    attacks.Shutdown();
    attacks.LoadDefinitions(m_Dir.File("none.xml"));

    // Without attacks or a camera that takes jolts the move still runs.
    mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_FIRE_GEYSER, 0.5f, nullptr);
    EXPECT_EQ(2u, mover->GetMoveQueue().GetCount());
}

TEST_F(CDodgeTest, ReplaysItsRollWhenTheAnimationChanged)
{
    Game::CCharacter* mover = Mover();
    mover->GetMoveQueue().PushMove(mover, CMoveQueue::MOVE_DODGE, 0.5f, nullptr);
    mover->GetAnimationController()->SetAnimation("IDLE", 0, 0.0f);
    mover->GetMoveQueue().Update(0.125f);
    EXPECT_EQ("ROLL", Clip(*mover));
}

} // namespace
