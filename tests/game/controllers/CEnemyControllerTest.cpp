// The shared enemy construction, exercised through the slime (the kind that adds least to it):
// the target scan, the animation hold during a stun, the frozen behaviour under an action lock,
// and the slime's own loop and death.
#include "EnemyTestSupport.h"

#include "game/controllers/CApparationController.h"
#include "game/controllers/CSlimeController.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Game::CCharacter;
using Game::CSlimeController;

class CEnemyControllerTest : public enemytest::EnemyFixture {
protected:
    void SetUp() override
    {
        EnemyFixture::SetUp();
        m_Slime = Enemy("slime", CVector3D(0.0f, 4.0f, 0.0f), CVector3D(1.0f, 0.0f, 0.0f));
        m_Controller = ControllerOf<CSlimeController>(m_Slime);
        ASSERT_NE(nullptr, m_Controller);
        Reattach(m_Slime, DefaultSetting());
        // Far off, so that the slime notices nobody until a test moves the player.
        PlacePlayer(CVector3D(400.0f, 4.0f, 400.0f));
    }

    // Where the player is, as seen by the slime's scan: 'n' near, 's' seen, '-' neither.
    char Sense(const CVector3D& offset)
    {
        PlacePlayer(m_Slime->GetPosition() + offset);
        std::vector<Game::CEntity*> nearTargets;
        std::vector<Game::CEntity*> seenTargets;
        m_Controller->ScanForTargets(nearTargets, seenTargets);
        EXPECT_LE(nearTargets.size() + seenTargets.size(), 1u);
        return !nearTargets.empty() ? 'n' : !seenTargets.empty() ? 's' : '-';
    }

    static CVector3D AtDegrees(float degrees, float distance)
    {
        const float radians = degrees / Game::CEnemyController::kDegreesPerRadian;
        return CVector3D(std::cos(radians) * distance, 0.0f, std::sin(radians) * distance);
    }

    CCharacter* m_Slime = nullptr;
    CSlimeController* m_Controller = nullptr;
};

TEST_F(CEnemyControllerTest, ScanSortsThePlayerByRadiusAndViewCone)
{
    ASSERT_FLOAT_EQ(30.0f, m_Controller->GetDetectionRadius());
    ASSERT_FLOAT_EQ(45.0f, m_Controller->GetHalfFovDegrees());
    ASSERT_FLOAT_EQ(100.0f, m_Controller->GetFovLength());
    struct Case {
        const char* what;
        CVector3D offset;
        char expected;
    };
    const Case cases[] = {
        {"straight ahead inside the radius", CVector3D(10.0f, 0.0f, 0.0f), 'n'},
        {"behind inside the radius", CVector3D(-29.0f, 0.0f, 0.0f), 'n'},
        {"exactly on the radius, ahead", CVector3D(30.0f, 0.0f, 0.0f), 's'},
        {"exactly on the radius, behind", CVector3D(-30.0f, 0.0f, 0.0f), '-'},
        {"ahead at 50", CVector3D(50.0f, 0.0f, 0.0f), 's'},
        {"44 degrees off at 50", AtDegrees(44.0f, 50.0f), 's'},
        {"46 degrees off at 50", AtDegrees(46.0f, 50.0f), '-'},
        {"ahead beyond the view length", CVector3D(100.5f, 0.0f, 0.0f), '-'},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Sense(c.offset)) << c.what;

    // A cone wider than a half turn still sees nothing behind the enemy.
    Game::ControllerSetting wide = DefaultSetting();
    wide.m_FovDegrees = 200.0f;
    Reattach(m_Slime, wide);
    EXPECT_EQ('s', Sense(AtDegrees(80.0f, 50.0f)));
    EXPECT_EQ('-', Sense(AtDegrees(100.0f, 50.0f)));
    EXPECT_EQ('-', Sense(CVector3D(-50.0f, 0.0f, 0.0f)));
}

TEST_F(CEnemyControllerTest, ChooseTargetPrefersTheNearAndForgetsADyingPlayer)
{
    PlacePlayer(m_Slime->GetPosition() + CVector3D(50.0f, 0.0f, 0.0f));
    ASSERT_TRUE(m_Controller->RefreshTargets());
    EXPECT_EQ(m_Player, m_Controller->ChooseTarget());

    m_Player->m_LifeState = Game::LIFE_DYING;
    EXPECT_FALSE(m_Controller->RefreshTargets());
    EXPECT_EQ(nullptr, m_Controller->ChooseTarget());
}

TEST_F(CEnemyControllerTest, AnimationRequestsDuringAStunWaitForItsEnd)
{
    Run(0.2f);
    ASSERT_EQ("IDLE", m_Controller->GetAnimationState());

    // A stun out of "IDLE" with no request comes back to "IDLE".
    m_Slime->m_StunTimer = 0.3f;
    Frame();
    Frame();
    ASSERT_EQ("STUN", m_Controller->GetAnimationState());
    EXPECT_EQ("IDLE", m_Controller->GetHeldAnimation());
    EXPECT_EQ("STUN", Clip(*m_Slime));
    ASSERT_TRUE(RunUntil([&] { return m_Controller->GetAnimationState() != "STUN"; }, 1.0f));
    EXPECT_EQ("IDLE", m_Controller->GetAnimationState());
    EXPECT_EQ("", m_Controller->GetHeldAnimation());

    // Two requests during one stun: nothing changes until it ends, then the last one plays.
    m_Slime->m_StunTimer = 0.3f;
    Frame();
    Frame();
    ASSERT_EQ("STUN", m_Controller->GetAnimationState());
    m_Controller->RequestAnimation("WALK");
    Frame();
    m_Controller->RequestAnimation("FEEDBACK");
    Frame();
    EXPECT_EQ("STUN", m_Controller->GetAnimationState());
    EXPECT_EQ("FEEDBACK", m_Controller->GetHeldAnimation());
    ASSERT_TRUE(RunUntil([&] { return m_Controller->GetAnimationState() != "STUN"; }, 1.0f));
    EXPECT_LE(m_Slime->m_StunTimer, 0.0f);
    EXPECT_EQ("FEEDBACK", m_Controller->GetAnimationState());
    EXPECT_EQ("FEEDBACK", Clip(*m_Slime));
}

TEST_F(CEnemyControllerTest, SlimeBehaviourWaitsOutAStunWhileItsAnimationsGoOn)
{
    Frame();
    Frame();
    ASSERT_EQ("alive_wander", m_Controller->GetStateName(1));
    const float timer = m_Controller->GetWanderTimer();
    m_Slime->m_StunTimer = 0.5f;
    Frame();
    Frame();
    EXPECT_FLOAT_EQ(timer, m_Controller->GetWanderTimer()) << "the wander turn waits";
    EXPECT_EQ("STUN", m_Controller->GetAnimationState());
    // An action lock alone does not hold a slime.
    ASSERT_TRUE(RunUntil([&] { return m_Slime->m_StunTimer <= 0.0f; }, 1.0f));
    m_Slime->ExtendActionLock(0.5f);
    Frame();
    EXPECT_NE(timer, m_Controller->GetWanderTimer());
}

TEST_F(CEnemyControllerTest, SlimeStartsAliveAndWandersSeeksAndAttacksThroughTheFlock)
{
    Frame();
    EXPECT_EQ("alivestate", m_Controller->GetStateName(0)) << "no spawn rise";
    EXPECT_EQ(m_Controller->GetBehaviourMachine()->FindState("spawnstate"), nullptr);

    // The player walks up close: the slime seeks it, reaches it and lands punches.
    PlacePlayer(m_Slime->GetPosition() + CVector3D(20.0f, 0.0f, 0.0f));
    ASSERT_TRUE(RunUntil([&] { return m_Controller->GetStateName(1) == "alive_seek"; }, 1.0f));
    EXPECT_EQ("WALK", m_Controller->GetAnimationState());
    ASSERT_TRUE(RunUntil([&] { return m_Controller->GetStateName(1) == "alive_attack"; }, 3.0f));
    bool punched = false;
    for (int i = 0; i < 240 && !punched; ++i)
        for (const std::string& attack : Frame())
            punched = punched || attack == "Punch";
    EXPECT_TRUE(punched);

    // Out of sight and reach again: back to wandering.
    PlacePlayer(CVector3D(400.0f, 4.0f, 400.0f));
    EXPECT_TRUE(RunUntil([&] { return m_Controller->GetStateName(1) == "alive_wander"; }, 1.0f));
}

TEST_F(CEnemyControllerTest, SlimeNeverFleesAndDiesOnceItsStunIsOver)
{
    PlacePlayer(m_Slime->GetPosition() + CVector3D(8.0f, 0.0f, 0.0f));
    ASSERT_TRUE(RunUntil([&] { return m_Controller->GetStateName(1) == "alive_attack"; }, 3.0f));
    m_Slime->m_Health = 5;
    Run(1.0f);
    EXPECT_NE(nullptr, m_Controller->GetBehaviourMachine()->FindState("alive_attack"));
    EXPECT_EQ(nullptr, m_Controller->GetBehaviourMachine()->FindState("alive_flee"));
    EXPECT_EQ("alivestate", m_Controller->GetStateName(0));

    m_Slime->m_Health = 0;
    m_Slime->m_StunTimer = 0.5f;
    Run(0.3f);
    EXPECT_EQ("alivestate", m_Controller->GetStateName(0)) << "the stun holds the behaviour";
    ASSERT_TRUE(RunUntil([&] { return m_Controller->GetStateName(1) == "death_dead"; }, 1.0f));
    EXPECT_FALSE(m_Controller->m_Enabled);
    EXPECT_GE(m_Slime->m_LifeState, Game::LIFE_DYING);
    ASSERT_NE(nullptr, m_Slime->GetBody());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, m_Slime->GetBody()->GetBodyType());
}

TEST_F(CEnemyControllerTest, HealthRatioIsAClampedFloatShare)
{
    struct Case {
        int health;
        int maximum;
        float expected;
    };
    const Case cases[] = {{45, 100, 0.45f}, {1, 3, 1.0f / 3.0f}, {5, 0, 0.0f}, {150, 100, 1.0f}, {-5, 100, 0.0f}};
    for (const Case& c : cases) {
        m_Slime->m_Health = c.health;
        m_Slime->m_MaxHealth = c.maximum;
        EXPECT_FLOAT_EQ(c.expected, m_Slime->GetHealthRatio()) << c.health << "/" << c.maximum;
    }
}

TEST_F(CEnemyControllerTest, AnEnemyRisesOutOfTheGroundAndStaysOnIt)
{
    // The ghost rises from the ground as every enemy with a spawn state does.
    CCharacter* ghost = Enemy("ghost", CVector3D(-60.0f, 4.0f, 0.0f));
    auto* controller = ControllerOf<Game::CApparationController>(ghost);
    ASSERT_NE(nullptr, controller);
    Frame();
    ASSERT_EQ("spawnstate", controller->GetStateName(0));
    EXPECT_LT(ghost->GetPosition().y, 0.0f) << "starts below the ground";
    ASSERT_TRUE(RunUntil([&] { return controller->GetStateName(0) == "alivestate"; }, 2.0f));
    float lowest = ghost->GetPosition().y;
    for (int i = 0; i < 30; ++i) {
        Frame();
        lowest = std::min(lowest, ghost->GetPosition().y);
    }
    EXPECT_GT(lowest, 3.5f) << "standing on the ground after the rise";
}

} // namespace
