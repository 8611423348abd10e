// The Bullet dynamics world and the registry of rigid bodies: 16-bit body ids (reused first in,
// first out), collision groups and masks, per-pair collision callbacks, and once a frame the
// collision pass that turns the world's contact manifolds into per-body contact records. Owns
// the pools of box shapes and rigid bodies, which live as long as the system itself. A
// registered body's Bullet object carries the body in its user pointer and its id in its user
// index, so the collision pass reaches the bodies of a contact without a search.
#pragma once

#include "core/CObjectAllocator.h"
#include "core/CSingleton.h"
#include "math/Vector3D.h"
#include "physics/CPairKeySet.h"
#include "physics/CRigidBody.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

class btBoxShape;
class btBroadphaseInterface;
class btCollisionDispatcher;
class btDefaultCollisionConfiguration;
class btDiscreteDynamicsWorld;
class btCollisionObject;
class btRigidBody;
class btSequentialImpulseConstraintSolver;

namespace Vesk {

using CollisionCallback = void (*)(CRigidBody* a, CRigidBody* b);

class CPhysicsSystem : public CSingleton<CPhysicsSystem> {
public:
    CPhysicsSystem();
    ~CPhysicsSystem() override;

    bool Init() override;
    // Unregisters every body and deletes the world; bodies stay alive and may be deleted later.
    void Shutdown() override;

    // False for a null body, a body already added once, a body whose shape could not be built,
    // or when every id is in use.
    bool AddRigidBody(CRigidBody* body, short group, short mask);
    // False unless the body is registered here. Its callbacks go, and it leaves every other
    // body's contact record.
    bool RemoveRigidBody(CRigidBody* body);

    // False when either body is not registered or fn is already registered for the pair.
    bool AddCollisionCallback(CRigidBody* a, CRigidBody* b, CollisionCallback fn);
    void RemoveCollisionCallback(CRigidBody* a, CRigidBody* b);

    void SetGravity(const CVector3D& gravity);
    CVector3D GetGravity() const;

    // The collision pass: contact records and pair callbacks from the last world step.
    void ProcessCollisions();
    // Steps the world: dt with at most maxSubSteps sub-steps of fixedStep seconds.
    void StepSimulation(float dt, int maxSubSteps, float fixedStep);
    btDiscreteDynamicsWorld* GetWorld() const { return m_World.get(); }
    // Pairs of bodies whose broadphase boxes overlap, and contact manifolds of the last step.
    int GetOverlappingPairCount() const;
    int GetContactManifoldCount() const;

    // A box of full size `size` from the box-shape pool; null for a size that is not finite.
    btBoxShape* CreateBoxShape(const CVector3D& size);
    void ReleaseBoxShape(btBoxShape* box);

    CObjectAllocator<CRigidBody>& GetBodyPool() { return m_BodyPool; }
    const ObjectAllocatorStatistics& GetBoxShapeStatistics() const { return m_BoxShapePool.GetStatistics(); }
    const std::vector<CRigidBody*>& GetBodies() const { return m_Bodies; }

private:
    static uint32_t PairKey(const CRigidBody* a, const CRigidBody* b)
    {
        return (uint32_t(a->GetId()) << 16) | b->GetId();
    }
    bool HasCallback(uint32_t key, CollisionCallback fn) const;
    void EraseCallbacksOf(uint16_t id);
    // The registered body of a Bullet object, else null.
    CRigidBody* FindBody(const btCollisionObject* object) const;
    void RecordContact(CRigidBody* a, CRigidBody* b, const CVector3D& normalOnB);
    void FirePair(CRigidBody* a, CRigidBody* b);
    void FireKey(uint32_t key, CRigidBody* first, CRigidBody* second);

    std::unique_ptr<btDefaultCollisionConfiguration> m_Configuration;
    std::unique_ptr<btCollisionDispatcher> m_Dispatcher;
    std::unique_ptr<btBroadphaseInterface> m_Broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> m_Solver;
    std::unique_ptr<btDiscreteDynamicsWorld> m_World;

    uint16_t m_NextId = 0;
    std::deque<uint16_t> m_FreeIds;
    std::vector<CRigidBody*> m_Bodies;
    // Per id, the body registered under it (null for a free id).
    std::vector<CRigidBody*> m_BodyById;
    // Per pair key, the callbacks in the order they were registered.
    std::unordered_map<uint32_t, std::vector<CollisionCallback>> m_Callbacks;
    CPairKeySet m_FiredPairs;
    // Unordered pairs already recorded this pass: a pair with several manifolds counts once.
    CPairKeySet m_RecordedPairs;

    CObjectAllocator<btBoxShape> m_BoxShapePool;
    CObjectAllocator<CRigidBody> m_BodyPool;
};

} // namespace Vesk
