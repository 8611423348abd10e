#include "PhysicsTestSupport.h"

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <limits>

using namespace Vesk;
using physicstest::PhysicsTest;

namespace {

void ExpectNear(const CVector3D& actual, const CVector3D& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A rotation of 90 degrees about z in CMatrix4's column-vector form: x goes to y, y to -x.
CMatrix4 QuarterTurnAboutZ()
{
    CMatrix4 m;
    m(0, 0) = 0.0f, m(0, 1) = -1.0f;
    m(1, 0) = 1.0f, m(1, 1) = 0.0f;
    return m;
}

} // namespace

TEST_F(PhysicsTest, AMassZeroBodyStaysWhileAMassOneBodyFalls)
{
    auto still = AddBox(CVector3D(1, 1, 1), 0.0f, CVector3D(0, 10, 0));
    auto falling = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(5, 10, 0));
    RunFrames(60);
    EXPECT_FLOAT_EQ(falling->GetPosition().y, 10.0f) << "a new body sleeps until something wakes it";
    still->SetLinearVelocity(CVector3D(0, 0, 0));
    falling->SetLinearVelocity(CVector3D(0, 0, 0));
    RunFrames(60);
    EXPECT_FLOAT_EQ(still->GetPosition().y, 10.0f);
    EXPECT_LT(falling->GetPosition().y, 9.6f); // gravity (0, -1, 0) for one second
    EXPECT_FLOAT_EQ(falling->GetGravity().y, -1.0f);
}

TEST_F(PhysicsTest, FactorsLockAxes)
{
    auto body = AddBox(CVector3D(1, 2, 3), 1.0f, CVector3D(0, 10, 0));
    body->SetAngularFactor(false, false, true);
    body->GetBulletBody()->applyTorqueImpulse(btVector3(1, 1, 1));
    const btVector3 spin = body->GetBulletBody()->getAngularVelocity();
    EXPECT_FLOAT_EQ(spin.x(), 0.0f);
    EXPECT_FLOAT_EQ(spin.y(), 0.0f);
    EXPECT_GT(spin.z(), 0.0f);

    body->SetLinearFactor(true, false, true);
    body->ApplyForce(CVector3D(2, 3, 4));
    ExpectNear(body->GetTotalForce(), CVector3D(2, 0, 4));
    RunFrames(30);
    EXPECT_FLOAT_EQ(body->GetPosition().y, 10.0f) << "y is locked against gravity";
    EXPECT_GT(body->GetPosition().x, 0.0f);
}

TEST_F(PhysicsTest, SetRotationRoundTripsAndTurnsTheCollisionShapeTheSameWay)
{
    auto floor = std::make_unique<CCompoundBody>();
    ASSERT_TRUE(Physics().AddRigidBody(floor.get(), -1, -1));
    floor->AddBoxShape(CVector3D(2, 0, 0), CVector3D(1, 1, 1));
    floor->SetPosition(CVector3D(10, 20, 30));
    const CMatrix4 turn = QuarterTurnAboutZ();
    floor->SetRotation(turn);

    const CMatrix4 world = floor->GetWorldMatrix();
    for (unsigned row = 0; row < 3; ++row) {
        for (unsigned column = 0; column < 3; ++column)
            EXPECT_FLOAT_EQ(world(row, column), turn(row, column)) << row << "," << column;
    }
    ExpectNear(CVector3D(world(0, 3), world(1, 3), world(2, 3)), CVector3D(10, 20, 30));
    EXPECT_FLOAT_EQ(world(3, 3), 1.0f);
    ExpectNear(floor->GetPosition(), CVector3D(10, 20, 30));

    // The child at local (2, 0, 0) lands where the matrix sends it: (0, 2, 0) from the origin.
    ExpectNear(floor->GetAABB().GetCenter(), CVector3D(10, 22, 30), 1e-3f);
    const btTransform& interpolated = floor->GetBulletBody()->getInterpolationWorldTransform();
    EXPECT_FLOAT_EQ(interpolated.getBasis()[1][0], 1.0f);
}

TEST_F(PhysicsTest, BodyTypesSetCollisionFlags)
{
    auto body = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 0, 0));
    const struct {
        int set;
        int type;
        int flags;
    } cases[] = {{BODY_STATIC, 1, 1}, {7, 1, 1}, {BODY_NO_CONTACT_RESPONSE, 2, 4}, {-1, 2, 4}, {BODY_DYNAMIC, 0, 0}};
    for (const auto& c : cases) {
        body->SetBodyType(c.set);
        EXPECT_EQ(body->GetBodyType(), c.type) << c.set;
        EXPECT_EQ(body->GetBulletBody()->getCollisionFlags(), c.flags) << c.set;
    }
}

TEST_F(PhysicsTest, CreateBodyBuildsTheShapeInertiaAndCreationBox)
{
    int owner = 0;
    auto body = std::make_unique<CRigidBody>(CVector3D(2, 4, 6), &owner, 3.0f, true);
    EXPECT_EQ(body->GetId(), CRigidBody::kNoId);
    ASSERT_TRUE(Physics().AddRigidBody(body.get(), -1, -1));
    EXPECT_EQ(body->GetOwner(), &owner);
    EXPECT_TRUE(body->HasCollisionCallbackFlag());
    ExpectNear(body->GetCreationBox().min, CVector3D(-1, -2, -3), 1e-3f);
    ExpectNear(body->GetCreationBox().max, CVector3D(1, 2, 3), 1e-3f);
    EXPECT_EQ(body->GetBulletBody()->getActivationState(), WANTS_DEACTIVATION);
    EXPECT_FLOAT_EQ(body->GetBulletBody()->getInvMass(), 1.0f / 3.0f);
    EXPECT_GT(body->GetBulletBody()->getLocalInertia().x(), 0.0f);

    auto still = AddBox(CVector3D(1, 1, 1), 0.0f, CVector3D(0, 0, 0));
    EXPECT_EQ(still->GetBulletBody()->getLocalInertia(), btVector3(0, 0, 0));

    CRigidBody defaults;
    ExpectNear(defaults.GetDimensions(), CVector3D(2, 2, 2));
    EXPECT_FLOAT_EQ(defaults.GetMass(), 1.0f);
    EXPECT_EQ(defaults.GetOwner(), nullptr);
}

TEST_F(PhysicsTest, BodiesComeFromTheBodyPoolAndGoBackOnce)
{
    const uint32_t before = Physics().GetBodyPool().GetStatistics().objectsInUse;
    auto* body = new CRigidBody(CVector3D(1, 1, 1), nullptr, 1.0f, false);
    EXPECT_EQ(Physics().GetBodyPool().GetStatistics().objectsInUse, before + 1);
    ASSERT_TRUE(Physics().AddRigidBody(body, -1, -1));
    delete body; // the destructor runs once: a second run would free the motion state twice
    EXPECT_EQ(Physics().GetBodyPool().GetStatistics().objectsInUse, before);
    EXPECT_TRUE(Physics().GetBodies().empty());

    auto* compound = new CCompoundBody;
    EXPECT_EQ(Physics().GetBodyPool().GetStatistics().objectsInUse, before) << "compound bodies use the heap";
    delete compound;
}

TEST(PhysicsDeathTest, APooledBodyOfTheWrongSizeIsRefused)
{
    struct BiggerBody : CRigidBody {
        double m_Extra[4] = {};
    };
    EXPECT_DEATH(delete new BiggerBody, "size is not the same!");
}

TEST_F(PhysicsTest, CompoundBodiesReturnTheirBoxesToThePool)
{
    const uint32_t before = Physics().GetBoxShapeStatistics().objectsInUse;
    {
        CCompoundBody compound;
        compound.AddBoxShape(CVector3D(0, 0, 0), CVector3D(1, 1, 1));
        EXPECT_EQ(compound.GetChildCount(), 0u) << "a box added before the body is built is ignored";
        ASSERT_TRUE(Physics().AddRigidBody(&compound, -1, -1));
        EXPECT_FLOAT_EQ(compound.GetMass(), 0.0f);
        compound.AddBoxShape(CVector3D(0, 0, 0), CVector3D(1, 1, 1));
        compound.AddBoxShape(CVector3D(5, 0, 0), CVector3D(1, 2, 1));
        compound.AddBoxShapeFromAABB(CAABB(CVector3D(0, 0, 0), CVector3D(2, 4, 6)));
        EXPECT_EQ(Physics().GetBoxShapeStatistics().objectsInUse, before + 3);

        ASSERT_EQ(compound.GetCompoundShape()->getNumChildShapes(), 3);
        const CAABB box = compound.GetChildBox(2);
        ExpectNear(box.min, CVector3D(0, 0, 0));
        ExpectNear(box.max, CVector3D(2, 4, 6));
        ExpectNear(compound.GetChildBox(1).GetCenter(), CVector3D(5, 0, 0));
        const CAABB outside = compound.GetChildBox(3);
        ExpectNear(outside.min, CVector3D(0, 0, 0));
        ExpectNear(outside.max, CVector3D(0, 0, 0));
    }
    EXPECT_EQ(Physics().GetBoxShapeStatistics().objectsInUse, before);
}

TEST_F(PhysicsTest, BadSizesAndEarlyCallsAreHarmless)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(Physics().CreateBoxShape(CVector3D(nan, 1, 1)), nullptr);
    CRigidBody broken(CVector3D(1, std::numeric_limits<float>::infinity(), 1), nullptr, 1.0f, false);
    EXPECT_FALSE(Physics().AddRigidBody(&broken, -1, -1));
    EXPECT_FALSE(broken.IsRegistered());

    auto flipped = AddBox(CVector3D(-2, 2, 2), 1.0f, CVector3D(0, 0, 0));
    ExpectNear(flipped->GetAABB().max - flipped->GetAABB().min, CVector3D(2, 2, 2), 0.1f);

    // Before AddRigidBody nothing reaches Bullet and nothing breaks.
    CRigidBody early(CVector3D(1, 1, 1), nullptr, 1.0f, false);
    early.SetPosition(CVector3D(1, 2, 3));
    early.SetRotation(QuarterTurnAboutZ());
    early.SetLinearVelocity(CVector3D(1, 0, 0));
    early.ApplyForce(CVector3D(1, 0, 0));
    early.SetBodyType(BODY_STATIC);
    early.SetActivationState(DISABLE_SIMULATION);
    ExpectNear(early.GetPosition(), CVector3D(0, 0, 0));
    EXPECT_EQ(early.GetBodyType(), BODY_DYNAMIC);
}

TEST_F(PhysicsTest, SimulationCanBeSwitchedOffForABody)
{
    auto body = AddBox(CVector3D(1, 1, 1), 1.0f, CVector3D(0, 10, 0));
    body->SetActivationState(DISABLE_SIMULATION);
    RunFrames(30);
    EXPECT_FLOAT_EQ(body->GetPosition().y, 10.0f);
    body->SetLinearVelocity(CVector3D(0, 1, 0));
    ExpectNear(body->GetLinearVelocity(), CVector3D(0, 1, 0));
}
