// The shared group controllers: the attack flock's window (at most two launches, the update that
// closes a window launching nothing, the attack chosen by the member's kind), collision avoidance
// (members pushed apart or turned aside from members in the way; a member alone, far away,
// stunned or suspended left alone), and members destroyed while grouped.
#include "../combat/AttackTestSupport.h"

#include "game/controllers/CCollisionAvoidanceController.h"
#include "game/controllers/CGenericAttackFlockController.h"
#include "math/Random.h"

#include <algorithm>
#include <string>
#include <vector>

using Game::CCharacter;

namespace {

class SharedGroupControllersTest : public attacktest::AttackFixture {
protected:
    void SetUp() override
    {
        AttackFixture::SetUp();
        Define({attacktest::AttackDef("Punch"), attacktest::AttackDef("GolemAOE")});
        m_Flock.Init(Game::CControllerManager::kAttackFlockName);
        m_Avoidance.Init(Game::CControllerManager::kCollisionAvoidanceName);
        SeedRandom(7);
    }
    void TearDown() override
    {
        m_Flock.Clear();
        m_Avoidance.Clear();
        AttackFixture::TearDown();
    }

    static int Launches()
    {
        const auto& log = worldtest::RecordingController::s_Log;
        return static_cast<int>(std::count(log.begin(), log.end(), "OnFlockLaunch"));
    }
    static std::vector<std::string> ActiveAttackNames()
    {
        std::vector<std::string> names;
        for (const Game::AttackRecord* attack : Pool().GetActiveAttacks())
            names.push_back(attack->m_Name);
        return names;
    }
    static CVector3D Velocity(const CCharacter& character)
    {
        CVector3D velocity;
        character.GetLinearVelocity(velocity);
        return velocity;
    }
    // The horizontal direction the character now moves in.
    static CVector3D Heading(const CCharacter& character)
    {
        CVector3D velocity = Velocity(character);
        velocity.y = 0.0f;
        return velocity.GetNormalized();
    }

    Game::CGenericAttackFlockController m_Flock;
    Game::CCollisionAvoidanceController m_Avoidance;
};

void ExpectNear(const CVector3D& expected, const CVector3D& actual, const std::string& what)
{
    EXPECT_NEAR(expected.x, actual.x, 1e-4f) << what;
    EXPECT_NEAR(expected.y, actual.y, 1e-4f) << what;
    EXPECT_NEAR(expected.z, actual.z, 1e-4f) << what;
}

} // namespace

TEST_F(SharedGroupControllersTest, FlockLetsTwoAttackPerWindowAndTheWindowCloseLaunchesNothing)
{
    EXPECT_EQ(2u, m_Flock.m_MaxAttackers);
    EXPECT_FLOAT_EQ(1.5f, m_Flock.m_WindowLength);
    std::vector<CCharacter*> members;
    for (const char* name : {"a", "b", "c"}) {
        members.push_back(MakeCharacter(name, CVector3D(0.0f, 0.0f, 0.0f)));
        m_Flock.AddMember(members.back());
        members.back()->m_Attacking = true;
    }

    // dt 0.25 is exact in float: the sixth update brings the window timer to 1.5.
    m_Flock.Update(0.25f);
    EXPECT_EQ(2, Launches());
    EXPECT_EQ(2u, m_Flock.m_AttackersChosen);
    EXPECT_EQ((std::vector<std::string>{"Punch", "Punch"}), ActiveAttackNames());
    const auto waiting = std::count_if(members.begin(), members.end(), [](CCharacter* m) { return m->m_Attacking; });
    ASSERT_EQ(1, waiting) << "the launched ones have their flag cleared, the third is denied";
    CCharacter* denied = *std::find_if(members.begin(), members.end(), [](CCharacter* m) { return m->m_Attacking; });

    // A launched member asking again inside the full window is denied too.
    for (CCharacter* member : members)
        member->m_Attacking = true;
    for (int update = 2; update <= 5; ++update)
        m_Flock.Update(0.25f);
    EXPECT_EQ(2, Launches()) << "the window stays full";
    m_Flock.Update(0.25f);
    EXPECT_EQ(2, Launches()) << "the update closing the window launches nothing";
    EXPECT_EQ(0u, m_Flock.m_AttackersChosen);
    EXPECT_FLOAT_EQ(0.0f, m_Flock.m_WindowTimer);

    // Next window: only asking members free of an action lock are candidates.
    CCharacter* locked = denied == members[0] ? members[1] : members[0];
    for (CCharacter* member : members)
        member->m_Attacking = member == denied || member == locked;
    locked->m_ActionLockTimer = 1.0f;
    m_Flock.Update(0.25f);
    EXPECT_EQ(3, Launches()) << "the denied member, still asking, goes now";
    EXPECT_FALSE(denied->m_Attacking);
    EXPECT_TRUE(locked->m_Attacking) << "an action-locked member is not launched";
    EXPECT_EQ(1u, m_Flock.m_AttackersChosen);
}

TEST_F(SharedGroupControllersTest, FlockPicksTheAttackByTheMembersKindAndDoesNothingWhileDisabled)
{
    CCharacter* punch = MakeCharacter("punch", CVector3D(0.0f, 0.0f, 0.0f));
    Game::EntitySetting setting;
    setting.m_ControllerType = Game::GOLEM;
    setting.m_StartPosition = CVector3D(20.0f, 0.0f, 0.0f);
    auto* golem = dynamic_cast<CCharacter*>(Make(Game::GENERIC_CHARACTER, "golem", setting));
    ASSERT_TRUE(punch && golem);
    for (CCharacter* member : {punch, golem}) {
        m_Flock.AddMember(member);
        member->m_Attacking = true;
    }
    m_Flock.m_Enabled = false;
    m_Flock.Update(0.25f);
    EXPECT_TRUE(ActiveAttackNames().empty());
    EXPECT_FLOAT_EQ(0.0f, m_Flock.m_WindowTimer) << "a disabled flock's window stands still";

    m_Flock.m_Enabled = true;
    m_Flock.Update(0.25f);
    EXPECT_EQ((std::vector<std::string>{"Punch", "GolemAOE"}), ActiveAttackNames());
    EXPECT_EQ(1, Launches()) << "the recording controller hears of its launch";
}

TEST_F(SharedGroupControllersTest, MembersDestroyedWhileGroupedAreSkipped)
{
    CCharacter* a = MakeCharacter("a", CVector3D(0.0f, 0.0f, 0.0f));
    CCharacter* b = MakeCharacter("b", CVector3D(1.0f, 0.0f, 0.0f));
    CCharacter* c = MakeCharacter("c", CVector3D(2.0f, 0.0f, 0.0f));
    for (CCharacter* member : {a, b, c}) {
        m_Flock.AddMember(member);
        m_Avoidance.AddMember(member);
        member->SetLinearVelocity(CVector3D(0.0f, 0.0f, 1.0f));
        member->m_Attacking = true;
    }
    Factory().DestroyEntity(b);
    m_Flock.Update(0.25f);
    m_Avoidance.Update(0.1f);
    EXPECT_EQ(2, Launches());
    EXPECT_EQ((std::vector<CCharacter*>{a, c}), m_Flock.GetMembers());
    EXPECT_EQ(2u, m_Avoidance.GetMembers().size());
}

TEST_F(SharedGroupControllersTest, AvoidancePushesNearMembersApartAndTurnsAsideFromMembersInTheWay)
{
    EXPECT_FLOAT_EQ(15.0f, m_Avoidance.m_AvoidanceRadius);
    struct Other {
        CVector3D position;
        CVector3D velocity;
        bool stunned = false;
        bool suspended = false;
    };
    struct Row {
        const char* name;
        CVector3D velocity; // of the member under test, at the origin
        std::vector<Other> others;
        float dt;
        bool hasTarget;    // a target at (0, 0, 30)
        CVector3D heading; // expected horizontal heading afterwards
        bool faces;
    };
    const float s8 = 0.3826834f; // sin(pi / 8)
    const float c8 = 0.9238795f;
    const std::vector<Row> rows = {
        {"alone: keeps its own velocity, flattened", {3, 2, 4}, {}, 0.1f, false, {0.6f, 0, 0.8f}, false},
        {"touching neighbour at 1: pushed away by 1/d^2",
         {0, 0, 1},
         {{{1, 0, 0}, {0, 0, 1}}},
         0.0f,
         false,
         {-0.7071068f, 0, 0.7071068f},
         false},
        {"neighbour at 14, boxes meet within dt: pushed",
         {0.6f, 0, 0.8f},
         {{{14, 0, 0}, {-0.6f, 0, 0.8f}}},
         14.0f / 1.2f,
         false,
         {0.5967197f, 0, 0.8024498f},
         false},
        {"neighbour at 16, boxes meet within dt: beyond the radius",
         {0.6f, 0, 0.8f},
         {{{16, 0, 0}, {-0.6f, 0, 0.8f}}},
         16.0f / 1.2f,
         false,
         {0.6f, 0, 0.8f},
         false},
        {"stunned neighbour is no obstacle", {0, 0, 1}, {{{1, 0, 0}, {0, 0, 1}, true}}, 0.0f, false, {0, 0, 1}, false},
        {"suspended neighbour is no obstacle",
         {0, 0, 1},
         {{{1, 0, 0}, {0, 0, 1}, false, true}},
         0.0f,
         false,
         {0, 0, 1},
         false},
        {"one member on the way to the target: turned by pi/8",
         {0, 0, 1},
         {{{0, 0, 17}, {0, 0, 1}}},
         0.1f,
         true,
         {-s8, 0, c8},
         true},
        {"two members on the way: turned by 3pi/8",
         {0, 0, 1},
         {{{0, 0, 17}, {0, 0, 1}}, {{0, 0, 18}, {0, 0, 1}}},
         0.1f,
         true,
         {-c8, 0, s8},
         true},
        {"member in the way but no target: not turned",
         {0, 0, 1},
         {{{0, 0, 17}, {0, 0, 1}}},
         0.1f,
         false,
         {0, 0, 1},
         false},
        {"member beside the way to the target: not turned",
         {0, 0, 1},
         {{{5, 0, 17}, {0, 0, 1}}},
         0.1f,
         true,
         {0, 0, 1},
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Factory().Clear();
        m_Avoidance.Clear();
        CCharacter* member = MakeCharacter("member", CVector3D(0, 0, 0));
        ASSERT_NE(nullptr, member);
        member->m_CurrentSpeed = 1.0f;
        member->SetDirection(CVector3D(1, 0, 0));
        member->SetLinearVelocity(row.velocity);
        m_Avoidance.AddMember(member);
        CCharacter* target = row.hasTarget ? MakeCharacter("target", CVector3D(0, 0, 30)) : nullptr;
        if (target)
            static_cast<Game::CCharacterController*>(member->GetController())->SetTarget(target);
        std::vector<CCharacter*> others;
        for (const Other& other : row.others) {
            others.push_back(MakeCharacter("other" + std::to_string(others.size()), other.position));
            ASSERT_NE(nullptr, others.back());
            others.back()->SetLinearVelocity(other.velocity);
            others.back()->m_StunTimer = other.stunned ? 1.0f : 0.0f;
            others.back()->m_Suspend = other.suspended;
            m_Avoidance.AddMember(others.back());
        }

        m_Avoidance.Update(row.dt);
        ExpectNear(row.heading, Heading(*member), "heading");
        if (row.faces)
            ExpectNear(row.heading, member->GetDirection(), "faces where it turns");
        else
            ExpectNear(CVector3D(1, 0, 0), member->GetDirection(), "keeps its facing");
        for (std::size_t i = 0; i < others.size(); ++i) {
            if (row.others[i].stunned || row.others[i].suspended)
                ExpectNear(row.others[i].velocity, Velocity(*others[i]), "a held member is not steered");
        }
    }
}

TEST_F(SharedGroupControllersTest, AvoidanceDoesNothingWhileDisabled)
{
    CCharacter* a = MakeCharacter("a", CVector3D(0, 0, 0));
    CCharacter* b = MakeCharacter("b", CVector3D(1, 0, 0));
    for (CCharacter* member : {a, b}) {
        member->m_CurrentSpeed = 1.0f;
        member->SetLinearVelocity(CVector3D(0, 0, 1));
        m_Avoidance.AddMember(member);
    }
    m_Avoidance.m_Enabled = false;
    m_Avoidance.Update(0.1f);
    ExpectNear(CVector3D(0, 0, 1), Velocity(*a), "a");
    ExpectNear(CVector3D(0, 0, 1), Velocity(*b), "b");
}
