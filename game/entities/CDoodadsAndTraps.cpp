#include "game/entities/CDoodads.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CTrap.h"
#include "physics/CRigidBody.h"
#include "resources/IMesh.h"
#include "scene/CSceneNodes.h"

namespace Game {

void CTrap::Init(const std::string& name, const EntitySetting& setting)
{
    CEntity::Init(name, setting);
    m_Active = true;
    m_LifeState = LIFE_ALIVE;
}

void CTrap::PrepareBody()
{
    if (m_pBody)
        m_pBody->SetBodyType(Vesk::BODY_DYNAMIC);
}

void CDoodads::Init(const std::string& name, const EntitySetting& setting)
{
    CEntityFactory::GetInstance().RemoveEntity(this);
    m_Name = name;
    ReleaseNodes();
    ReleaseBody();
    CreateNodes(setting);
    m_Position = setting.m_StartPosition;
    SetDirection(setting.m_Direction);
    // Without a mesh, or with an empty one, the record's size stands in for the mesh's.
    const Vesk::IMesh* mesh = m_pGeomNode ? m_pGeomNode->GetMesh() : nullptr;
    const CVector3D extent = mesh ? mesh->GetAABB().max - mesh->GetAABB().min : CVector3D(-1.0f, -1.0f, -1.0f);
    if (extent.x >= 0.0f && extent.y >= 0.0f && extent.z >= 0.0f)
        m_Dimensions = extent * kSizeFactor;
    else
        m_Dimensions = setting.GetDimensions();
    CEntityFactory::GetInstance().AddEntity(this);
}

} // namespace Game
