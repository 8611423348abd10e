#include "physics/CCompoundBody.h"

#include "core/Log.h"
#include "physics/CPhysicsSystem.h"

#include <btBulletDynamicsCommon.h>

namespace Vesk {

// The default body's 2 x 2 x 2 size and no owner, with mass 0 so that it is static.
CCompoundBody::CCompoundBody() : CRigidBody(CVector3D(2.0f, 2.0f, 2.0f), nullptr, 0.0f, false) {}

CCompoundBody::~CCompoundBody()
{
    // Out of the world before the children go, so that no contact still refers to them.
    Unregister();
    CPhysicsSystem& physics = CPhysicsSystem::GetInstance();
    for (btBoxShape* box : m_Children)
        physics.ReleaseBoxShape(box);
    m_Children.clear();
}

void* CCompoundBody::operator new(size_t size) { return ::operator new(size); }

void CCompoundBody::operator delete(void* object) { ::operator delete(object); }

void CCompoundBody::CreateShape()
{
    m_CompoundShape = new btCompoundShape(true);
    AddShape(m_CompoundShape);
}

void CCompoundBody::AddBoxShape(const CVector3D& offset, const CVector3D& size)
{
    if (!m_CompoundShape) {
        LogLine("CCompoundBody: a box added before the body joined the physics system is ignored");
        return;
    }
    btBoxShape* box = CPhysicsSystem::GetInstance().CreateBoxShape(size);
    if (!box)
        return;
    m_CompoundShape->addChildShape(btTransform(btMatrix3x3::getIdentity(), btVector3(offset.x, offset.y, offset.z)),
                                   box);
    m_Children.push_back(box);
}

void CCompoundBody::RemoveBoxShape(size_t index)
{
    if (!m_CompoundShape || index >= m_Children.size())
        return;
    btBoxShape* box = m_Children[index];
    // A box inside the compound's bounds on every side leaves them as they are.
    btVector3 boxMin, boxMax, allMin, allMax;
    box->getAabb(m_CompoundShape->getChildTransform(int(index)), boxMin, boxMax);
    m_CompoundShape->getAabb(btTransform::getIdentity(), allMin, allMax);
    constexpr btScalar kSlack = 1e-3f;
    for (int axis = 0; axis < 3; ++axis)
        if (boxMin[axis] <= allMin[axis] + kSlack || boxMax[axis] >= allMax[axis] - kSlack)
            m_BoundsStale = true;
    m_CompoundShape->removeChildShapeByIndex(int(index));
    m_Children[index] = m_Children.back();
    m_Children.pop_back();
    CPhysicsSystem::GetInstance().ReleaseBoxShape(box);
}

void CCompoundBody::UpdateBounds()
{
    if (m_CompoundShape && m_BoundsStale)
        m_CompoundShape->recalculateLocalAabb();
    m_BoundsStale = false;
}

CAABB CCompoundBody::GetChildBox(size_t index) const
{
    if (!m_CompoundShape || index >= size_t(m_CompoundShape->getNumChildShapes()))
        return CAABB(CVector3D(), CVector3D());
    const btVector3 centre = m_CompoundShape->getChildTransform(int(index)).getOrigin();
    const btVector3 half =
        static_cast<const btBoxShape*>(m_CompoundShape->getChildShape(int(index)))->getHalfExtentsWithMargin();
    const btVector3 low = centre - half, high = centre + half;
    return CAABB(CVector3D(low.x(), low.y(), low.z()), CVector3D(high.x(), high.y(), high.z()));
}

void CCompoundBody::AddBoxShapeFromAABB(const CAABB& box) { AddBoxShape(box.GetCenter(), box.max - box.min); }

} // namespace Vesk
