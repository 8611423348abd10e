#include "physics/CRigidBody.h"

#include "core/Assert.h"
#include "physics/CPhysicsSystem.h"

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <new>

namespace Vesk {

static_assert(ACTIVATION_ACTIVE == ACTIVE_TAG && ACTIVATION_SLEEPING == ISLAND_SLEEPING &&
                  ACTIVATION_WANTS_DEACTIVATION == WANTS_DEACTIVATION &&
                  ACTIVATION_NEVER_SLEEPS == DISABLE_DEACTIVATION && ACTIVATION_SIMULATION_OFF == DISABLE_SIMULATION,
              "the engine's activation states are Bullet's");

namespace {

btVector3 ToBullet(const CVector3D& v) { return btVector3(v.x, v.y, v.z); }

CVector3D FromBullet(const btVector3& v) { return CVector3D(v.x(), v.y(), v.z()); }

// CMatrix4 and Bullet both apply matrices to column vectors, so the block carries over as is.
btMatrix3x3 ToBulletBasis(const CMatrix4& m)
{
    return btMatrix3x3(m(0, 0), m(0, 1), m(0, 2), m(1, 0), m(1, 1), m(1, 2), m(2, 0), m(2, 1), m(2, 2));
}

btVector3 AxisFactors(bool x, bool y, bool z) { return btVector3(x ? 1.0f : 0.0f, y ? 1.0f : 0.0f, z ? 1.0f : 0.0f); }

} // namespace

CRigidBody::CRigidBody(const CVector3D& size, void* owner, float mass, bool collisionCallback)
    : m_Dimensions(size), m_CollisionCallback(collisionCallback), m_Mass(mass), m_Owner(owner)
{
}

CRigidBody::CRigidBody() = default;

CRigidBody::~CRigidBody()
{
    Unregister();
    delete m_MotionState;
    CPhysicsSystem& physics = CPhysicsSystem::GetInstance();
    for (btCollisionShape* shape : m_Shapes) {
        if (shape && shape->getShapeType() == BOX_SHAPE_PROXYTYPE)
            physics.ReleaseBoxShape(static_cast<btBoxShape*>(shape));
        else
            delete shape;
    }
    delete m_Body;
}

void* CRigidBody::operator new(size_t size)
{
    VESK_ASSERT(size == sizeof(CRigidBody), "size is not the same!");
    CRigidBody* slot = CPhysicsSystem::GetInstance().GetBodyPool().Allocate();
    if (!slot)
        throw std::bad_alloc();
    return slot;
}

void CRigidBody::operator delete(void* object)
{
    CPhysicsSystem::GetInstance().GetBodyPool().Deallocate(static_cast<CRigidBody*>(object));
}

void CRigidBody::Unregister()
{
    if (IsRegistered())
        CPhysicsSystem::GetInstance().RemoveRigidBody(this);
}

void CRigidBody::CreateShape() { AddShape(CPhysicsSystem::GetInstance().CreateBoxShape(m_Dimensions)); }

void CRigidBody::SetStartTransform(const CVector3D& position, const CMatrix4& rotation)
{
    const auto finite = [](float value) { return std::isfinite(value); };
    m_StartPosition = finite(position.x) && finite(position.y) && finite(position.z) ? position : CVector3D();
    m_StartRotation = std::all_of(std::begin(rotation.m), std::end(rotation.m), finite) ? rotation : CMatrix4();
}

void CRigidBody::CreateBody()
{
    const btTransform start(ToBulletBasis(m_StartRotation), ToBullet(m_StartPosition));
    m_MotionState = new btDefaultMotionState(start, btTransform::getIdentity());
    btCollisionShape* shape = m_Shapes.empty() ? nullptr : m_Shapes.front();
    btVector3 inertia(0.0f, 0.0f, 0.0f);
    if (m_Mass != 0.0f && shape)
        shape->calculateLocalInertia(m_Mass, inertia);
    m_Body = new btRigidBody(btRigidBody::btRigidBodyConstructionInfo(m_Mass, m_MotionState, shape, inertia));
    const int state = m_Body->getActivationState();
    if (state != DISABLE_DEACTIVATION && state != DISABLE_SIMULATION)
        m_Body->setActivationState(WANTS_DEACTIVATION);
    if (shape) {
        btVector3 min, max;
        shape->getAabb(btTransform::getIdentity(), min, max);
        m_CreationBox = CAABB(FromBullet(min), FromBullet(max));
    }
    m_Contact.m_ContactNormals.clear();
}

CVector3D CRigidBody::GetPosition() const
{
    return m_Body ? FromBullet(m_Body->getWorldTransform().getOrigin()) : CVector3D();
}

void CRigidBody::SetPosition(const CVector3D& position)
{
    if (m_Body)
        m_Body->getWorldTransform().setOrigin(ToBullet(position));
}

void CRigidBody::SetRotation(const CMatrix4& m)
{
    if (!m_Body)
        return;
    btTransform transform = m_Body->getWorldTransform();
    transform.setBasis(ToBulletBasis(m));
    m_Body->setWorldTransform(transform);
    m_Body->setInterpolationWorldTransform(transform);
}

CMatrix4 CRigidBody::GetWorldMatrix() const
{
    CMatrix4 world;
    if (!m_Body)
        return world;
    const btTransform& transform = m_Body->getWorldTransform();
    const btMatrix3x3& basis = transform.getBasis();
    for (unsigned row = 0; row < 3; ++row) {
        for (unsigned column = 0; column < 3; ++column)
            world(row, column) = basis[int(row)][int(column)];
        world(row, 3) = transform.getOrigin()[int(row)];
    }
    return world;
}

void CRigidBody::SetLinearFactor(bool x, bool y, bool z)
{
    if (m_Body)
        m_Body->setLinearFactor(AxisFactors(x, y, z));
}

void CRigidBody::SetAngularFactor(bool x, bool y, bool z)
{
    if (m_Body)
        m_Body->setAngularFactor(AxisFactors(x, y, z));
}

void CRigidBody::SetLinearVelocity(const CVector3D& velocity)
{
    if (!m_Body)
        return;
    m_Body->activate();
    m_Body->setLinearVelocity(ToBullet(velocity));
}

void CRigidBody::SetAngularVelocity(const CVector3D& velocity)
{
    if (!m_Body)
        return;
    m_Body->activate();
    m_Body->setAngularVelocity(ToBullet(velocity));
}

CVector3D CRigidBody::GetLinearVelocity() const
{
    return m_Body ? FromBullet(m_Body->getLinearVelocity()) : CVector3D();
}

CVector3D CRigidBody::GetTotalForce() const { return m_Body ? FromBullet(m_Body->getTotalForce()) : CVector3D(); }

CVector3D CRigidBody::GetGravity() const { return m_Body ? FromBullet(m_Body->getGravity()) : CVector3D(); }

void CRigidBody::ApplyForce(const CVector3D& force)
{
    if (!m_Body)
        return;
    m_Body->activate();
    m_Body->applyCentralForce(ToBullet(force));
}

void CRigidBody::SetGravity(const CVector3D& gravity)
{
    if (m_Body)
        m_Body->setGravity(ToBullet(gravity));
}

void CRigidBody::SetDamping(float linear, float angular)
{
    if (m_Body)
        m_Body->setDamping(linear, angular);
}

void CRigidBody::SetFriction(float friction)
{
    if (m_Body)
        m_Body->setFriction(friction);
}

void CRigidBody::SetRestitution(float restitution)
{
    if (m_Body)
        m_Body->setRestitution(restitution);
}

void CRigidBody::SetBodyType(int type)
{
    static const int kCollisionFlags[] = {0, btCollisionObject::CF_STATIC_OBJECT,
                                          btCollisionObject::CF_NO_CONTACT_RESPONSE};
    if (!m_Body || type < BODY_DYNAMIC || type > BODY_NO_CONTACT_RESPONSE)
        return;
    const bool changed = type != m_BodyType;
    m_BodyType = type;
    m_Body->setCollisionFlags(kCollisionFlags[type]);
    // Contacts cached under the old type (say, deep inside the ground while it passed through)
    // would push the body out along stale normals in the next step.
    btDiscreteDynamicsWorld* world = CPhysicsSystem::GetInstance().GetWorld();
    if (changed && world && m_Body->getBroadphaseHandle())
        world->getBroadphase()->getOverlappingPairCache()->cleanProxyFromPairs(m_Body->getBroadphaseHandle(),
                                                                               world->getDispatcher());
}

void CRigidBody::SetActivationState(int state)
{
    if (m_Body)
        m_Body->forceActivationState(state);
}

CAABB CRigidBody::GetAABB() const
{
    if (!m_Body || !m_Body->getCollisionShape())
        return CAABB();
    btVector3 min, max;
    m_Body->getAabb(min, max);
    return CAABB(FromBullet(min), FromBullet(max));
}

CAABB CRigidBody::GetBroadphaseBox() const
{
    const btBroadphaseProxy* proxy = m_Body ? m_Body->getBroadphaseHandle() : nullptr;
    if (!proxy)
        return CAABB();
    return CAABB(FromBullet(proxy->m_aabbMin), FromBullet(proxy->m_aabbMax));
}

void CRigidBody::ClearContacts()
{
    m_Touched = false;
    m_LastTouching = nullptr;
    m_Contact.m_ContactNormals.clear();
    m_Contact.m_TouchingBodies.clear();
}

void CRigidBody::RecordTouch(CRigidBody* other)
{
    m_Touched = true;
    m_LastTouching = other;
    m_Contact.m_TouchingBodies.push_back(other);
}

void CRigidBody::ForgetBody(const CRigidBody* other)
{
    std::vector<CRigidBody*>& touching = m_Contact.m_TouchingBodies;
    touching.erase(std::remove(touching.begin(), touching.end(), other), touching.end());
    if (m_LastTouching == other)
        m_LastTouching = touching.empty() ? nullptr : touching.back();
}

} // namespace Vesk
