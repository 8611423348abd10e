#include "PhysicsTestSupport.h"

#include <btBulletDynamicsCommon.h>

#include <string>
#include <utility>
#include <vector>

using namespace Vesk;
using physicstest::PhysicsTest;

namespace {

// Pair callbacks are plain functions: they log the ids they were called with.
std::vector<std::pair<int, int>> g_Calls;
std::vector<std::string> g_Names;
CRigidBody* g_ToDelete = nullptr;

void First(CRigidBody* a, CRigidBody* b)
{
    g_Calls.emplace_back(a->GetId(), b->GetId());
    g_Names.push_back("first");
}

void Second(CRigidBody* a, CRigidBody* b)
{
    g_Calls.emplace_back(a->GetId(), b->GetId());
    g_Names.push_back("second");
}

void DeleteBody(CRigidBody*, CRigidBody*)
{
    delete g_ToDelete;
    g_ToDelete = nullptr;
}

int ManifoldsWithContacts()
{
    btDispatcher* dispatcher = CPhysicsSystem::GetInstance().GetWorld()->getDispatcher();
    int count = 0;
    for (int i = 0; i < dispatcher->getNumManifolds(); ++i)
        count += dispatcher->getManifoldByIndexInternal(i)->getNumContacts() > 0;
    return count;
}

} // namespace

TEST_F(PhysicsTest, IdsCountUpAndFreedIdsAreReusedOnceInOrder)
{
    auto a = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 10, 0));
    auto b = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(5, 10, 0));
    EXPECT_EQ(a->GetId(), 0);
    EXPECT_EQ(b->GetId(), 1);

    EXPECT_TRUE(Physics().RemoveRigidBody(a.get()));
    EXPECT_EQ(a->GetId(), CRigidBody::kNoId);
    EXPECT_FALSE(Physics().RemoveRigidBody(a.get())) << "a second removal is refused";
    CRigidBody stranger(CVector3D(1, 1, 1), nullptr, 1.0f, false);
    EXPECT_FALSE(Physics().RemoveRigidBody(&stranger)) << "a body never added is refused";
    EXPECT_FALSE(Physics().RemoveRigidBody(nullptr));
    EXPECT_FALSE(Physics().AddRigidBody(nullptr, -1, -1));
    EXPECT_FALSE(Physics().AddRigidBody(b.get(), -1, -1)) << "a registered body is not added twice";
    EXPECT_FALSE(Physics().AddRigidBody(a.get(), -1, -1)) << "nor is a removed one";

    auto c = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(10, 10, 0));
    auto d = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(15, 10, 0));
    auto e = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(20, 10, 0));
    EXPECT_EQ(c->GetId(), 0) << "the freed id comes back first";
    EXPECT_EQ(d->GetId(), 2);
    EXPECT_EQ(e->GetId(), 3);
    EXPECT_EQ(Physics().GetBodies().size(), 4u);
}

TEST_F(PhysicsTest, BoxFallsOntoACompoundFloorRestsAndRecordsOneContactPerSide)
{
    Physics().SetGravity(CVector3D(0, -10, 0));
    EXPECT_FLOAT_EQ(Physics().GetGravity().y, -10.0f);
    auto floor = AddFloor(2);
    // Straddles four floor boxes, so Bullet keeps several manifolds for the pair.
    auto box = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(1, 3, 1));
    box->SetLinearVelocity(CVector3D(0, 0, 0)); // new bodies sleep until woken
    RunFrames(240);

    EXPECT_NEAR(box->GetPosition().y, 0.5f, 0.05f);
    EXPECT_NEAR(box->GetLinearVelocity().y, 0.0f, 0.05f);
    EXPECT_NEAR(box->GetPosition().x, 1.0f, 1e-3f);
    ASSERT_GE(ManifoldsWithContacts(), 2) << "the fixture must give the pair several manifolds";

    const ContactInfo& boxContacts = box->GetContactInfo();
    const ContactInfo& floorContacts = floor->GetContactInfo();
    EXPECT_EQ(boxContacts.m_TouchingBodies, std::vector<CRigidBody*>{floor.get()});
    EXPECT_EQ(floorContacts.m_TouchingBodies, std::vector<CRigidBody*>{box.get()});
    ASSERT_EQ(boxContacts.m_ContactNormals.size(), 1u);
    ASSERT_EQ(floorContacts.m_ContactNormals.size(), 1u);
    // Each normal points from the other body towards this one.
    EXPECT_NEAR(boxContacts.m_ContactNormals[0].y, 1.0f, 1e-3f);
    EXPECT_NEAR(floorContacts.m_ContactNormals[0].y, -1.0f, 1e-3f);
    EXPECT_TRUE(box->IsTouched());
    EXPECT_EQ(box->GetLastTouchingBody(), floor.get());
    EXPECT_EQ(floor->GetLastTouchingBody(), box.get());
}

TEST_F(PhysicsTest, PairCallbacksAreRefusedTwiceAndFireOncePerFrame)
{
    auto floor = AddFloor(2);
    auto box = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(1, 0.45f, 1));
    auto idle = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(50, 50, 0));
    CRigidBody* a = box.get();
    CRigidBody* b = floor.get();

    const struct {
        CRigidBody* first;
        CRigidBody* second;
        CollisionCallback fn;
        bool accepted;
    } registrations[] = {
        {a, b, &First, true},   {a, b, &First, false},  {b, a, &First, false},         {b, a, &Second, true},
        {a, b, &Second, false}, {a, b, nullptr, false}, {a, idle.get(), &First, true},
    };
    for (const auto& r : registrations)
        EXPECT_EQ(Physics().AddCollisionCallback(r.first, r.second, r.fn), r.accepted);
    CRigidBody unregistered(CVector3D(1, 1, 1), nullptr, 1.0f, false);
    EXPECT_FALSE(Physics().AddCollisionCallback(a, &unregistered, &First));

    g_Calls.clear();
    g_Names.clear();
    RunFrames(3);
    ASSERT_GE(ManifoldsWithContacts(), 2);
    // Both callbacks live under the pair's first key and run in that order, once a frame each.
    const std::pair<int, int> ab(a->GetId(), b->GetId());
    EXPECT_EQ(g_Calls, (std::vector<std::pair<int, int>>(6, ab)));
    EXPECT_EQ(g_Names, (std::vector<std::string>{"first", "second", "first", "second", "first", "second"}));

    Physics().RemoveCollisionCallback(b, a);
    g_Calls.clear();
    RunFrames(2);
    EXPECT_TRUE(g_Calls.empty());
    EXPECT_TRUE(Physics().AddCollisionCallback(b, a, &Second)) << "the pair is free again";
}

TEST_F(PhysicsTest, ARemovedOrDeletedBodyLeavesNoTraceAndItsIdIsReusedOnce)
{
    auto floor = AddFloor(2);
    auto box = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(1, 0.45f, 1));
    auto other = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(-1, 0.45f, -1));
    ASSERT_TRUE(Physics().AddCollisionCallback(box.get(), floor.get(), &First));
    RunFrames(1);
    ASSERT_EQ(floor->GetContactInfo().m_TouchingBodies.size(), 2u);

    // Removed between the collision pass and the next one: the records forget it at once.
    const uint16_t freed = box->GetId();
    ASSERT_TRUE(Physics().RemoveRigidBody(box.get()));
    EXPECT_EQ(floor->GetContactInfo().m_TouchingBodies, std::vector<CRigidBody*>{other.get()});
    EXPECT_NE(floor->GetLastTouchingBody(), box.get());
    EXPECT_TRUE(box->GetContactInfo().m_TouchingBodies.empty());
    box.reset();

    // Deleted while still registered: the destructor takes it out the same way.
    other.reset();
    EXPECT_TRUE(floor->GetContactInfo().m_TouchingBodies.empty());
    EXPECT_EQ(floor->GetLastTouchingBody(), nullptr);

    g_Calls.clear();
    RunFrames(2);
    EXPECT_TRUE(g_Calls.empty());
    EXPECT_TRUE(floor->GetContactInfo().m_TouchingBodies.empty());

    auto reused = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(1, 0.45f, 1));
    EXPECT_EQ(reused->GetId(), freed);
    RunFrames(1);
    EXPECT_TRUE(g_Calls.empty()) << "the old body's callback did not pass to its id's new owner";
    auto fresh = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(30, 30, 0));
    EXPECT_NE(fresh->GetId(), freed);
    EXPECT_NE(fresh->GetId(), reused->GetId());
}

TEST_F(PhysicsTest, ACallbackMayDeleteABodyDuringTheCollisionPass)
{
    auto floor = AddFloor(2);
    auto doomed = std::make_unique<CRigidBody>(CVector3D(1, 1, 1), nullptr, 1.0f, false);
    ASSERT_TRUE(Physics().AddRigidBody(doomed.get(), -1, -1));
    doomed->SetPosition(CVector3D(1, 0.45f, 1));
    auto witness = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(-3, 0.45f, -3));
    ASSERT_TRUE(Physics().AddCollisionCallback(doomed.get(), floor.get(), &DeleteBody));
    ASSERT_TRUE(Physics().AddCollisionCallback(doomed.get(), floor.get(), &First));
    g_ToDelete = doomed.release();
    g_Calls.clear();
    RunFrames(2); // the sanitizer build catches any use of the deleted body
    EXPECT_EQ(g_ToDelete, nullptr);
    EXPECT_TRUE(g_Calls.empty()) << "the pair's later callbacks are not called with a deleted body";
    EXPECT_EQ(floor->GetContactInfo().m_TouchingBodies, std::vector<CRigidBody*>{witness.get()});
}

TEST_F(PhysicsTest, GroupsAndMasksFilterContacts)
{
    Physics().SetGravity(CVector3D(0, 0, 0));
    const struct {
        short groupA, maskA, groupB, maskB;
        bool touch;
    } cases[] = {
        {-1, -1, -1, -1, true}, {1, 2, 2, 1, true},  {1, 2, 2, 2, false},
        {1, 1, 2, 2, false},    {4, -1, 8, 4, true}, {0, -1, -1, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.groupA << "/" << c.maskA << " against " << c.groupB << "/" << c.maskB);
        auto a = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 0, 0), c.groupA, c.maskA);
        auto b = AddBox(CVector3D(1, 1, 1), 0.0f, CVector3D(0.5f, 0, 0), c.groupB, c.maskB);
        RunFrames(1);
        EXPECT_EQ(a->IsTouched(), c.touch);
        EXPECT_EQ(b->IsTouched(), c.touch);
    }
}

TEST_F(PhysicsTest, ABodyWithoutContactResponseTouchesButExchangesNoNormalsInEitherOrder)
{
    Physics().SetGravity(CVector3D(0, 0, 0));
    std::vector<const btCollisionObject*> firstBodies;
    for (bool ghostFirst : {true, false}) {
        SCOPED_TRACE(ghostFirst ? "added first" : "added second");
        std::unique_ptr<CRigidBody> ghost, solid;
        if (ghostFirst)
            ghost = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 0, 0));
        solid = AddBox(CVector3D(1, 1, 1), 0.0f, CVector3D(0.5f, 0, 0));
        if (!ghostFirst)
            ghost = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 0, 0));
        ghost->SetBodyType(BODY_NO_CONTACT_RESPONSE);
        RunFrames(1);

        btDispatcher* dispatcher = Physics().GetWorld()->getDispatcher();
        ASSERT_EQ(dispatcher->getNumManifolds(), 1);
        firstBodies.push_back(dispatcher->getManifoldByIndexInternal(0)->getBody0());
        EXPECT_EQ(firstBodies.back() == ghost->GetBulletBody(), ghostFirst);

        EXPECT_EQ(ghost->GetContactInfo().m_TouchingBodies, std::vector<CRigidBody*>{solid.get()});
        EXPECT_EQ(solid->GetContactInfo().m_TouchingBodies, std::vector<CRigidBody*>{ghost.get()});
        EXPECT_TRUE(ghost->GetContactInfo().m_ContactNormals.empty());
        EXPECT_TRUE(solid->GetContactInfo().m_ContactNormals.empty());
    }
}

TEST_F(PhysicsTest, ShutdownUnregistersBodiesThatMayBeDeletedLater)
{
    auto floor = AddFloor(1);
    auto box = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 0.45f, 0));
    RunFrames(1);
    Physics().Shutdown();
    EXPECT_FALSE(box->IsRegistered());
    EXPECT_FALSE(floor->IsRegistered());
    EXPECT_TRUE(box->GetContactInfo().m_TouchingBodies.empty());
    Physics().ProcessCollisions();
    Physics().StepSimulation(1.0f / 60.0f, 1, 1.0f / 60.0f);
    box.reset();
    floor.reset();

    ASSERT_TRUE(Physics().Init());
    auto again = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 5, 0));
    EXPECT_EQ(again->GetId(), 0);
    EXPECT_FLOAT_EQ(Physics().GetGravity().y, -1.0f);
}
