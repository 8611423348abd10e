// The skeleton: its one fake death (untouchable, still an enemy of the wave, rising with half its
// health), its death for good the second time, the wind-up attack and a hit starting it over, and
// the rib cage breaking off.
#include "EnemyTestSupport.h"

#include "game/controllers/CUndeadController.h"
#include "game/world/CGameMaster.h"
#include "physics/CRigidBody.h"

#include <gtest/gtest.h>

namespace {

using Game::CCharacter;
using Game::CUndeadController;

const CVector3D kPost(40.0f, 4.0f, 0.0f);

class CUndeadControllerTest : public enemytest::EnemyFixture {
protected:
    void SetUp() override
    {
        EnemyFixture::SetUp();
        PlacePlayer(CVector3D(400.0f, 4.0f, 400.0f));
        // The player takes no knocks: it stays where a test puts it.
        m_Player->m_Invulnerable = true;
        NewSkeleton(100);
    }

    // A fresh skeleton at the post, out of the ground, in place of the last one.
    void NewSkeleton(int maxHealth)
    {
        if (m_Skeleton)
            Factory().DestroyEntity(m_Skeleton);
        m_Skeleton = Enemy("skeleton", kPost);
        m_Skeleton->m_MaxHealth = maxHealth;
        m_Skeleton->m_Health = maxHealth;
        m_Undead = ControllerOf<CUndeadController>(m_Skeleton);
        ASSERT_NE(nullptr, m_Undead);
        ASSERT_TRUE(RunUntil([&] { return State(0) == "alivestate"; }, 2.0f));
    }

    std::string State(unsigned level) const { return StateOf(m_Undead, level); }
    static int Enemies() { return Game::CGameMaster::GetInstance().GetRemainingEnemyCount(); }

    // Brought to 0 health for the first time: into the fake death.
    void FakeKill()
    {
        m_Skeleton->m_Health = 0;
        ASSERT_TRUE(RunUntil([&] { return m_Undead->IsFakeDead(); }, 0.2f));
    }

    void Engage()
    {
        PlacePlayer(m_Skeleton->GetPosition() + CVector3D(-6.0f, 0.0f, 0.0f));
        ASSERT_TRUE(RunUntil([&] { return State(1) == "alive_attack"; }, 3.0f));
    }

    CCharacter* m_Skeleton = nullptr;
    CUndeadController* m_Undead = nullptr;
};

TEST_F(CUndeadControllerTest, FirstDeathIsFeignedForJustOverEightSecondsThenItRisesWithHalfItsHealth)
{
    EXPECT_EQ(Game::UNDEAD, m_Undead->GetControllerType());
    struct Case {
        int maxHealth;
        int risesWith;
    };
    const Case cases[] = {{100, 50}, {101, 50}, {45, 22}};
    for (const Case& c : cases) {
        NewSkeleton(c.maxHealth);
        const int enemies = Enemies();
        ASSERT_GE(enemies, 1);
        FakeKill();
        EXPECT_EQ(1, m_Undead->GetFakeDeathsUsed());
        EXPECT_EQ("FAKEDEATH", Clip(*m_Skeleton));
        EXPECT_TRUE(m_Skeleton->m_Invulnerable);
        EXPECT_EQ(Game::LIFE_ALIVE, m_Skeleton->m_LifeState) << "lying, not dead";
        EXPECT_EQ(enemies, Enemies()) << "still an enemy of the wave";

        // Untouchable while it lies there.
        m_Skeleton->m_Health = 5;
        m_Skeleton->TakeDamage(3);
        EXPECT_EQ(5, m_Skeleton->m_Health);
        m_Skeleton->m_Health = 0;

        Run(7.95f);
        EXPECT_TRUE(m_Undead->IsFakeDead()) << "max " << c.maxHealth;
        EXPECT_EQ(enemies, Enemies());
        ASSERT_TRUE(RunUntil([&] { return !m_Undead->IsFakeDead(); }, 0.15f)) << "max " << c.maxHealth;
        EXPECT_EQ("alivestate", State(0));
        EXPECT_EQ(c.risesWith, m_Skeleton->m_Health) << "max " << c.maxHealth;
        EXPECT_FALSE(m_Skeleton->m_Invulnerable);
        EXPECT_EQ(Game::LIFE_ALIVE, m_Skeleton->m_LifeState);
        EXPECT_EQ(enemies, Enemies()) << "an enemy again once it stands";
        m_Skeleton->TakeDamage(3);
        EXPECT_EQ(c.risesWith - 3, m_Skeleton->m_Health) << "hurt again";
    }
}

TEST_F(CUndeadControllerTest, SecondDeathIsForGood)
{
    const int enemies = Enemies();
    FakeKill();
    ASSERT_TRUE(RunUntil([&] { return !m_Undead->IsFakeDead(); }, 8.5f));
    Run(0.2f);

    m_Skeleton->m_Health = 0;
    ASSERT_TRUE(RunUntil([&] { return State(0) == "deathstate"; }, 0.2f));
    EXPECT_FALSE(m_Undead->IsFakeDead());
    EXPECT_EQ(Game::LIFE_DYING, m_Skeleton->m_LifeState);
    EXPECT_EQ(enemies - 1, Enemies());
    Frame();
    EXPECT_EQ("DEATH", Clip(*m_Skeleton));
    ASSERT_NE(nullptr, m_Skeleton->GetBody());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, m_Skeleton->GetBody()->GetBodyType());

    ASSERT_TRUE(RunUntil([&] { return State(1) == "death_dead"; }, 2.0f));
    EXPECT_FALSE(m_Undead->m_Enabled);
    EXPECT_EQ(1, m_Undead->GetFakeDeathsUsed());
}

TEST_F(CUndeadControllerTest, StrikesWhenTheFlockLaunchesAndRaisesTheSwordForTheNext)
{
    Engage();
    const float cooldown = m_Undead->GetAttackCooldown();
    ASSERT_GT(cooldown, 0.0f);

    // The first blow comes at once; the sword strikes with it.
    bool punched = false;
    for (int i = 0; i < 30 && !punched; ++i)
        for (const std::string& attack : Frame())
            punched = punched || attack == "Punch";
    ASSERT_TRUE(punched);
    Frame();
    EXPECT_EQ("ATTACKSTRIKE", m_Undead->GetAnimationState());

    // In the last quarter of the wait the sword goes up again; the next blow strikes.
    ASSERT_TRUE(RunUntil([&] { return m_Undead->GetAnimationState() == "ATTACKDELAY"; }, 3.0f));
    EXPECT_GT(m_Undead->GetAttackTimer(), CUndeadController::kRaiseShare * cooldown);
    EXPECT_LT(m_Undead->GetAttackTimer(), cooldown);
    EXPECT_EQ("ATTACKDELAY", Clip(*m_Skeleton));
    EXPECT_TRUE(RunUntil([&] { return m_Undead->GetAnimationState() == "ATTACKSTRIKE"; }, 1.0f));
}

TEST_F(CUndeadControllerTest, AHitDuringTheWindUpStartsItOver)
{
    Engage();
    ASSERT_TRUE(RunUntil([&] { return m_Undead->GetAttackTimer() > 0.5f; }, 3.0f));
    m_Skeleton->TakeDamage(1);
    EXPECT_FLOAT_EQ(0.0f, m_Undead->GetAttackTimer());

    // No blow until a full cooldown after the hit.
    const float cooldown = m_Undead->GetAttackCooldown();
    float sinceHit = 0.0f;
    bool punched = false;
    while (!punched && sinceHit < cooldown + 1.0f) {
        for (const std::string& attack : Frame())
            punched = punched || attack == "Punch";
        sinceHit += kDt;
    }
    EXPECT_TRUE(punched);
    EXPECT_GT(sinceHit, cooldown);
}

TEST_F(CUndeadControllerTest, RibCageBreaksOffBelowSevenHealth)
{
    const auto* model = Animation(*m_Skeleton);
    ASSERT_NE(nullptr, model);
    const int whole = model->GetUnshatteredCount();
    m_Skeleton->m_Health = 7;
    Frame();
    EXPECT_EQ(whole, model->GetUnshatteredCount());
    m_Skeleton->m_Health = 6;
    Frame();
    EXPECT_EQ(whole - 1, model->GetUnshatteredCount());
}

} // namespace
