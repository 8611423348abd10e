// Shared set-up for the physics tests: a fresh world per test, boxes and a compound floor.
#pragma once

#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"

#include <gtest/gtest.h>

#include <memory>

namespace physicstest {

class PhysicsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Physics().Init()); }
    void TearDown() override { Physics().Shutdown(); }

    static Vesk::CPhysicsSystem& Physics() { return Vesk::CPhysicsSystem::GetInstance(); }

    static std::unique_ptr<Vesk::CRigidBody> AddBox(const CVector3D& size, float mass, const CVector3D& position,
                                                    short group = -1, short mask = -1)
    {
        auto body = std::make_unique<Vesk::CRigidBody>(size, nullptr, mass, false);
        EXPECT_TRUE(Physics().AddRigidBody(body.get(), group, mask));
        body->SetPosition(position);
        return body;
    }

    // A static floor of 2 x 1 x 2 boxes centred on (2i, -0.5, 2j) for i, j in [-n, n]: top at y = 0.
    static std::unique_ptr<Vesk::CCompoundBody> AddFloor(int n)
    {
        auto floor = std::make_unique<Vesk::CCompoundBody>();
        EXPECT_TRUE(Physics().AddRigidBody(floor.get(), -1, -1));
        floor->SetBodyType(Vesk::BODY_STATIC);
        for (int i = -n; i <= n; ++i) {
            for (int j = -n; j <= n; ++j)
                floor->AddBoxShape(CVector3D(2.0f * i, -0.5f, 2.0f * j), CVector3D(2.0f, 1.0f, 2.0f));
        }
        return floor;
    }

    // Frames as the game runs them: the world step, then the collision pass.
    static void RunFrames(int frames, float dt = 1.0f / 60.0f)
    {
        for (int i = 0; i < frames; ++i) {
            Physics().StepSimulation(dt, 1, 1.0f / 60.0f);
            Physics().ProcessCollisions();
        }
    }
};

} // namespace physicstest
