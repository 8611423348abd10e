// The boar: how it reacts to a player by distance and direction, the wind-up, run and recovery
// of its charge, the melee attack and flight it enters only by name, shedding its hide as its
// health falls, and a stun holding its seek.
#include "EnemyTestSupport.h"

#include "game/controllers/CBoarController.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

using Game::CBoarController;
using Game::CCharacter;

class CBoarControllerTest : public enemytest::EnemyFixture {
protected:
    void SetUp() override
    {
        EnemyFixture::SetUp();
        m_Boar = Enemy("boar", CVector3D(0.0f, 4.0f, 0.0f), CVector3D(1.0f, 0.0f, 0.0f));
        m_Controller = ControllerOf<CBoarController>(m_Boar);
        ASSERT_NE(nullptr, m_Controller);
        Reattach(m_Boar, DefaultSetting());
        PlacePlayer(kFarAway);
    }

    void TearDown() override
    {
        RemoveWalls();
        EnemyFixture::TearDown();
    }

    std::string State() const { return StateOf(m_Controller, 1); }

    // The boar attached afresh, risen and wandering, with nobody around.
    void FreshWanderingBoar()
    {
        PlacePlayer(kFarAway);
        Reattach(m_Boar, DefaultSetting());
        ASSERT_TRUE(RunUntil([&] { return State() == "alive_wander"; }, 2.0f));
    }

    CVector3D Facing() const
    {
        const CVector3D d = m_Boar->GetDirection();
        return CVector3D(d.x, 0.0f, d.z).GetNormalized();
    }

    // How far the boar has gone along the ground from the point.
    float Moved(const CVector3D& from) const
    {
        CVector3D d = m_Boar->GetPosition() - from;
        d.y = 0.0f;
        return d.Length();
    }

    float DistanceToPlayer() const
    {
        CVector3D d = m_Player->GetPosition() - m_Boar->GetPosition();
        d.y = 0.0f;
        return d.Length();
    }

    // A static block standing on the ground, centred at (x, z).
    void AddWall(float x, float z, const CVector3D& size)
    {
        auto wall = std::make_unique<Vesk::CCompoundBody>();
        ASSERT_TRUE(Vesk::CPhysicsSystem::GetInstance().AddRigidBody(wall.get(), -1, -1));
        wall->SetBodyType(Vesk::BODY_STATIC);
        wall->AddBoxShape(CVector3D(x, size.y * 0.5f, z), size);
        m_Walls.push_back(std::move(wall));
    }

    void RemoveWalls()
    {
        for (auto& wall : m_Walls)
            Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(wall.get());
        m_Walls.clear();
    }

    bool Shed(const std::string& submesh) const
    {
        const Game::CubeDebrisState* state = Animation(*m_Boar)->FindDebrisState(submesh);
        return state && state->active;
    }

    const CVector3D kFarAway = CVector3D(400.0f, 4.0f, 400.0f);
    CCharacter* m_Boar = nullptr;
    CBoarController* m_Controller = nullptr;
    std::vector<std::unique_ptr<Vesk::CCompoundBody>> m_Walls;
};

TEST_F(CBoarControllerTest, ASeenPlayerIsChargedANearOneSoughtAndCaughtUpWithCharged)
{
    // Detection radius 30, field-of-view length 100, field of view 90 degrees.
    struct Case {
        const char* what;
        float ahead;
        float side;
        const char* expected;
    };
    const Case cases[] = {
        {"50 straight ahead", 50.0f, 0.0f, "alive_charge"}, {"20 ahead", 20.0f, 0.0f, "alive_seek"},
        {"20 behind", -20.0f, 0.0f, "alive_seek"},          {"20 to the left", 0.0f, 20.0f, "alive_seek"},
        {"20 to the right", 0.0f, -20.0f, "alive_seek"},    {"50 behind", -50.0f, 0.0f, "alive_wander"},
    };
    for (const Case& c : cases) {
        FreshWanderingBoar();
        // The player keeps its place relative to the wandering boar's facing until it reacts.
        const auto place = [&] {
            const CVector3D f = Facing();
            const CVector3D left(-f.z, 0.0f, f.x);
            PlacePlayer(m_Boar->GetPosition() + f * c.ahead + left * c.side);
        };
        RunUntil(
            [&] {
                place();
                return State() != "alive_wander";
            },
            0.5f);
        EXPECT_EQ(c.expected, State()) << c.what;
    }

    // A sought player is charged once the boar has come within its attack radius.
    FreshWanderingBoar();
    PlacePlayer(m_Boar->GetPosition() - Facing() * 20.0f);
    ASSERT_TRUE(RunUntil([&] { return State() == "alive_seek"; }, 0.5f));
    EXPECT_EQ("WALK", m_Controller->GetAnimationState());
    ASSERT_TRUE(RunUntil([&] { return State() == "alive_charge"; }, 2.0f));
    EXPECT_LE(DistanceToPlayer(), m_Boar->m_AttackRadius + 1.0f);
    EXPECT_GT(DistanceToPlayer(), m_Boar->m_AttackRadius - 3.0f) << "it charges on reaching the radius";
    // Coming out of a run-up, it stands for the wind-up instead of sliding into the player.
    const CVector3D windUp = m_Boar->GetPosition();
    Run(1.5f);
    EXPECT_LT(Moved(windUp), 0.5f);
}

TEST_F(CBoarControllerTest, ChargeWindsUpFacingThePlayerThenRunsItsLineAndRecovers)
{
    FreshWanderingBoar();
    const float speedFactor = m_Boar->m_SpeedFactor;
    const int grunts = Plays("boar_grunt");
    ASSERT_TRUE(RunUntil(
        [&] {
            PlacePlayer(m_Boar->GetPosition() + Facing() * 50.0f);
            return State() == "alive_charge";
        },
        0.5f));
    EXPECT_EQ(grunts + 1, Plays("boar_grunt"));
    // The player steps aside during the wind-up: the boar turns to it and stays where it is.
    const CVector3D start = m_Boar->GetPosition();
    PlacePlayer(start + CVector3D(0.0f, 0.0f, 40.0f));
    Frame();
    EXPECT_EQ("PREPARECHARGE", Clip(*m_Boar));
    int frames = 1;
    std::vector<std::string> attacks;
    while (!m_Controller->IsChargeStarted() && frames < 200) {
        attacks = Frame();
        ++frames;
    }
    EXPECT_NEAR(Game::CBoarController::kPrepareTime, frames * kDt, 2.5f * kDt);
    EXPECT_LT(Moved(start), 0.5f);
    EXPECT_NEAR(1.0f, Facing().z, 0.01f);
    EXPECT_EQ(std::vector<std::string>{"BoarHeadbutt"}, attacks);
    EXPECT_EQ("CHARGE", Clip(*m_Boar));
    EXPECT_TRUE(m_Boar->m_Charging);
    EXPECT_FLOAT_EQ(speedFactor * Game::CBoarController::kChargeSpeedFactor, m_Boar->m_SpeedFactor);

    // Once running, the boar keeps its line, 100 ahead, wherever the player goes.
    PlacePlayer(start + CVector3D(-90.0f, 0.0f, 0.0f));
    ASSERT_TRUE(RunUntil([&] { return m_Controller->IsChargeFinished(); }, 1.5f));
    EXPECT_NEAR(start.z + 100.0f, m_Boar->GetPosition().z, 6.0f);
    EXPECT_NEAR(start.x, m_Boar->GetPosition().x, 1.0f);
    EXPECT_FALSE(m_Boar->m_Charging);
    Frame();
    EXPECT_EQ("IDLE", m_Controller->GetAnimationState());

    // Recovery, then the seek, with the boar's own speed factor again.
    ASSERT_TRUE(RunUntil([&] { return State() != "alive_charge"; }, 2.5f));
    EXPECT_EQ("alive_seek", State());
    EXPECT_FLOAT_EQ(speedFactor, m_Boar->m_SpeedFactor);
}

TEST_F(CBoarControllerTest, ABlockedRunStopsAtFourSecondsAndRecoversTwoBeforeSeeking)
{
    FreshWanderingBoar();
    ASSERT_TRUE(RunUntil(
        [&] {
            PlacePlayer(m_Boar->GetPosition() + Facing() * 50.0f);
            return State() == "alive_charge";
        },
        0.5f));
    // The player stands behind a wall along +x that the run cannot get through.
    const CVector3D start = m_Boar->GetPosition();
    PlacePlayer(start + CVector3D(50.0f, 0.0f, 0.0f));
    AddWall(start.x + 15.0f, start.z, CVector3D(4.0f, 30.0f, 80.0f));

    int frames = 0;
    while (!m_Controller->IsChargeFinished() && frames < 400) {
        Frame();
        ++frames;
    }
    EXPECT_TRUE(m_Controller->IsChargeStarted());
    EXPECT_NEAR(2.0f * Game::CBoarController::kPrepareTime, frames * kDt, 2.5f * kDt);
    EXPECT_LT(m_Boar->GetPosition().x, start.x + 13.0f) << "the wall held it";

    // It stands through the recovery, also when what held it goes away.
    const CVector3D stopped = m_Boar->GetPosition();
    RemoveWalls();
    frames = 0;
    while (State() == "alive_charge" && frames < 400) {
        Frame();
        EXPECT_TRUE(m_Controller->GetAnimationState() == "IDLE" || State() != "alive_charge");
        ++frames;
    }
    EXPECT_EQ("alive_seek", State());
    EXPECT_NEAR(Game::CBoarController::kRecoveryPeriod, frames * kDt, 2.5f * kDt);
    EXPECT_LT(Moved(stopped), 0.5f);
}

TEST_F(CBoarControllerTest, ItShedsItsHideAsItsHealthFallsAndDropsMoreCoins)
{
    EXPECT_EQ(Game::CBoarController::kCoinCount, m_Boar->m_CoinCount);
    struct Case {
        int health;
        bool tusks, flab1, flab2, flab3;
    };
    const Case cases[] = {
        {60, false, false, false, false}, {59, true, false, false, false}, {45, true, false, false, false},
        {44, true, true, false, false},   {30, true, true, false, false},  {29, true, true, true, false},
        {15, true, true, true, false},    {14, true, true, true, true},
    };
    for (const Case& c : cases) {
        m_Boar->m_Health = c.health;
        Frame();
        EXPECT_EQ(c.tusks, Shed("tusks")) << c.health;
        EXPECT_EQ(c.flab1, Shed("flab1")) << c.health;
        EXPECT_EQ(c.flab2, Shed("flab2")) << c.health;
        EXPECT_EQ(c.flab3, Shed("flab3")) << c.health;
    }
}

TEST_F(CBoarControllerTest, AStunnedSeekingBoarNeitherMovesNorCountsSeekTime)
{
    FreshWanderingBoar();
    PlacePlayer(m_Boar->GetPosition() - Facing() * 25.0f);
    ASSERT_TRUE(RunUntil([&] { return State() == "alive_seek"; }, 0.5f));
    Run(0.1f);
    ASSERT_GT(m_Controller->GetSeekTime(), 0.0f);

    // A stun without an action lock: only the seek itself can hold the boar.
    m_Boar->m_StunTimer = 0.5f;
    m_Boar->StopMoving();
    Frame();
    const float seekTime = m_Controller->GetSeekTime();
    const CVector3D held = m_Boar->GetPosition();
    Run(0.3f);
    EXPECT_EQ("alive_seek", State());
    EXPECT_FLOAT_EQ(seekTime, m_Controller->GetSeekTime());
    EXPECT_LT(Moved(held), 0.1f);
    EXPECT_EQ("STUN", m_Controller->GetAnimationState());

    ASSERT_TRUE(RunUntil([&] { return m_Boar->m_StunTimer <= 0.0f; }, 0.5f));
    Run(0.1f);
    EXPECT_GT(m_Controller->GetSeekTime(), seekTime);
    EXPECT_GT(Moved(held), 1.0f);
}

TEST_F(CBoarControllerTest, MeleeAttackAndFlightAreEnteredByNameOnly)
{
    FreshWanderingBoar();
    PlacePlayer(m_Boar->GetPosition() + Facing() * 8.0f);
    ASSERT_TRUE(RunUntil([&] { return State() == "alive_seek"; }, 0.5f));
    Run(0.5f);
    EXPECT_NE("alive_attack", State()) << "no transition leads to the melee attack";

    m_Controller->GetBehaviourMachine()->ChangeState("alive_attack");
    Frame();
    ASSERT_EQ("alive_attack", State());
    // A hit puts the due attack back by a whole cooldown.
    Run(0.5f);
    const float countdown = m_Controller->GetAttackCountdown();
    ASSERT_LT(countdown, m_Controller->GetAttackCooldown());
    const int damage = 1;
    m_Controller->OnHit(damage);
    EXPECT_FLOAT_EQ(m_Controller->GetAttackCooldown(), m_Controller->GetAttackCountdown());
    bool punched = false;
    for (int i = 0; i < 120 && !punched; ++i) {
        PlacePlayer(m_Boar->GetPosition() + Facing() * 8.0f);
        for (const std::string& attack : Frame())
            punched = punched || attack == "Punch";
    }
    EXPECT_TRUE(punched) << "the attack flock launches its punch";

    // Weak against a healthy player, it runs; far enough away, it wanders again.
    m_Player->m_Invulnerable = true;
    m_Boar->m_Health = 20;
    ASSERT_TRUE(RunUntil([&] { return State() == "alive_flee"; }, 0.5f));
    const CVector3D fleeFrom = m_Player->GetPosition();
    EXPECT_EQ(Game::TARGET_POINT, m_Controller->GetTargetKind());
    EXPECT_TRUE(RunUntil([&] { return State() == "alive_wander"; }, 5.0f));
    CVector3D away = m_Boar->GetPosition() - fleeFrom;
    away.y = 0.0f;
    EXPECT_GT(away.Length(), 80.0f);
}

TEST_F(CBoarControllerTest, AMissingHeadbuttDefinitionLeavesTheChargeIntact)
{
    const std::string attacks = m_Dir.File("attacks.xml");
    testsupport::WriteFile(attacks, "<attacks></attacks>");
    ASSERT_TRUE(Game::CAttackPool::GetInstance().LoadDefinitions(attacks));
    FreshWanderingBoar();
    ASSERT_TRUE(RunUntil(
        [&] {
            PlacePlayer(m_Boar->GetPosition() + Facing() * 50.0f);
            return State() == "alive_charge";
        },
        0.5f));
    EXPECT_TRUE(Run(2.5f).empty());
    EXPECT_TRUE(m_Controller->IsChargeStarted());
    EXPECT_TRUE(RunUntil([&] { return State() == "alive_seek"; }, 4.0f));
}

} // namespace
