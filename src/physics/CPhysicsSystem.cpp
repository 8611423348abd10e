#include "physics/CPhysicsSystem.h"

#include "core/Log.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <new>

namespace Vesk {

namespace {

constexpr uint32_t kBoxShapesPerPage = 128;
constexpr uint32_t kBodiesPerPage = 64;
constexpr int kPoolSize = 4096;
// Touching or penetrating: a distance below the smallest normal float.
constexpr float kContactDistance = 1.1754944e-38f;

uint32_t UnorderedPairKey(const CRigidBody* a, const CRigidBody* b)
{
    const uint16_t low = std::min(a->GetId(), b->GetId());
    const uint16_t high = std::max(a->GetId(), b->GetId());
    return (uint32_t(low) << 16) | high;
}

} // namespace

CPhysicsSystem::CPhysicsSystem() : m_BoxShapePool(kBoxShapesPerPage), m_BodyPool(kBodiesPerPage) {}

CPhysicsSystem::~CPhysicsSystem() { Shutdown(); }

bool CPhysicsSystem::Init()
{
    Shutdown();
    btDefaultCollisionConstructionInfo info;
    info.m_persistentManifoldPool = nullptr;
    info.m_collisionAlgorithmPool = nullptr;
    info.m_defaultMaxPersistentManifoldPoolSize = kPoolSize;
    info.m_defaultMaxCollisionAlgorithmPoolSize = kPoolSize;
    info.m_customCollisionAlgorithmMaxElementSize = 0;
    info.m_useEpaPenetrationAlgorithm = true;
    m_Configuration = std::make_unique<btDefaultCollisionConfiguration>(info);
    m_Dispatcher = std::make_unique<btCollisionDispatcher>(m_Configuration.get());
    m_Broadphase = std::make_unique<btDbvtBroadphase>();
    m_Solver = std::make_unique<btSequentialImpulseConstraintSolver>();
    m_World = std::make_unique<btDiscreteDynamicsWorld>(m_Dispatcher.get(), m_Broadphase.get(), m_Solver.get(),
                                                        m_Configuration.get());
    m_World->setGravity(btVector3(0.0f, -1.0f, 0.0f));
    return true;
}

void CPhysicsSystem::Shutdown()
{
    while (!m_Bodies.empty())
        RemoveRigidBody(m_Bodies.back());
    m_FreeIds.clear();
    m_NextId = 0;
    m_Callbacks.clear();
    m_FiredPairs.Clear();
    m_RecordedPairs.Clear();
    m_BodyById.clear();
    m_World.reset();
    m_Solver.reset();
    m_Broadphase.reset();
    m_Dispatcher.reset();
    m_Configuration.reset();
}

bool CPhysicsSystem::AddRigidBody(CRigidBody* body, short group, short mask)
{
    if (!body || !m_World)
        return false;
    if (body->IsRegistered() || body->m_Body) {
        LogLine("CPhysicsSystem: a rigid body can be added only once");
        return false;
    }
    if (m_FreeIds.empty() && m_NextId == CRigidBody::kNoId) {
        LogLine("CPhysicsSystem: every rigid body id is in use");
        return false;
    }
    body->CreateShape();
    body->CreateBody();
    if (!body->m_Body->getCollisionShape()) {
        LogLine("CPhysicsSystem: a rigid body without a collision shape is not added");
        return false;
    }

    if (m_FreeIds.empty()) {
        body->m_Id = m_NextId++;
    } else {
        body->m_Id = m_FreeIds.front();
        m_FreeIds.pop_front();
    }
    m_World->addRigidBody(body->m_Body, group, mask);
    m_Bodies.push_back(body);
    if (m_BodyById.size() <= body->m_Id)
        m_BodyById.resize(size_t(body->m_Id) + 1, nullptr);
    m_BodyById[body->m_Id] = body;
    body->m_Body->setUserPointer(body);
    body->m_Body->setUserIndex(body->m_Id);
    return true;
}

bool CPhysicsSystem::RemoveRigidBody(CRigidBody* body)
{
    if (!body || !body->IsRegistered() || body->m_Id >= m_BodyById.size() || m_BodyById[body->m_Id] != body)
        return false;

    m_World->removeRigidBody(body->m_Body);
    body->m_Body->setUserPointer(nullptr);
    body->m_Body->setUserIndex(-1);
    EraseCallbacksOf(body->m_Id);
    m_BodyById[body->m_Id] = nullptr;
    m_FreeIds.push_back(body->m_Id);
    body->m_Id = CRigidBody::kNoId;

    m_Bodies.erase(std::find(m_Bodies.begin(), m_Bodies.end(), body));
    // Nobody keeps a pointer to it, and it keeps none to bodies it no longer hears about. Touches
    // are recorded on both bodies, so only the bodies it touches know of it.
    const std::vector<CRigidBody*> touching = body->m_Contact.m_TouchingBodies;
    for (CRigidBody* other : touching)
        other->ForgetBody(body);
    body->ClearContacts();
    return true;
}

bool CPhysicsSystem::HasCallback(uint32_t key, CollisionCallback fn) const
{
    const auto found = m_Callbacks.find(key);
    return found != m_Callbacks.end() &&
           std::find(found->second.begin(), found->second.end(), fn) != found->second.end();
}

bool CPhysicsSystem::AddCollisionCallback(CRigidBody* a, CRigidBody* b, CollisionCallback fn)
{
    if (!a || !b || !fn || !a->IsRegistered() || !b->IsRegistered())
        return false;
    const uint32_t ab = PairKey(a, b);
    const uint32_t ba = PairKey(b, a);
    if (HasCallback(ab, fn) || HasCallback(ba, fn))
        return false;
    // A pair keeps its callbacks under the key it got first; they are called in that order.
    m_Callbacks[m_Callbacks.count(ba) ? ba : ab].push_back(fn);
    return true;
}

void CPhysicsSystem::RemoveCollisionCallback(CRigidBody* a, CRigidBody* b)
{
    if (!a || !b)
        return;
    m_Callbacks.erase(PairKey(a, b));
    m_Callbacks.erase(PairKey(b, a));
}

void CPhysicsSystem::EraseCallbacksOf(uint16_t id)
{
    for (auto it = m_Callbacks.begin(); it != m_Callbacks.end();) {
        if ((it->first >> 16) == id || (it->first & 0xFFFF) == id)
            it = m_Callbacks.erase(it);
        else
            ++it;
    }
}

void CPhysicsSystem::SetGravity(const CVector3D& gravity)
{
    if (m_World)
        m_World->setGravity(btVector3(gravity.x, gravity.y, gravity.z));
}

CVector3D CPhysicsSystem::GetGravity() const
{
    if (!m_World)
        return CVector3D();
    const btVector3 gravity = m_World->getGravity();
    return CVector3D(gravity.x(), gravity.y(), gravity.z());
}

int CPhysicsSystem::GetOverlappingPairCount() const
{
    return m_Broadphase ? m_Broadphase->getOverlappingPairCache()->getNumOverlappingPairs() : 0;
}

int CPhysicsSystem::GetContactManifoldCount() const { return m_Dispatcher ? m_Dispatcher->getNumManifolds() : 0; }

void CPhysicsSystem::StepSimulation(float dt, int maxSubSteps, float fixedStep)
{
    if (m_World)
        m_World->stepSimulation(dt, maxSubSteps, fixedStep);
}

btBoxShape* CPhysicsSystem::CreateBoxShape(const CVector3D& size)
{
    if (!std::isfinite(size.x) || !std::isfinite(size.y) || !std::isfinite(size.z)) {
        LogLine("CPhysicsSystem: box size is not a finite number");
        return nullptr;
    }
    btBoxShape* slot = m_BoxShapePool.Allocate();
    if (!slot)
        return nullptr;
    const btVector3 half(std::fabs(size.x) * 0.5f, std::fabs(size.y) * 0.5f, std::fabs(size.z) * 0.5f);
    return new (slot) btBoxShape(half);
}

void CPhysicsSystem::ReleaseBoxShape(btBoxShape* box) { m_BoxShapePool.Destroy(box); }

CRigidBody* CPhysicsSystem::FindBody(const btCollisionObject* object) const
{
    if (!object)
        return nullptr;
    // The pointer is trusted only when the id beside it names the same registered body.
    const int id = object->getUserIndex();
    if (id < 0 || static_cast<size_t>(id) >= m_BodyById.size())
        return nullptr;
    CRigidBody* body = m_BodyById[static_cast<size_t>(id)];
    return body && body == object->getUserPointer() ? body : nullptr;
}

void CPhysicsSystem::ProcessCollisions()
{
    for (CRigidBody* body : m_Bodies)
        body->ClearContacts();
    m_FiredPairs.Clear();
    m_RecordedPairs.Clear();
    if (!m_Dispatcher)
        return;

    // By index with the count read again each turn: a callback may remove bodies, and with them
    // their manifolds.
    for (int i = 0; i < m_Dispatcher->getNumManifolds(); ++i) {
        const btPersistentManifold* manifold = m_Dispatcher->getManifoldByIndexInternal(i);
        CRigidBody* a = FindBody(manifold->getBody0());
        CRigidBody* b = FindBody(manifold->getBody1());
        if (!a || !b)
            continue;
        for (int p = 0; p < manifold->getNumContacts(); ++p) {
            const btManifoldPoint& point = manifold->getContactPoint(p);
            if (point.getDistance() >= kContactDistance)
                continue;
            if (m_RecordedPairs.Insert(UnorderedPairKey(a, b))) {
                const btVector3& normal = point.m_normalWorldOnB;
                RecordContact(a, b, CVector3D(normal.x(), normal.y(), normal.z()));
                FirePair(a, b);
            }
            break;
        }
    }
}

void CPhysicsSystem::RecordContact(CRigidBody* a, CRigidBody* b, const CVector3D& normalOnB)
{
    a->RecordTouch(b);
    b->RecordTouch(a);
    // A body without contact response neither receives normals nor gives any, in either order.
    if (a->m_BodyType == BODY_NO_CONTACT_RESPONSE || b->m_BodyType == BODY_NO_CONTACT_RESPONSE)
        return;
    b->m_Contact.m_ContactNormals.push_back(normalOnB * -1.0f);
    a->m_Contact.m_ContactNormals.push_back(normalOnB);
}

void CPhysicsSystem::FirePair(CRigidBody* a, CRigidBody* b)
{
    const uint32_t ab = PairKey(a, b);
    if (!m_FiredPairs.Insert(ab))
        return;
    const uint32_t ba = PairKey(b, a);
    FireKey(ab, a, b);
    if (m_FiredPairs.Insert(ba))
        FireKey(ba, b, a);
}

void CPhysicsSystem::FireKey(uint32_t key, CRigidBody* first, CRigidBody* second)
{
    const auto found = m_Callbacks.find(key);
    if (found == m_Callbacks.end())
        return;
    const std::vector<CollisionCallback> callbacks = found->second;
    for (CollisionCallback fn : callbacks) {
        // A callback may remove either body (which erases the pair's callbacks) or a callback.
        if (HasCallback(key, fn))
            fn(first, second);
    }
}

} // namespace Vesk
