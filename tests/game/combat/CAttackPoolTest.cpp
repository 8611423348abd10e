// The attack pool: spawning beside the user (placement in the user's frame, flight velocity,
// self-stun), the own step (following, delay, sounds, persist), missing names, an attack whose
// user goes away, and Shutdown.
#include "AttackTestSupport.h"

#include "game/entities/CEntityFactory.h"
#include "game/fx/CSprite3D.h"
#include "game/fx/CSprite3DManager.h"
#include "physics/CRigidBody.h"
#include "scene/CSceneNodes.h"

#include <cmath>

using attacktest::AttackDef;

namespace {

class CAttackPoolTest : public attacktest::AttackFixture {
protected:
    static CVector3D BodyPosition(const Game::AttackRecord& attack) { return attack.m_pBody->GetPosition(); }
};

void ExpectNear(const CVector3D& expected, const CVector3D& actual)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-4f);
    EXPECT_NEAR(expected.y, actual.y, 1e-4f);
    EXPECT_NEAR(expected.z, actual.z, 1e-4f);
}

TEST_F(CAttackPoolTest, SpawnPlacesTheAttackInTheUsersFrame)
{
    AttackDef placed{"Placed"};
    placed.offset = CVector3D(2.0f, 1.0f, 3.0f);
    placed.selfstun = 0.4f;
    AttackDef flying{"Flying"};
    flying.movement = Game::ATTACK_FLIES;
    flying.direction = CVector3D(1.0f, 0.0f, 1.0f);
    flying.speed = 10.0f;
    Define({placed, flying});
    Game::CCharacter* user = MakeCharacter("hero", CVector3D(10.0f, 0.0f, 0.0f));
    user->SetDirection(CVector3D(0.0f, 0.0f, 1.0f));

    Game::AttackRecord* attack = Pool().SpawnAttack(user, "Placed");
    ASSERT_NE(nullptr, attack);
    // Forward 2 along +z, up 1, right 3 along up x facing = +x.
    ExpectNear(CVector3D(13.0f, 1.0f, 2.0f), BodyPosition(*attack));
    EXPECT_EQ("Placed", attack->m_Name);
    EXPECT_TRUE(attack->m_Active);
    EXPECT_EQ(user, attack->m_User.Get());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, attack->m_pBody->GetBodyType());
    ExpectNear(CVector3D(), attack->m_pBody->GetGravity());
    EXPECT_FLOAT_EQ(0.4f, user->m_ActionLockTimer);

    Game::AttackRecord* ball = Pool().SpawnAttack(user, "Flying");
    ASSERT_NE(nullptr, ball);
    // (forward 1, depth 1) normalised, in the frame of a user facing +z.
    const float component = 10.0f / std::sqrt(2.0f);
    ExpectNear(CVector3D(component, 0.0f, component), ball->m_pBody->GetLinearVelocity());
    EXPECT_EQ(2u, Pool().GetActiveAttacks().size());
}

TEST_F(CAttackPoolTest, OwnStepFollowsTheUserAndTimesTheAttack)
{
    AttackDef follows{"Follows"};
    follows.movement = Game::ATTACK_FOLLOWS;
    follows.delay = 0.5f;
    follows.persist = 0.5f;
    follows.offset = CVector3D(2.0f, 0.0f, 0.0f);
    AttackDef stays = follows;
    stays.name = "Stays";
    stays.movement = Game::ATTACK_STAYS;
    Define({follows, stays});
    Game::CCharacter* user = MakeCharacter("hero", CVector3D(0.0f, 0.0f, 0.0f));
    Game::AttackRecord* riding = Pool().SpawnAttack(user, "Follows");
    Game::AttackRecord* staying = Pool().SpawnAttack(user, "Stays");
    ASSERT_NE(nullptr, riding);
    ASSERT_NE(nullptr, staying);

    user->SetPosition(CVector3D(5.0f, 0.0f, 0.0f));
    // A delay of 0.5 in steps of 0.25: the second step lands on 0, the third runs it out.
    Pool().Update(0.25f);
    ExpectNear(CVector3D(7.0f, 0.0f, 0.0f), BodyPosition(*riding));
    ExpectNear(CVector3D(2.0f, 0.0f, 0.0f), BodyPosition(*staying));
    Pool().Update(0.25f);
    EXPECT_EQ(0, Plays("swing"));
    Pool().Update(0.25f);
    EXPECT_EQ(2, Plays("swing"));
    EXPECT_EQ(0, Plays("poof"));
    Pool().Update(0.25f);
    EXPECT_EQ(2, Plays("swing")) << "the use sound plays once";
    EXPECT_EQ(2u, Pool().GetActiveAttacks().size());
    Pool().Update(0.25f);
    EXPECT_EQ(2, Plays("poof"));
    EXPECT_TRUE(Pool().GetActiveAttacks().empty());
}

TEST_F(CAttackPoolTest, SpritesShowOnceTheDelayIsOverUnlessTheAttackStays)
{
    std::vector<AttackDef> attacks;
    for (int movement : {0, 1, 2, 7}) {
        AttackDef attack("Move" + std::to_string(movement));
        attack.movement = movement;
        attack.speed = 5.0f;
        attack.delay = 0.3f;
        attack.mesh = "orb";
        attacks.push_back(attack);
    }
    AttackDef atOnce{"AtOnce"};
    atOnce.mesh = "orb";
    AttackDef oddAtOnce = atOnce;
    oddAtOnce.name = "OddAtOnce";
    oddAtOnce.movement = 7;
    attacks.push_back(atOnce);
    attacks.push_back(oddAtOnce);
    Define(attacks);
    Game::CCharacter* user = MakeCharacter("hero", CVector3D());
    auto shown = [](const Game::AttackRecord* attack) {
        return attack->m_pSprite->m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled);
    };
    std::vector<Game::AttackRecord*> delayed;
    for (int movement : {0, 1, 2, 7})
        delayed.push_back(Pool().SpawnAttack(user, "Move" + std::to_string(movement)));
    Game::AttackRecord* now = Pool().SpawnAttack(user, "AtOnce");
    Game::AttackRecord* oddNow = Pool().SpawnAttack(user, "OddAtOnce");
    EXPECT_TRUE(shown(now));
    EXPECT_FALSE(shown(oddNow));
    EXPECT_EQ(6u, Game::CSprite3DManager::GetInstance().GetSprites().size());

    // The delay runs out in the third step; followers and fliers show from the fourth on.
    for (int frame = 1; frame <= 4; ++frame) {
        Pool().Update(0.125f);
        SCOPED_TRACE(frame);
        EXPECT_FALSE(shown(delayed[0]));
        EXPECT_EQ(frame == 4, shown(delayed[1]));
        EXPECT_EQ(frame == 4, shown(delayed[2]));
        EXPECT_FALSE(shown(delayed[3]));
    }
    Pool().Shutdown();
    EXPECT_TRUE(Game::CSprite3DManager::GetInstance().GetSprites().empty());
}

TEST_F(CAttackPoolTest, UnknownNamesAndMissingFilesSpawnNothing)
{
    Define({AttackDef{"Jab"}});
    Game::CCharacter* user = MakeCharacter("hero", CVector3D());
    EXPECT_EQ(nullptr, Pool().SpawnAttack(user, "jab"));
    EXPECT_EQ(nullptr, Pool().FindDefinition("Kick"));
    EXPECT_EQ(nullptr, Pool().SpawnAttack(nullptr, "Jab"));
    ASSERT_NE(nullptr, Pool().FindDefinition("Jab"));
    EXPECT_FLOAT_EQ(1.0f, Pool().FindDefinition("Jab")->m_Persist);

    EXPECT_FALSE(Pool().LoadDefinitions(m_Dir.File("missing.xml")));
    EXPECT_TRUE(Pool().GetDefinitions().empty());
    EXPECT_EQ(nullptr, Pool().SpawnAttack(user, "Jab"));
    EXPECT_TRUE(Pool().GetActiveAttacks().empty());
}

// Run under the sanitizer build: nothing may touch the destroyed user.
TEST_F(CAttackPoolTest, AnAttackWhoseUserIsDestroyedEndsQuietly)
{
    AttackDef follows{"Follows"};
    follows.movement = Game::ATTACK_FOLLOWS;
    AttackDef delayed{"Delayed"};
    delayed.delay = 0.1f;
    Define({follows, delayed});
    Game::CCharacter* user = MakeCharacter("hero", CVector3D());
    Game::CCharacter* target = MakeCharacter("target", CVector3D(3.0f, 0.0f, 0.0f));
    ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Follows"));
    ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Delayed"));
    Pool().Update(0.05f);
    EXPECT_EQ(45, target->m_Health) << "the following attack hit once";

    target->m_Health = 50;
    Factory().DestroyEntity(user);
    Pool().Update(0.05f);
    Pool().Update(0.05f);
    EXPECT_TRUE(Pool().GetActiveAttacks().empty());
    EXPECT_EQ(50, target->m_Health);
    EXPECT_EQ(0, Plays("poof"));
}

TEST_F(CAttackPoolTest, ShutdownFreesEveryLiveAttackAndKeepsTheDefinitions)
{
    AttackDef ending{"Ending"};
    ending.persist = 0.0f;
    Define({AttackDef{"Jab"}, ending});
    Game::CCharacter* user = MakeCharacter("hero", CVector3D());
    Game::AttackRecord* attack = Pool().SpawnAttack(user, "Jab");
    ASSERT_NE(nullptr, attack);
    // Queued but not yet freed.
    Pool().QueueRemoval(attack);
    Pool().Shutdown();
    EXPECT_TRUE(Pool().GetActiveAttacks().empty());
    EXPECT_EQ(2u, Pool().GetDefinitions().size());

    ASSERT_TRUE(Pool().Init());
    ASSERT_NE(nullptr, Pool().SpawnAttack(user, "Ending"));
    // The emptied removal list frees nothing twice.
    Pool().Update(0.1f);
    EXPECT_TRUE(Pool().GetActiveAttacks().empty());
}

} // namespace
