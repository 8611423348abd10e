// Characters: the damage guards (with the seeded generator for dodges), stuns, knocks, the kill
// plane and dormant templates, healing, the life machine, movement, the ground check and the
// shared controllers a character belongs to.
#include "SoundTestSupport.h"

#include "game/controllers/CControllerManager.h"
#include "game/entities/CCharacter.h"
#include "math/Random.h"
#include "physics/CRigidBody.h"

#include <algorithm>
#include <cmath>
#include <vector>

using Game::CCharacter;
using worldtest::RecordingController;

namespace {

class CCharacterTest : public worldtest::SoundFixture {
protected:
    CCharacter* MakeCharacter(int health = 10, const std::string& name = "enemy")
    {
        Game::EntitySetting setting;
        setting.m_HealthPoints = health;
        setting.m_HurtSound = "hurt";
        setting.m_DeathSound = "death";
        setting.m_WanderSpeed = 10.0f;
        setting.m_KnockupResist = 1.0f;
        setting.m_KnockbackResist = 2.0f;
        setting.m_ControllerType = RecordingController::kType;
        auto* character = dynamic_cast<CCharacter*>(Make(Game::GENERIC_CHARACTER, name, setting));
        EXPECT_NE(nullptr, character);
        return character;
    }

    static CVector3D Velocity(const CCharacter& character)
    {
        CVector3D velocity;
        character.GetLinearVelocity(velocity);
        return velocity;
    }

    static std::vector<std::string>& Log() { return RecordingController::s_Log; }
};

TEST_F(CCharacterTest, DamageGuards)
{
    const struct {
        const char* name;
        bool invulnerable;
        float stunTimer;
        int health;
        bool dormant;
        int damage;
        int healthAfter;
        bool hit; // hurt sound and OnHit
    } rows[] = {
        {"plain hit", false, 0.0f, 10, false, 3, 7, true},
        {"overkill stops at 0", false, 0.0f, 10, false, 50, 0, true},
        {"invulnerable", true, 0.0f, 10, false, 3, 10, false},
        {"stunned", false, 0.5f, 10, false, 3, 10, false},
        {"already at 0", false, 0.0f, 0, false, 3, 0, false},
        {"dormant template", false, 0.0f, 10, true, 3, 10, false},
    };
    for (const auto& row : rows) {
        CCharacter* c = MakeCharacter(10, row.name);
        c->m_Invulnerable = row.invulnerable;
        c->m_StunTimer = row.stunTimer;
        c->m_Health = row.health;
        c->SetDormant(row.dormant);
        const int soundsBefore = Plays("hurt");
        Log().clear();
        c->TakeDamage(row.damage);
        EXPECT_EQ(row.healthAfter, c->m_Health) << row.name;
        EXPECT_EQ(row.hit ? 1 : 0, Plays("hurt") - soundsBefore) << row.name;
        EXPECT_EQ(row.hit ? std::vector<std::string>{"OnHit " + std::to_string(row.damage)}
                          : std::vector<std::string>{},
                  Log())
            << row.name;
    }
}

TEST_F(CCharacterTest, DodgingIgnoresAboutOneHitInThreeAndRepeatsForASeed)
{
    auto outcomes = [this](unsigned seed) {
        CCharacter* c = MakeCharacter(100000);
        c->m_Dodging = true;
        SeedRandom(seed);
        std::vector<bool> taken;
        for (int i = 0; i < 300; ++i) {
            const int before = c->m_Health;
            c->TakeDamage(1);
            taken.push_back(c->m_Health < before);
        }
        return taken;
    };
    const std::vector<bool> first = outcomes(7);
    EXPECT_EQ(first, outcomes(7));
    const long ignored = std::count(first.begin(), first.end(), false);
    EXPECT_GT(ignored, 70);
    EXPECT_LT(ignored, 130);
}

TEST_F(CCharacterTest, StunsOnlyGetLongerAndNotDuringTheStunBlock)
{
    const struct {
        const char* name;
        float blockTimer;
        float running; // stun timer before
        float stun;
        bool applied;
    } rows[] = {
        {"fresh stun", 0.0f, 0.0f, 1.5f, true},
        {"shorter than the running stun", 0.0f, 2.0f, 1.0f, false},
        {"as long as the running stun", 0.0f, 1.0f, 1.0f, false},
        {"longer than the running stun", 0.0f, 1.0f, 2.0f, true},
        {"during the stun block", 0.5f, 0.0f, 3.0f, false},
    };
    for (const auto& row : rows) {
        CCharacter* c = MakeCharacter(10, row.name);
        c->m_StunBlockTimer = row.blockTimer;
        c->m_StunTimer = row.running;
        c->m_ActionLockTimer = 0.25f;
        Log().clear();
        c->ApplyStun(row.stun);
        EXPECT_EQ(row.applied, c->m_Stunned) << row.name;
        EXPECT_FLOAT_EQ(row.applied ? row.stun : row.running, c->m_StunTimer) << row.name;
        EXPECT_FLOAT_EQ(row.applied ? row.stun : 0.25f, c->m_ActionLockTimer) << row.name;
        EXPECT_EQ(row.applied ? 1u : 0u, Log().size()) << row.name;
    }

    // A stunned character neither moves nor arrives; the stun ends with its length.
    CCharacter* c = MakeCharacter();
    c->ApplyStun(0.5f);
    c->MoveAlong(CVector3D(1.0f, 0.0f, 0.0f), true);
    EXPECT_FLOAT_EQ(0.0f, Velocity(*c).x);
    EXPECT_FALSE(c->MoveTo(c->GetPosition(), false));
    c->Update(0.25f);
    EXPECT_TRUE(c->m_Stunned);
    c->Update(0.375f);
    EXPECT_FALSE(c->m_Stunned);
    EXPECT_FLOAT_EQ(0.0f, c->m_StunTimer);
}

TEST_F(CCharacterTest, KnocksBeyondTheResistance)
{
    // Knock-up resistance 1, knock-back resistance 2.
    const struct {
        float force;
        bool invulnerable;
        float up;   // vertical velocity added
        float back; // velocity away from the source (+x)
    } rows[] = {
        {1.0f, false, 0.0f, 0.0f},  // equal to the knock-up resistance: nothing
        {2.0f, false, 30.0f, 0.0f}, // equal to the knock-back resistance
        {3.5f, false, 75.0f, 30.0f}, {0.5f, false, 0.0f, 0.0f}, {9.0f, true, 0.0f, 0.0f},
    };
    for (const auto& row : rows) {
        CCharacter* c = MakeCharacter();
        c->m_Invulnerable = row.invulnerable;
        c->SetLinearVelocity(CVector3D(0.0f, 0.0f, 0.0f));
        c->KnockUp(-10.0f, 0.0f, 0.0f, row.force);
        EXPECT_NEAR(row.up, Velocity(*c).y, 1e-4f) << "force " << row.force;
        c->KnockBack(-10.0f, 5.0f, 0.0f, row.force);
        EXPECT_NEAR(row.back, Velocity(*c).x, 1e-4f) << "force " << row.force;
        EXPECT_NEAR(0.0f, Velocity(*c).z, 1e-4f) << "force " << row.force;
        if (row.back > 0.0f) { // turned to face against the push
            EXPECT_NEAR(-1.0f, c->GetDirection().x, 1e-4f);
        }
    }
    // A source on the character itself gives no direction: nothing, and nothing undefined.
    CCharacter* c = MakeCharacter();
    c->KnockBack(c->GetPosition().x, 0.0f, c->GetPosition().z, 10.0f);
    EXPECT_FALSE(std::isnan(Velocity(*c).x));
}

TEST_F(CCharacterTest, TheKillPlaneHitsOnceAndSparesDormantTemplates)
{
    CCharacter* falling = MakeCharacter(10, "falling");
    CCharacter* dormant = MakeCharacter(10, "template");
    dormant->SetDormant(true);
    for (CCharacter* c : {falling, dormant}) {
        c->SetPosition(CVector3D(0.0f, -150.0f, 0.0f));
        c->GetBody()->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
    }
    for (int frame = 0; frame < 5; ++frame) {
        falling->Update(0.016f);
        dormant->Update(0.016f);
    }
    EXPECT_EQ(0, falling->m_Health);
    EXPECT_EQ(10, dormant->m_Health);
    EXPECT_EQ(1, Plays("hurt"));
    EXPECT_EQ(std::vector<std::string>{"OnHit 99999"}, Log());
}

TEST_F(CCharacterTest, HealingStopsAtTheMaximum)
{
    CCharacter* c = MakeCharacter(20);
    const struct {
        int health;
        float amount;
        int after;
    } rows[] = {{10, 5.0f, 15}, {10, 2.9f, 12}, {18, 5.0f, 20}, {20, 1.0f, 20}, {10, NAN, 10}, {10, 1e30f, 20}};
    for (const auto& row : rows) {
        c->m_Health = row.health;
        c->Heal(row.amount);
        EXPECT_EQ(row.after, c->m_Health) << row.health << " + " << row.amount;
    }
}

TEST_F(CCharacterTest, LifeMachineRunsFromSpawnToDeath)
{
    CCharacter* c = MakeCharacter();
    EXPECT_EQ("spawn", c->GetLifeMachineState());
    for (int i = 0; i < 3; ++i)
        c->Update(0.016f);
    EXPECT_EQ("alive", c->GetLifeMachineState());
    c->Die();
    EXPECT_EQ(Game::LIFE_DYING, c->m_LifeState);
    EXPECT_TRUE(c->IsDying());
    c->Die();
    EXPECT_EQ(1, Plays("death")) << "a second Die while dying restarts nothing";
    c->Update(0.016f); // the transition
    c->Update(0.016f); // the enter
    EXPECT_EQ("dying", c->GetLifeMachineState());
    EXPECT_EQ(std::vector<std::string>{"OnDying"}, Log());
    c->SetLifeState(Game::LIFE_DEAD);
    c->Update(0.016f);
    EXPECT_EQ("death", c->GetLifeMachineState());
    EXPECT_TRUE(c->IsDead());
    c->Die();
    EXPECT_TRUE(c->IsDead());
    EXPECT_EQ(1, Plays("death"));

    // Dying before the spawn is over is not undone by entering "alive".
    CCharacter* early = MakeCharacter(10, "early");
    early->Die();
    for (int i = 0; i < 6; ++i)
        early->Update(0.016f);
    EXPECT_EQ("dying", early->GetLifeMachineState());
    EXPECT_EQ(Game::LIFE_DYING, early->m_LifeState);
}

TEST_F(CCharacterTest, MovementAndArrival)
{
    CCharacter* c = MakeCharacter();
    c->SetPosition(CVector3D(0.0f, 0.0f, 0.0f));
    c->MoveAlong(CVector3D(3.0f, 7.0f, 4.0f), true);
    EXPECT_NEAR(6.0f, Velocity(*c).x, 1e-4f); // flattened, normalised, at wander speed 10
    EXPECT_NEAR(8.0f, Velocity(*c).z, 1e-4f);
    EXPECT_NEAR(0.06f, Velocity(*c).y, 1e-6f);
    EXPECT_NEAR(0.6f, c->GetDirection().x, 1e-4f);

    c->m_Airborne = true;
    c->Update(0.0f); // the air factor follows the airborne flag
    c->MoveAlong(CVector3D(1.0f, 0.0f, 0.0f), false);
    EXPECT_NEAR(5.0f, Velocity(*c).x, 1e-4f);

    EXPECT_FALSE(c->MoveTo(CVector3D(20.0f, 0.0f, 0.0f), false));
    EXPECT_GT(Velocity(*c).x, 0.0f);
    EXPECT_TRUE(c->MoveTo(c->GetPosition() + CVector3D(4.9f, 0.0f, 0.0f), false));
    EXPECT_FLOAT_EQ(0.0f, Velocity(*c).x);

    c->m_ActionLockTimer = 2.0f;
    c->ExtendActionLock(1.0f);
    EXPECT_FLOAT_EQ(2.0f, c->m_ActionLockTimer);
    c->ExtendActionLock(3.0f);
    EXPECT_FLOAT_EQ(3.0f, c->m_ActionLockTimer);
}

TEST_F(CCharacterTest, GroundIsAContactNormalNearlyStraightUp)
{
    const struct {
        CVector3D normal;
        bool ground;
    } rows[] = {
        {CVector3D(0.0f, 1.0f, 0.0f), true},
        {CVector3D(0.02f, 0.9995f, 0.0f), true}, // not exactly 1.0 after Bullet's arithmetic
        {CVector3D(0.0f, 3.0f, 0.0f), true},     // normalised first
        {CVector3D(1.0f, 0.0f, 0.0f), false},    // a wall
        {CVector3D(0.0f, -1.0f, 0.0f), false},   // a ceiling
        {CVector3D(0.5f, 0.8f, 0.0f), false},    // a steep slope
    };
    for (const auto& row : rows) {
        CCharacter* c = MakeCharacter();
        c->Update(0.2f);
        ASSERT_TRUE(c->m_Airborne);
        c->GetBody()->GetContactInfo().m_ContactNormals = {row.normal};
        c->Update(0.01f);
        EXPECT_EQ(row.ground, !c->m_Airborne) << row.normal.x << ' ' << row.normal.y << ' ' << row.normal.z;
    }
}

TEST_F(CCharacterTest, SharedControllersKeepTheirMembershipInStepWithTheCharacter)
{
    Game::CControllerManager& manager = Game::CControllerManager::GetInstance();
    Game::ISharedCharacterController* avoidance = manager.CreateSharedController(Game::COLLISION_AVOIDANCE, "avoid");
    Game::ISharedCharacterController* flock = manager.CreateSharedController(Game::GENERIC_ATTACK_FLOCK, "flock");
    ASSERT_TRUE(avoidance && flock);
    CCharacter* c = MakeCharacter();
    c->JoinSharedController(avoidance);
    c->JoinSharedController(avoidance);
    c->JoinSharedController(flock);
    c->JoinSharedController(nullptr);
    EXPECT_EQ(2u, c->GetSharedControllers().size());
    EXPECT_TRUE(avoidance->IsMember(c));

    c->LeaveSharedControllerByName(avoidance->GetName());
    EXPECT_FALSE(avoidance->IsMember(c));
    EXPECT_EQ(std::vector<Game::ISharedCharacterController*>{flock}, c->GetSharedControllers());

    c->JoinSharedController(avoidance);
    c->Die();
    EXPECT_TRUE(c->GetSharedControllers().empty());
    EXPECT_FALSE(flock->IsMember(c));

    // Either side may go first without leaving the other a dangling pointer.
    c->JoinSharedController(flock);
    manager.DestroySharedController(flock);
    EXPECT_TRUE(c->GetSharedControllers().empty());
    c->JoinSharedController(avoidance);
    Factory().DestroyEntity(c);
    EXPECT_TRUE(avoidance->GetMembers().empty());
}

TEST_F(CCharacterTest, ControllerHooksReachOnlyCharacterControllers)
{
    CCharacter* c = MakeCharacter();
    CCharacter* target = MakeCharacter(10, "target");
    c->NotifyAttackLanded(target, 4);
    EXPECT_EQ(std::vector<std::string>{"OnAttackLanded 4"}, Log());
    EXPECT_NE(nullptr, c->GetCharacterController());

    Game::EntitySetting plain;
    plain.m_HealthPoints = 5;
    auto* uncontrolled = dynamic_cast<CCharacter*>(Make(Game::GENERIC_CHARACTER, "plain", plain));
    ASSERT_NE(nullptr, uncontrolled);
    EXPECT_EQ(nullptr, uncontrolled->GetCharacterController());
    uncontrolled->TakeDamage(1);
    uncontrolled->ApplyStun(1.0f);
    uncontrolled->NotifyAttackLanded(target, 1);
    EXPECT_EQ(4, uncontrolled->m_Health);
}

} // namespace
