// Hit resolution: which overlaps become hits (delay, persist, stun, spawning and stun-guard
// targets, dead targets, the user itself), destroy on contact, the effects of one hit, and the
// freeze, punch and shake that hits by and on the player give.
#include "AttackTestSupport.h"

#include "game/combat/HitResolution.h"
#include "game/entities/CDestructible.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"

#include <algorithm>

#include <functional>

using attacktest::AttackDef;
using attacktest::RecordingCamera;
using Game::CCharacter;

namespace {

class HitResolutionTest : public attacktest::AttackFixture {
protected:
    static std::vector<std::string>& Jolts() { return RecordingCamera::s_Jolts; }
    static std::vector<std::string>& Hooks() { return worldtest::RecordingController::s_Log; }
    static float& Freeze() { return Vesk::CGameManager::GetInstance().m_FreezeTimer; }
};

TEST_F(HitResolutionTest, WhichOverlapsBecomeHits)
{
    const struct {
        const char* what;
        std::function<void(AttackDef&)> attack;
        std::function<void(CCharacter&)> target;
        const char* targetName;
        int frames;
        int hits;        // damage 5 each on health 50
        int deflects;    // "deflect" plays
        bool attackLeft; // still live after the frames
    } rows[] = {
        {"stun 0 hits every frame", [](AttackDef&) {}, [](CCharacter&) {}, "enemy", 3, 3, 0, true},
        {"a stun spread over the hits blocks the next frames", [](AttackDef& a) { a.stun = 1.0f; }, [](CCharacter&) {},
         "enemy", 3, 1, 0, true},
        {"no hit while the delay runs", [](AttackDef& a) { a.delay = 0.3f; }, [](CCharacter&) {}, "enemy", 3, 1, 0,
         true},
        {"persist 0 ends before it is tested", [](AttackDef& a) { a.persist = 0.0f; }, [](CCharacter&) {}, "enemy", 3,
         0, 0, false},
        {"a spawning enemy deflects", [](AttackDef&) {}, [](CCharacter& c) { c.m_Spawning = true; }, "enemy", 2, 0, 2,
         true},
        {"a stun-guarded enemy deflects", [](AttackDef&) {}, [](CCharacter& c) { c.m_StunGuard = true; }, "enemy", 1, 0,
         1, true},
        {"the player deflects silently", [](AttackDef&) {}, [](CCharacter& c) { c.m_Spawning = true; }, "player", 1, 0,
         0, true},
        {"a deflection does not end a destroy-on-contact attack", [](AttackDef& a) { a.destroyOnContact = 1; },
         [](CCharacter& c) { c.m_StunGuard = true; }, "enemy", 1, 0, 1, true},
        {"a dead target neither is hit nor ends the attack", [](AttackDef& a) { a.destroyOnContact = 1; },
         [](CCharacter& c) { c.m_Health = 0; }, "enemy", 2, 0, 0, true},
        {"a hit ends a destroy-on-contact attack", [](AttackDef& a) { a.destroyOnContact = 1; }, [](CCharacter&) {},
         "enemy", 2, 1, 0, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Factory().Clear();
        Pool().Shutdown();
        m_Recording->plays.clear();
        AttackDef attack{"Jab"};
        row.attack(attack);
        Define({attack});
        CCharacter* user = MakeCharacter("hero", CVector3D());
        CCharacter* target = MakeCharacter(row.targetName, CVector3D(3.0f, 0.0f, 0.0f));
        row.target(*target);
        const int startHealth = target->m_Health;
        ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Jab"));
        for (int frame = 0; frame < row.frames; ++frame)
            Pool().Update(0.125f);
        EXPECT_EQ(startHealth - 5 * row.hits, target->m_Health);
        EXPECT_EQ(50, user->m_Health) << "the user is never hit";
        EXPECT_EQ(row.deflects, Plays("deflect"));
        EXPECT_EQ(row.hits, Plays("bonk"));
        EXPECT_EQ(row.attackLeft, !Pool().GetActiveAttacks().empty());
    }
}

TEST_F(HitResolutionTest, DestroyOnContactHitsEveryOverlapOfItsFrameAndEndsOnce)
{
    AttackDef piercing{"Pierce"};
    piercing.destroyOnContact = 1;
    piercing.damage = 1;
    piercing.dimension = CVector3D(10.0f, 4.0f, 4.0f);
    Define({piercing});
    CCharacter* user = MakeCharacter("hero", CVector3D(-5.0f, 0.0f, 0.0f));
    CCharacter* first = MakeCharacter("enemy1", CVector3D(-1.0f, 0.0f, 0.0f));
    CCharacter* second = MakeCharacter("enemy2", CVector3D(1.5f, 0.0f, 0.0f));
    Game::CEntity* crate = Make(Game::DESTRUCTIBLE_OBJECT, "crate", [] {
        Game::EntitySetting setting;
        setting.m_StartPosition = CVector3D(0.0f, 0.0f, 0.0f);
        return setting;
    }());
    ASSERT_NE(nullptr, crate);
    ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Pierce"));
    Pool().Update(0.1f);
    EXPECT_EQ(49, first->m_Health);
    EXPECT_EQ(49, second->m_Health);
    auto* destructible = dynamic_cast<Game::CDestructible*>(crate);
    EXPECT_EQ(2, destructible->GetHitPoints());
    // Persist left (0.9) over one hit.
    EXPECT_NEAR(0.9f, destructible->m_HitCooldown, 1e-5f);
    EXPECT_EQ(2, Plays("bonk")) << "a crate has no hit sound";
    EXPECT_TRUE(Pool().GetActiveAttacks().empty());
    Pool().Update(0.1f);
    EXPECT_EQ(49, first->m_Health);
}

TEST_F(HitResolutionTest, OneHitsEffects)
{
    // k = persist left / hits: persist 1 less one step of 0.1, over 2 or 3 hits, against a
    // knock-back resistance of 0.4: 0.45 pushes, 0.3 does not.
    for (int hits : {2, 3}) {
        SCOPED_TRACE(hits);
        Factory().Clear();
        Pool().Shutdown();
        Hooks().clear();
        AttackDef attack{"Shove"};
        attack.hits = hits;
        attack.knockback = 1.0f;
        attack.stun = 1.2f;
        Define({attack});
        CCharacter* user = MakeCharacter("hero", CVector3D());
        user->SetLinearVelocity(CVector3D(4.0f, 2.0f, 4.0f));
        CCharacter* target = MakeCharacter("enemy", CVector3D(3.0f, 0.0f, 0.0f));
        target->m_KnockbackResist = 0.4f;
        target->m_CoinCount = hits == 2 ? 3 : 6;
        ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Shove"));
        Pool().Update(0.1f);

        CVector3D pushed;
        target->GetLinearVelocity(pushed);
        EXPECT_EQ(hits == 2, pushed.x > 0.0f);
        EXPECT_NEAR(1.2f / static_cast<float>(hits), target->m_StunTimer, 1e-5f);
        EXPECT_EQ(45, target->m_Health);
        EXPECT_FLOAT_EQ(hits == 2 ? 6.0f : 4.0f, target->GetHitStrength());
        EXPECT_FLOAT_EQ(1.0f, target->GetHitDirection().x);
        CVector3D userVelocity;
        user->GetLinearVelocity(userVelocity);
        EXPECT_FLOAT_EQ(0.0f, userVelocity.x);
        EXPECT_FLOAT_EQ(2.0f, userVelocity.y);
        EXPECT_FLOAT_EQ(0.0f, userVelocity.z);
        EXPECT_EQ("[hero] attacked [enemy]", LastLogLine());
        EXPECT_NE(Hooks().end(), std::find(Hooks().begin(), Hooks().end(), "OnAttackLanded 5"));
    }
}

TEST_F(HitResolutionTest, TheReviveLandsWithoutTellingItsUser)
{
    AttackDef revive{"PlayerRevive"};
    Define({revive});
    CCharacter* user = MakeCharacter("player", CVector3D());
    CCharacter* target = MakeCharacter("enemy", CVector3D(3.0f, 0.0f, 0.0f));
    ASSERT_NE(nullptr, Pool().SpawnAttack(user, "PlayerRevive"));
    Hooks().clear();
    Pool().Update(0.1f);
    EXPECT_EQ(45, target->m_Health);
    EXPECT_EQ(Hooks().end(), std::find(Hooks().begin(), Hooks().end(), "OnAttackLanded 5"));
}

TEST_F(HitResolutionTest, SparksTakeTheEmittersInTurnHalfwayToTheAttack)
{
    Game::CParticleManager& particles = Game::CParticleManager::GetInstance();
    std::vector<Game::CParticleEmitter*> sparks;
    for (unsigned i = 0; i < Game::CAttackPool::kSparkCount; ++i)
        sparks.push_back(Pool().GetSparkEmitter(i));
    for (Game::CParticleEmitter* spark : sparks)
        EXPECT_EQ(1, std::count(particles.GetEmitters().begin(), particles.GetEmitters().end(), spark));

    Define({AttackDef{"Jab"}});
    CCharacter* user = MakeCharacter("hero", CVector3D());
    MakeCharacter("enemy", CVector3D(4.0f, 0.0f, 1.0f));
    ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Jab"));
    std::vector<unsigned> indices{Pool().GetSparkIndex()};
    for (int frame = 0; frame < 4; ++frame) {
        Pool().Update(0.1f);
        indices.push_back(Pool().GetSparkIndex());
    }
    EXPECT_EQ((std::vector<unsigned>{0, 1, 2, 0, 1}), indices);
    // Between the enemy (4, 0, 1) and the attack's body (3, 0, 0).
    for (Game::CParticleEmitter* spark : sparks) {
        EXPECT_FLOAT_EQ(3.5f, spark->GetPosition().x);
        EXPECT_FLOAT_EQ(0.5f, spark->GetPosition().z);
    }

    Pool().Shutdown();
    for (Game::CParticleEmitter* spark : sparks)
        EXPECT_EQ(0, std::count(particles.GetEmitters().begin(), particles.GetEmitters().end(), spark));
    EXPECT_EQ(nullptr, Pool().GetSparkEmitter(0));
}

TEST_F(HitResolutionTest, ThePlayersHitsFreezeOncePerAttackAndPunchEveryTime)
{
    const struct {
        const char* mesh;
        float freeze;
    } rows[] = {
        {"energyball_3", 0.75f}, {"drill", 0.3f}, {"energyball_2", 0.1f}, {"energyball_2.1", 0.3f}, {"fireball", 0.0f}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mesh);
        Factory().Clear();
        Pool().Shutdown();
        Jolts().clear();
        Freeze() = 0.0f;
        AttackDef attack{"Ball"};
        attack.mesh = row.mesh;
        Define({attack});
        CCharacter* player = MakeCharacter("player", CVector3D());
        player->SetDirection(CVector3D(0.6f, 0.0f, -0.8f));
        MakeCharacter("enemy", CVector3D(1.8f, 0.0f, -2.4f));
        ASSERT_NE(nullptr, Pool().SpawnAttack(player, "Ball"));
        Pool().Update(0.1f);
        EXPECT_FLOAT_EQ(row.freeze, Freeze());
        Freeze() = 0.0f;
        Pool().Update(0.1f);
        EXPECT_FLOAT_EQ(0.0f, Freeze()) << "once per live attack";
        EXPECT_EQ((std::vector<std::string>{"punch 0.75 0.6 -0.8", "punch 0.75 0.6 -0.8"}), Jolts());
    }
}

TEST_F(HitResolutionTest, HitsOnThePlayerShakeTheCamera)
{
    AttackDef punch{"Punch"};
    punch.damage = 4;
    AttackDef headbutt{"BoarHeadbutt"};
    headbutt.useSound = "boar_headbutt";
    Define({punch, headbutt});
    CCharacter* enemy = MakeCharacter("enemy", CVector3D());
    CCharacter* player = MakeCharacter("player", CVector3D(3.0f, 0.0f, 0.0f));
    ASSERT_NE(nullptr, Pool().SpawnAttack(enemy, "Punch"));
    Pool().Update(0.1f);
    EXPECT_EQ((std::vector<std::string>{"shake 5"}), Jolts());
    EXPECT_FLOAT_EQ(0.0f, Freeze());

    Pool().Shutdown();
    Jolts().clear();
    player->m_StunTimer = 0.0f;
    ASSERT_NE(nullptr, Pool().SpawnAttack(enemy, "BoarHeadbutt"));
    Pool().Update(0.1f);
    EXPECT_EQ((std::vector<std::string>{"shake 20"}), Jolts());
    EXPECT_FLOAT_EQ(0.75f, Freeze());

    // Without a camera that takes jolts nothing is jolted or frozen.
    Pool().Shutdown();
    Jolts().clear();
    Freeze() = 0.0f;
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("default", true);
    ASSERT_NE(nullptr, Pool().SpawnAttack(enemy, "BoarHeadbutt"));
    Pool().Update(0.1f);
    EXPECT_TRUE(Jolts().empty());
    EXPECT_FLOAT_EQ(0.0f, Freeze());
    EXPECT_EQ(50 - 4 - 5 - 5, player->m_Health);
}

} // namespace
