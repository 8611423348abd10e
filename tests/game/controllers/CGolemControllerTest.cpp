// The golem: its slam cycle while the player stays in reach, a slam that lands although the player
// has stepped away, its long idle spells, and the dust emitter it owns.
#include "EnemyTestSupport.h"

#include "game/controllers/CGolemController.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Game::CCharacter;
using Game::CGolemController;
using Game::CParticleManager;

class CGolemControllerTest : public enemytest::EnemyFixture {
protected:
    void SetUp() override
    {
        EnemyFixture::SetUp();
        m_Golem = Enemy("golem", CVector3D(0.0f, 8.0f, 0.0f), CVector3D(1.0f, 0.0f, 0.0f));
        m_Controller = ControllerOf<CGolemController>(m_Golem);
        ASSERT_NE(nullptr, m_Controller);
        Reattach(m_Golem, DefaultSetting());
        PlacePlayer(CVector3D(400.0f, 4.0f, 400.0f));
        ASSERT_TRUE(RunUntil([&] { return State(1) == "alive_wander"; }, 2.0f));
    }

    std::string State(unsigned level) const { return StateOf(m_Controller, level); }

    static size_t Registrations(const Game::CParticleEmitter* emitter)
    {
        const auto& emitters = CParticleManager::GetInstance().GetEmitters();
        return static_cast<size_t>(std::count(emitters.begin(), emitters.end(), emitter));
    }

    static bool Struck(const std::vector<std::string>& attacks)
    {
        return std::find(attacks.begin(), attacks.end(), "GolemAOE") != attacks.end();
    }

    CCharacter* m_Golem = nullptr;
    CGolemController* m_Controller = nullptr;
};

TEST_F(CGolemControllerTest, APlayerStayingInReachIsStruckAfterEveryWindUp)
{
    m_Player->m_Invulnerable = true;
    const CVector3D spot = m_Golem->GetPosition() + CVector3D(11.0f, 0.0f, 0.0f);
    std::vector<float> strikes;
    float chargeBegan = -1.0f;
    std::string animation = m_Controller->GetAnimationState();
    for (int frame = 1; frame <= int(10.0f / kDt); ++frame) {
        // Knocked back by each slam, the player steps back to where it stood.
        PlacePlayer(spot);
        const std::vector<std::string> attacks = Frame();
        const float now = frame * kDt;
        const std::string previous = animation;
        animation = m_Controller->GetAnimationState();
        if (animation == "ATTACKCHARGE" && previous != "ATTACKCHARGE")
            chargeBegan = now;
        if (!Struck(attacks))
            continue;
        strikes.push_back(now);
        EXPECT_EQ("ATTACKCHARGE", previous) << "every slam follows a wind-up";
        EXPECT_GE(now - chargeBegan, CGolemController::kChargeDuration) << now;
        EXPECT_EQ("ATTACKSTRIKE", animation);
        EXPECT_EQ("ATTACKING", Clip(*m_Golem));
        // The dust bursts under the golem's feet and plays from the start.
        const Game::CParticleEmitter* dust = m_Controller->GetBoomEmitter();
        ASSERT_NE(nullptr, dust);
        EXPECT_NEAR(m_Golem->GetPosition().y - (m_Golem->GetDimensions().y * 0.5f + CGolemController::kBoomDrop),
                    dust->GetPosition().y, 0.1f);
        CParticleManager::GetInstance().Update(kDt);
        EXPECT_GT(dust->GetDrawnCount(), 0u);
    }
    ASSERT_GE(strikes.size(), 3u);
    for (size_t i = 1; i < strikes.size(); ++i) {
        const float gap = strikes[i] - strikes[i - 1];
        EXPECT_GT(gap, CGolemController::kChargeDuration);
        EXPECT_LT(gap, CGolemController::kChargeDuration + 1.0f) << "the wind-up plus the slam's clip";
    }
    EXPECT_EQ("alive_attack", State(1));
}

TEST_F(CGolemControllerTest, APlayerSteppingOutDuringTheWindUpIsStillStruckThenFollowed)
{
    PlacePlayer(m_Golem->GetPosition() + CVector3D(11.0f, 0.0f, 0.0f));
    ASSERT_TRUE(RunUntil([&] { return State(2) == "alive_attack_charging"; }, 1.0f));
    Run(0.5f);
    // Out of reach, still in sight.
    PlacePlayer(m_Golem->GetPosition() + CVector3D(40.0f, 0.0f, 0.0f));
    bool struck = false;
    for (int i = 0; i < 150 && !struck; ++i)
        struck = Struck(Frame());
    ASSERT_TRUE(struck);
    EXPECT_FALSE(m_Controller->IsStrikePending());

    // It stands until the slam's clip has ended, then follows.
    const Game::CVeskCubeAnimationController* animation = Animation(*m_Golem);
    bool finishedBefore = false;
    int frames = 0;
    while (State(1) == "alive_attack" && frames < 120) {
        finishedBefore = animation->IsFinished() && Clip(*m_Golem) == "ATTACKING";
        Frame();
        ++frames;
    }
    EXPECT_EQ("alive_seek", State(1));
    EXPECT_TRUE(finishedBefore);
    EXPECT_GT(frames, 2);
    EXPECT_TRUE(RunUntil([&] { return State(1) == "alive_attack"; }, 5.0f)) << "it walks up to the player again";
}

TEST_F(CGolemControllerTest, AnIdleTurnLastsUpToSixteenSeconds)
{
    float longestIdle = 0.0f;
    int idleTurns = 0;
    for (int turn = 0; turn < 60; ++turn) {
        // A new wander turn at once.
        m_Controller->GetBehaviourMachine()->RestartState(Game::CEnemyController::Machine::kDeepest);
        Frame();
        ASSERT_EQ("alive_wander", State(1));
        const float timer = m_Controller->GetWanderTimer();
        if (m_Controller->IsIdleTurn()) {
            ++idleTurns;
            longestIdle = std::max(longestIdle, timer);
            EXPECT_LE(timer, 16.0f);
            EXPECT_EQ("IDLE", m_Controller->GetAnimationState());
        } else {
            EXPECT_LE(timer, 2.0f);
        }
    }
    EXPECT_GT(idleTurns, 5);
    EXPECT_GT(longestIdle, 8.0f) << "longer than any other enemy's idle turn";
}

TEST_F(CGolemControllerTest, TheDustEmitterIsRegisteredOnceWhileAttachedAndFreedOnDetach)
{
    const size_t before = CParticleManager::GetInstance().GetEmitters().size();
    ASSERT_NE(nullptr, m_Controller->GetBoomEmitter());
    EXPECT_EQ(1u, Registrations(m_Controller->GetBoomEmitter()));
    EXPECT_EQ(200u, m_Controller->GetBoomEmitter()->GetParticles().size());
    EXPECT_FALSE(m_Controller->GetBoomEmitter()->IsLooping());

    // Attached again without a detach: still one emitter.
    Game::ControllerSetting setting = DefaultSetting();
    setting.m_Owner = Game::EntityHandle(m_Golem);
    m_Controller->Attach(setting);
    EXPECT_EQ(before, CParticleManager::GetInstance().GetEmitters().size());
    EXPECT_EQ(1u, Registrations(m_Controller->GetBoomEmitter()));

    m_Controller->Detach();
    EXPECT_EQ(nullptr, m_Controller->GetBoomEmitter());
    EXPECT_EQ(before - 1, CParticleManager::GetInstance().GetEmitters().size());
    // An emitter left registered would be aged here after being freed.
    CParticleManager::GetInstance().Update(kDt);
    Frame();
}

TEST_F(CGolemControllerTest, AMissingSlamDefinitionStillRaisesTheDust)
{
    const std::string attacks = m_Dir.File("attacks.xml");
    testsupport::WriteFile(attacks, "<attacks></attacks>");
    ASSERT_TRUE(Game::CAttackPool::GetInstance().LoadDefinitions(attacks));
    PlacePlayer(m_Golem->GetPosition() + CVector3D(11.0f, 0.0f, 0.0f));
    ASSERT_TRUE(RunUntil([&] { return State(2) == "alive_attack_strike"; }, 4.0f));
    EXPECT_TRUE(Attacks().empty());
    CParticleManager::GetInstance().Update(kDt);
    EXPECT_GT(m_Controller->GetBoomEmitter()->GetDrawnCount(), 0u);
    EXPECT_TRUE(RunUntil([&] { return State(2) == "alive_attack_charging"; }, 1.0f)) << "and winds up again";
}

} // namespace
