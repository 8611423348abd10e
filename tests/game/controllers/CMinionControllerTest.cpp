// The kobold minion: fleeing when it is losing, the theft of a pickup on the way (claim, pick-up,
// carry, drop, and the ends where the item, the thief or its life goes), shedding parts as it
// weakens, a hit putting its next punch off, its swing, its death, and the frozen behaviour under
// an action lock.
#include "EnemyTestSupport.h"

#include "game/controllers/CMinionController.h"
#include "game/entities/CPickupItem.h"
#include "physics/CRigidBody.h"

#include <gtest/gtest.h>

namespace {

using Game::CCharacter;
using Game::CMinionController;
using Game::CPickupItem;

const CVector3D kPost(40.0f, 4.0f, 0.0f);

class CMinionControllerTest : public enemytest::EnemyFixture {
protected:
    void SetUp() override
    {
        EnemyFixture::SetUp();
        // Far off, so that the minion notices nobody until a test moves the player.
        PlacePlayer(CVector3D(400.0f, 4.0f, 400.0f));
        // The player takes no knocks: it stays where a test puts it.
        m_Player->m_Invulnerable = true;
        NewMinion();
    }

    // A fresh minion at the post in place of the last one.
    void NewMinion()
    {
        if (m_Minion)
            Factory().DestroyEntity(m_Minion);
        m_Minion = Enemy("koboldminion", kPost);
        m_Minion->m_MaxHealth = 100;
        m_Minion->m_Health = 100;
        m_Thief = ControllerOf<CMinionController>(m_Minion);
        ASSERT_NE(nullptr, m_Thief);
    }

    std::string State(unsigned level) const { return StateOf(m_Thief, level); }

    // The player steps up beside the minion, which attacks it.
    void Engage()
    {
        PlacePlayer(m_Minion->GetPosition() + CVector3D(-6.0f, 0.0f, 0.0f));
        ASSERT_TRUE(RunUntil([&] { return State(1) == "alive_attack"; }, 4.0f));
    }

    // Health out of 100 of the minion and of the player.
    void SetHealth(int own, int player)
    {
        m_Minion->m_Health = own;
        m_Player->m_MaxHealth = 100;
        m_Player->m_Health = player;
    }

    // An engaged minion losing the fight: it is about to flee.
    void LoseFight()
    {
        Engage();
        SetHealth(40, 80);
    }

    CPickupItem* Coin(const CVector3D& at)
    {
        Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::PICKUPITEM, "smallcoin");
        setting.m_StartPosition = at;
        auto* coin = dynamic_cast<CPickupItem*>(Make(Game::PICKUPITEM, "smallcoin", setting));
        EXPECT_NE(nullptr, coin);
        return coin;
    }

    // A minion running off with a coin it has picked up; the player has gone away meanwhile, so
    // that the minion wanders once the theft is over.
    CPickupItem* StartCarry()
    {
        CPickupItem* coin = Coin(m_Minion->GetPosition() + CVector3D(0.0f, 0.0f, 20.0f));
        LoseFight();
        EXPECT_TRUE(RunUntil([&] { return State(1) == "alive_stealitem"; }, 0.5f));
        PlacePlayer(CVector3D(400.0f, 4.0f, 400.0f));
        EXPECT_TRUE(RunUntil([&] { return State(2) == "alive_stealitem_drop"; }, 4.0f));
        return coin;
    }

    static int BodyType(const Game::CEntity& entity) { return entity.GetBody() ? entity.GetBody()->GetBodyType() : -1; }

    float DistanceToPlayer() const { return (m_Player->GetPosition() - m_Minion->GetPosition()).Length(); }

    CCharacter* m_Minion = nullptr;
    CMinionController* m_Thief = nullptr;
};

TEST_F(CMinionControllerTest, FleesWhenLosingByTheShareOfHealthOnBothSides)
{
    EXPECT_EQ(Game::MINION, m_Thief->GetControllerType());
    struct Case {
        int own;
        int player;
        bool flees;
    };
    const Case cases[] = {{45, 25, true}, {46, 25, false}, {45, 24, false}, {10, 100, true}};
    for (const Case& c : cases) {
        NewMinion();
        Engage();
        SetHealth(c.own, c.player);
        Run(0.1f);
        EXPECT_EQ(c.flees ? "alive_flee" : "alive_attack", State(1)) << c.own << " against " << c.player;
    }
}

TEST_F(CMinionControllerTest, FlightEndsOnlyBeyondEightyUnitsAndTurnsToWandering)
{
    LoseFight();
    ASSERT_TRUE(RunUntil([&] { return State(1) == "alive_flee"; }, 0.5f));
    EXPECT_EQ("WALK", m_Thief->GetAnimationState());
    ASSERT_TRUE(RunUntil([&] { return State(1) != "alive_flee"; }, 8.0f));
    EXPECT_EQ("alive_wander", State(1));
    EXPECT_GT(DistanceToPlayer(), 80.0f);
    EXPECT_LT(DistanceToPlayer(), 81.0f) << "the flight ends as soon as it is safe";
}

TEST_F(CMinionControllerTest, ClaimsOnlyAFreePickupWithinReachWhileFleeing)
{
    struct Case {
        const char* what;
        CVector3D offset;
        bool heldByAnother;
        bool claimed;
    };
    const Case cases[] = {
        {"free, 30 away", CVector3D(0.0f, 0.0f, 30.0f), false, true},
        {"free, 45 away", CVector3D(0.0f, 0.0f, 45.0f), false, false},
        {"held by another minion", CVector3D(0.0f, 0.0f, 20.0f), true, false},
    };
    for (const Case& c : cases) {
        NewMinion();
        CCharacter* other = Enemy("koboldminion", CVector3D(-300.0f, 4.0f, -300.0f));
        CPickupItem* coin = Coin(kPost + c.offset);
        if (c.heldByAnother)
            coin->SetCarrier(other);
        LoseFight();
        ASSERT_TRUE(RunUntil([&] { return State(1) != "alive_attack"; }, 0.5f)) << c.what;
        Run(0.5f);
        if (c.claimed) {
            EXPECT_EQ("alive_stealitem", State(1)) << c.what;
            EXPECT_EQ(coin, m_Thief->GetStolenItem()) << c.what;
            EXPECT_EQ(m_Minion, coin->GetCarrier()) << c.what;
        } else {
            EXPECT_EQ("alive_flee", State(1)) << c.what;
            EXPECT_EQ(nullptr, m_Thief->GetStolenItem()) << c.what;
            EXPECT_EQ(c.heldByAnother ? other : nullptr, coin->GetCarrier()) << c.what;
        }
        Factory().DestroyEntity(coin);
        Factory().DestroyEntity(other);
    }
}

TEST_F(CMinionControllerTest, CarriesTheLootOverheadAndDropsItAfterThreeAndAHalfSeconds)
{
    CPickupItem* coin = StartCarry();
    ASSERT_TRUE(m_Thief->IsItemAcquired());
    EXPECT_EQ(m_Minion, coin->GetCarrier());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, BodyType(*coin));

    int frames = 0;
    while (coin->GetCarrier() && frames < 300) {
        Frame();
        ++frames;
        if (coin->GetCarrier()) {
            const CVector3D above = m_Minion->GetPosition() + CVector3D(0.0f, CMinionController::kCarryHeight, 0.0f);
            ASSERT_LT((coin->GetPosition() - above).Length(), 1.0f) << "carried overhead at frame " << frames;
        }
    }
    EXPECT_NEAR(CMinionController::kCarryLimit, frames * kDt, 0.05f);
    EXPECT_EQ(Vesk::BODY_DYNAMIC, BodyType(*coin));
    EXPECT_EQ(nullptr, m_Thief->GetStolenItem());

    // The thief goes back to wandering; the coin falls and lies to be collected.
    const float dropHeight = coin->GetPosition().y;
    Run(0.5f);
    EXPECT_EQ("alive_wander", State(1));
    EXPECT_LT(coin->GetPosition().y, dropHeight - 2.0f);
    EXPECT_TRUE(coin->IsCollectable());

    // A second theft runs its whole course again.
    NewMinion();
    CPickupItem* second = StartCarry();
    EXPECT_EQ(m_Minion, second->GetCarrier());
    EXPECT_FALSE(m_Thief->IsItemDropped());
}

TEST_F(CMinionControllerTest, LetsGoOfTheLootWhenItDies)
{
    CPickupItem* coin = StartCarry();
    Run(0.5f);
    ASSERT_EQ(m_Minion, coin->GetCarrier());
    m_Minion->m_Health = 0;
    ASSERT_TRUE(RunUntil([&] { return State(0) == "deathstate"; }, 0.5f));
    EXPECT_EQ(nullptr, coin->GetCarrier());
    EXPECT_EQ(Vesk::BODY_DYNAMIC, BodyType(*coin));
    EXPECT_EQ(nullptr, m_Thief->GetStolenItem());
}

TEST_F(CMinionControllerTest, TheftEndsSafelyWhenTheLootOrTheThiefIsGone)
{
    // The coin destroyed in the thief's hands: it wanders off empty-handed.
    CPickupItem* coin = StartCarry();
    Run(0.3f);
    Factory().DestroyEntity(coin);
    Run(0.5f);
    EXPECT_EQ("alive_wander", State(1));
    EXPECT_EQ(nullptr, m_Thief->GetStolenItem());

    // The thief destroyed mid-carry: the coin falls free.
    NewMinion();
    coin = StartCarry();
    Run(0.3f);
    Factory().DestroyEntity(m_Minion);
    m_Minion = nullptr;
    EXPECT_EQ(nullptr, coin->GetCarrier());
    EXPECT_EQ(Vesk::BODY_DYNAMIC, BodyType(*coin));
    Run(0.5f);
}

TEST_F(CMinionControllerTest, ShedsEarsTailAndGearAsItsHealthFalls)
{
    Run(1.2f);
    const auto* model = Animation(*m_Minion);
    ASSERT_NE(nullptr, model);
    const int whole = model->GetUnshatteredCount();
    struct Case {
        int health;
        int shed;
    };
    const Case cases[] = {{30, 0}, {29, 1}, {25, 1}, {24, 2}, {12, 2}, {11, 3}, {5, 3}};
    for (const Case& c : cases) {
        m_Minion->m_Health = c.health;
        Frame();
        EXPECT_EQ(whole - c.shed, model->GetUnshatteredCount()) << "at health " << c.health;
    }
}

TEST_F(CMinionControllerTest, AHitPutsTheNextPunchAFullCooldownAway)
{
    Engage();
    Run(0.5f);
    ASSERT_LT(m_Thief->GetAttackCountdown(), m_Thief->GetAttackCooldown());
    m_Minion->TakeDamage(1);
    EXPECT_FLOAT_EQ(m_Thief->GetAttackCooldown(), m_Thief->GetAttackCountdown());
}

TEST_F(CMinionControllerTest, SwingsItsClubForEachPunchAndStandsIdleBetween)
{
    Engage();
    int swings = 0;
    bool idleBetween = false;
    for (int i = 0; i < 300 && swings < 2; ++i) {
        bool punched = false;
        for (const std::string& attack : Frame())
            punched = punched || attack == "Punch";
        if (!punched)
            continue;
        Frame();
        EXPECT_EQ("ATTACK", m_Thief->GetAnimationState());
        EXPECT_EQ("ATTACK", Clip(*m_Minion));
        ++swings;
        idleBetween = RunUntil([&] { return m_Thief->GetAnimationState() == "IDLE"; }, 1.0f);
        EXPECT_TRUE(idleBetween) << "the swing plays out";
    }
    EXPECT_EQ(2, swings);
}

TEST_F(CMinionControllerTest, DiesOnceItsStunIsOverAndPlaysItsDeathOut)
{
    Run(1.2f);
    m_Minion->m_StunTimer = 0.4f;
    m_Minion->m_Health = 0;
    Run(0.2f);
    EXPECT_EQ("alivestate", State(0)) << "the stun holds off the death";
    ASSERT_TRUE(RunUntil([&] { return State(0) == "deathstate"; }, 1.0f));
    Frame();
    EXPECT_EQ("death_dying", State(1));
    EXPECT_EQ("DIE", m_Thief->GetAnimationState());
    EXPECT_EQ("DEATH", Clip(*m_Minion));
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, BodyType(*m_Minion));
    EXPECT_EQ(Game::LIFE_DYING, m_Minion->m_LifeState);

    ASSERT_TRUE(RunUntil([&] { return State(1) == "death_dead"; }, 2.0f));
    EXPECT_TRUE(Animation(*m_Minion)->IsFinished()) << "dead only once the death has played";
    EXPECT_FALSE(m_Thief->m_Enabled);
}

TEST_F(CMinionControllerTest, AnActionLockFreezesTheBehaviourButNotTheAnimations)
{
    ASSERT_TRUE(RunUntil([&] { return State(1) == "alive_wander"; }, 2.0f));
    Frame();
    const float timer = m_Thief->GetWanderTimer();
    m_Minion->ExtendActionLock(0.5f);
    m_Thief->RequestAnimation("FEEDBACK");
    Run(0.3f);
    EXPECT_FLOAT_EQ(timer, m_Thief->GetWanderTimer()) << "the wander turn waits";
    EXPECT_EQ("FEEDBACK", m_Thief->GetAnimationState());
    EXPECT_EQ("FEEDBACK", Clip(*m_Minion));
    ASSERT_TRUE(RunUntil([&] { return m_Minion->m_ActionLockTimer <= 0.0f; }, 1.0f));
    Frame();
    Frame();
    EXPECT_NE(timer, m_Thief->GetWanderTimer());
}

} // namespace
