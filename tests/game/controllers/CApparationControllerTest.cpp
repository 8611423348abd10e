// The ghost: its fireball volleys and their particle bursts, the turn away when a fight ends, the
// dodge window after a hit, its restless wandering after a fight, its death by the death clip and
// the burst emitter's lifetime.
#include "EnemyTestSupport.h"

#include "game/controllers/CApparationController.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"
#include "particles/CParticleSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using Game::CApparationController;
using Game::CCharacter;

const CVector3D kFarAway(400.0f, 4.0f, 400.0f);

class CApparationControllerTest : public enemytest::EnemyFixture {
protected:
    CApparationControllerTest() { m_Models.push_back("fireball"); }

    void SetUp() override
    {
        EnemyFixture::SetUp();
        PlacePlayer(kFarAway);
        m_Ghost = Enemy("ghost", CVector3D(0.0f, 4.0f, 0.0f), CVector3D(1.0f, 0.0f, 0.0f));
        m_Controller = ControllerOf<CApparationController>(m_Ghost);
        ASSERT_NE(nullptr, m_Controller);
        ASSERT_TRUE(RunUntil([&] { return Behaviour() == "alive_wander"; }, 2.0f)) << "risen and wandering";
    }

    std::string Behaviour() const { return StateOf(m_Controller, 1); }

    // Places the player at the offset from the ghost and waits for the volley to begin.
    void StartVolley(const CVector3D& offset = CVector3D(40.0f, 0.0f, 0.0f))
    {
        PlacePlayer(m_Ghost->GetPosition() + offset);
        ASSERT_TRUE(RunUntil([&] { return Behaviour() == "alive_attack"; }, 1.0f));
    }

    static int Fireballs(const std::vector<std::string>& spawned)
    {
        return static_cast<int>(std::count(spawned.begin(), spawned.end(), CApparationController::kFireball));
    }

    static float HorizontalSpeed(const CCharacter& character)
    {
        const CVector3D v = Velocity(character);
        return std::sqrt(v.x * v.x + v.z * v.z);
    }

    // The ghost's hit landed (a dodged one is tried again, a few times at most).
    bool LandHit()
    {
        const int before = m_Ghost->m_Health;
        for (int i = 0; i < 20 && m_Ghost->m_Health == before; ++i)
            m_Ghost->TakeDamage(1);
        return m_Ghost->m_Health < before;
    }

    static bool IsRegistered(const Game::CParticleEmitter* emitter)
    {
        const auto& emitters = Game::CParticleManager::GetInstance().GetEmitters();
        return std::find(emitters.begin(), emitters.end(), emitter) != emitters.end();
    }

    static bool AllParticlesAtAge(const Game::CParticleEmitter& emitter, float age)
    {
        const auto& particles = emitter.GetParticles();
        return !particles.empty() &&
               std::all_of(particles.begin(), particles.end(), [&](const Game::Particle& p) { return p.age == age; });
    }

    CCharacter* m_Ghost = nullptr;
    CApparationController* m_Controller = nullptr;
};

TEST_F(CApparationControllerTest, VolleysHoldOneToThreeFireballsTheFirstOneCooldownAfterStopping)
{
    m_Player->m_Invulnerable = true;
    StartVolley();
    EXPECT_LT(HorizontalSpeed(*m_Ghost), 1e-3f) << "the ghost stops to shoot";
    EXPECT_EQ("IDLE", m_Controller->GetAnimationState());

    const float cooldown = m_Controller->GetAttackCooldown();
    ASSERT_GT(cooldown, 0.0f);
    int frames = 0;
    int fired = 0;
    while (fired == 0 && frames < int(cooldown / kDt) + 30) {
        fired = Fireballs(Frame());
        ++frames;
    }
    ASSERT_EQ(1, fired);
    EXPECT_NEAR(cooldown / kDt, float(frames), 2.0f);

    // This and the following volleys, the player standing by: each ends after its own size.
    std::set<int> sizes;
    for (int volley = 0; volley < 8; ++volley) {
        if (volley > 0) {
            ASSERT_TRUE(RunUntil([&] { return Behaviour() == "alive_attack"; }, 2.0f)) << "volley " << volley;
            fired = 0;
        }
        for (int i = 0; i < 900 && Behaviour() == "alive_attack"; ++i)
            fired += Fireballs(Frame());
        ASSERT_EQ("alive_wander", Behaviour());
        const int size = m_Controller->GetVolleySize();
        EXPECT_GE(size, 1);
        EXPECT_LE(size, 3);
        EXPECT_EQ(size, fired) << "volley " << volley;
        EXPECT_TRUE(m_Controller->HasTurnedAway());
        sizes.insert(size);
    }
    EXPECT_GT(sizes.size(), 1u) << "the volley size is drawn anew each time";
}

TEST_F(CApparationControllerTest, EachShotIsHeraldedByABurstAtTheGhost)
{
    // Settled on the ground after its rise.
    Run(1.0f);
    StartVolley();
    Game::CParticleEmitter* emitter = m_Controller->GetEmitter();
    ASSERT_NE(nullptr, emitter);
    ASSERT_FALSE(emitter->GetParticles().empty()) << "the effect is in the effects file";
    const CVector3D expected =
        m_Ghost->GetPosition() + CVector3D(0.0f, 2.85f - m_Ghost->GetDimensions().y * 0.5f, 0.0f);
    // Placed as the ghost stopped, within a frame's walk of where it stands now.
    EXPECT_NEAR(expected.x, emitter->GetPosition().x, 0.25f);
    EXPECT_NEAR(expected.y, emitter->GetPosition().y, 0.1f);
    EXPECT_NEAR(expected.z, emitter->GetPosition().z, 0.25f);

    Frame();
    EXPECT_TRUE(AllParticlesAtAge(*emitter, 0.0f)) << "the burst starts with the cooldown";

    // Once started, the burst is not restarted until the next shot.
    emitter->Update(60.0f);
    int fired = 0;
    while (fired == 0 && m_Controller->GetAttackCountdown() > 0.0f && Behaviour() == "alive_attack") {
        EXPECT_TRUE(AllParticlesAtAge(*emitter, 60.0f));
        fired = Fireballs(Frame());
    }
    ASSERT_EQ(1, fired);
    if (m_Controller->GetVolleySize() > 1) {
        // The ghost's own shot locks it briefly; its next cooldown begins with a new burst.
        ASSERT_TRUE(RunUntil([&] { return AllParticlesAtAge(*emitter, 0.0f); }, 0.5f));
    }
}

TEST_F(CApparationControllerTest, GhostFireballFliesStraightAtThePlayerAndHurts)
{
    SettleIn();
    const int health = m_Player->m_Health;
    StartVolley(CVector3D(30.0f, 0.0f, 0.0f));
    const Game::AttackRecord* fireball = nullptr;
    ASSERT_TRUE(RunUntil(
        [&] {
            for (const Game::AttackRecord* attack : Attacks())
                if (attack->m_Name == CApparationController::kFireball && attack->m_User.Get() == m_Ghost)
                    fireball = attack;
            return fireball != nullptr;
        },
        m_Controller->GetAttackCooldown() + 0.2f));
    EXPECT_EQ(Game::ATTACK_FLIES, fireball->m_MovementType);
    ASSERT_NE(nullptr, fireball->m_pBody);
    const CVector3D toPlayer = (m_Player->GetPosition() - m_Ghost->GetPosition()).GetNormalized();
    const CVector3D velocity = fireball->m_pBody->GetLinearVelocity();
    EXPECT_GT(velocity.Length(), 10.0f);
    EXPECT_GT(velocity.GetNormalized().Dot(toPlayer), 0.95f);

    EXPECT_TRUE(RunUntil([&] { return m_Player->m_Health < health; }, 2.0f)) << "the fireball reaches the player";
}

TEST_F(CApparationControllerTest, APlayerWhoLeavesEndsTheVolleyAtOnceWithATurnAwayAndAWalk)
{
    StartVolley();
    EXPECT_FALSE(m_Controller->HasTurnedAway());
    EXPECT_EQ(0, Fireballs(Run(0.5f)));

    PlacePlayer(kFarAway);
    EXPECT_EQ(0, Fireballs(Frame()));
    EXPECT_TRUE(m_Controller->HasTurnedAway());
    const CVector3D facing = m_Ghost->GetDirection();
    EXPECT_NEAR(0.0f, facing.y, 1e-5f);
    EXPECT_NEAR(1.0f, facing.Length(), 1e-4f);

    EXPECT_EQ(0, Fireballs(Frame()));
    EXPECT_EQ("alive_wander", Behaviour());
    EXPECT_FALSE(m_Controller->IsIdleTurn());
    EXPECT_EQ("WALK", m_Controller->GetAnimationState());
    EXPECT_EQ(0, Fireballs(Run(0.3f)));
    EXPECT_GT(HorizontalSpeed(*m_Ghost), 1.0f) << "walking off";
}

TEST_F(CApparationControllerTest, AfterItsFirstFightTheGhostNeverIdles)
{
    // Before any fight it stands about now and then.
    EXPECT_TRUE(RunUntil([&] { return m_Controller->IsIdleTurn(); }, 40.0f));

    StartVolley();
    PlacePlayer(kFarAway);
    ASSERT_TRUE(RunUntil([&] { return Behaviour() == "alive_wander"; }, 0.5f));
    int turns = 0;
    float lastTimer = m_Controller->GetWanderTimer();
    for (int i = 0; i < int(40.0f / kDt); ++i) {
        Frame();
        // Between two turns the wander state is briefly left and entered again.
        ASSERT_NE("alive_attack", Behaviour());
        ASSERT_FALSE(m_Controller->IsIdleTurn()) << "at " << i * kDt << " s";
        ASSERT_NE("IDLE", m_Controller->GetAnimationState());
        if (m_Controller->GetWanderTimer() > lastTimer)
            ++turns;
        lastTimer = m_Controller->GetWanderTimer();
    }
    EXPECT_GT(turns, 10) << "it keeps taking new turns";
}

TEST_F(CApparationControllerTest, AHitOpensADodgeWindowOfFiveSecondsFromTheLatestHit)
{
    m_Ghost->m_MaxHealth = m_Ghost->m_Health = 100000;
    EXPECT_FALSE(m_Ghost->m_Dodging);
    ASSERT_TRUE(LandHit());
    EXPECT_TRUE(m_Ghost->m_Dodging);
    EXPECT_FLOAT_EQ(CApparationController::kDodgeLength, m_Controller->GetDodgeLength());

    // While dodging about one hit in three is ignored.
    int ignored = 0;
    for (int i = 0; i < 900; ++i) {
        const int before = m_Ghost->m_Health;
        m_Ghost->TakeDamage(1);
        ignored += m_Ghost->m_Health == before ? 1 : 0;
    }
    EXPECT_GT(ignored, 240);
    EXPECT_LT(ignored, 360);

    Run(4.0f);
    EXPECT_TRUE(m_Ghost->m_Dodging);
    ASSERT_TRUE(LandHit()) << "a new hit restarts the window";
    Run(4.5f);
    EXPECT_TRUE(m_Ghost->m_Dodging);
    int frames = int(4.5f / kDt + 0.5f);
    while (m_Ghost->m_Dodging && frames < int(6.0f / kDt)) {
        Frame();
        ++frames;
    }
    EXPECT_FALSE(m_Ghost->m_Dodging);
    EXPECT_NEAR(5.0f / kDt, float(frames), 2.0f);
}

TEST_F(CApparationControllerTest, DeathWaitsForTheDeathClipEvenWhenStunned)
{
    ASSERT_NE(nullptr, Animation(*m_Ghost));
    m_Ghost->m_StunTimer = 1.0f;
    Frame();
    Frame();
    ASSERT_EQ("STUN", m_Controller->GetAnimationState());

    m_Ghost->m_Health = 0;
    ASSERT_TRUE(RunUntil([&] { return Behaviour() == "death_dying"; }, 0.2f));
    Frame();
    EXPECT_EQ("DEATH", m_Controller->GetAnimationState()) << "no hold for the stun";
    EXPECT_EQ("DEATH", Clip(*m_Ghost));
    ASSERT_NE(nullptr, m_Ghost->GetBody());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, m_Ghost->GetBody()->GetBodyType());

    int dyingFrames = 0;
    int finishedFrames = 0;
    while (Behaviour() == "death_dying" && dyingFrames < 600) {
        ASSERT_TRUE(m_Controller->m_Enabled);
        ++dyingFrames;
        finishedFrames += Animation(*m_Ghost)->IsFinished() ? 1 : 0;
        Frame();
    }
    ASSERT_EQ("death_dead", Behaviour());
    EXPECT_TRUE(Animation(*m_Ghost)->IsFinished());
    EXPECT_GT(dyingFrames, 10) << "the clip plays out";
    // The finished clip is noticed in the next frame and the change made in the one after.
    EXPECT_LE(finishedFrames, 2) << "and no longer";
    EXPECT_FALSE(m_Controller->m_Enabled);
    EXPECT_GE(m_Ghost->m_LifeState, Game::LIFE_DYING);
}

TEST_F(CApparationControllerTest, TheBurstEmitterLeavesWithTheController)
{
    const Game::CParticleEmitter* emitter = m_Controller->GetEmitter();
    ASSERT_NE(nullptr, emitter);
    EXPECT_TRUE(IsRegistered(emitter));
    const Vesk::CDisplayParticles* display = emitter->GetDisplayParticles();
    ASSERT_NE(nullptr, display);
    const auto& registered = Vesk::CParticleSystem::GetInstance().GetRegistered();

    m_Controller->Detach();
    EXPECT_EQ(nullptr, m_Controller->GetEmitter());
    EXPECT_FALSE(IsRegistered(emitter));
    EXPECT_EQ(registered.end(), std::find(registered.begin(), registered.end(), display));
    Game::CParticleManager::GetInstance().Update(kDt);

    // Attached again: a new emitter; the ghost destroyed while attached takes it along.
    Reattach(m_Ghost, m_Controller->GetSetting());
    ASSERT_NE(nullptr, m_Controller->GetEmitter());
    emitter = m_Controller->GetEmitter();
    EXPECT_TRUE(IsRegistered(emitter));
    Factory().DestroyEntity(m_Ghost);
    EXPECT_FALSE(IsRegistered(emitter));
    Game::CParticleManager::GetInstance().Update(kDt);
}

} // namespace
