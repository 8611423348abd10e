// Wave locations, camera waypoints and collision boxes.
#include "core/Log.h"
#include "frame/CGameManager.h"
#include "game/entities/CCameraWaypoint.h"
#include "game/entities/CCollisionBox.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CWaveLocation.h"
#include "game/entities/EntityXml.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "render/CRenderer.h"

namespace Game {

namespace {

const CVector3D kWaveLocationSize(5.0f, 5.0f, 5.0f);
const CVector3D kWaypointSize(3.0f, 3.0f, 3.0f);

// The marker boxes show only while the level editor is the top game state.
void DrawMarker(const CVector3D& position, const CVector3D& size, float r, float g, float b)
{
    if (!Vesk::CGameManager::GetInstance().TopIsLevelEditor())
        return;
    Vesk::CRenderer::GetInstance().DrawAABB(CAABB(position, size.x, size.y, size.z), r, g, b);
}

} // namespace

void CWaveLocation::Init(const std::string& name, const EntitySetting& setting)
{
    CEntityFactory::GetInstance().RemoveEntity(this);
    m_Name = name;
    ReleaseNodes();
    ReleaseBody();
    m_Position = setting.m_StartPosition;
    // Kept so that a saved level keeps what it was given; spawns choose their own direction.
    m_Direction = setting.m_Direction;
    m_Dimensions = kWaveLocationSize;
    CEntityFactory::GetInstance().AddEntity(this);
}

void CWaveLocation::Update(float dt)
{
    (void)dt;
    DrawMarker(m_Position, m_Dimensions, 255.0f, 0.0f, 0.0f);
}

void CCameraWaypoint::Save(Vesk::CXmlElement element)
{
    WriteNameAndType(element, m_Name, GetType());
    WriteVector(element, "position", m_Position);
    element.SetAttribute("followcamtriggerparentname", m_FollowCamTriggerParentName);
}

void CCameraWaypoint::Load(Vesk::CXmlElement element)
{
    EntitySetting setting;
    setting.m_StartPosition = ReadVector(element, "position");
    const std::string name = ReadName(element, "CCameraWaypoint", GetType());
    const char* parent = element.GetAttribute("followcamtriggerparentname");
    Init(name, setting);
    m_FollowCamTriggerParentName = parent ? parent : "";
}

void CCameraWaypoint::Init(const std::string& name, const EntitySetting& setting)
{
    CEntityFactory::GetInstance().RemoveEntity(this);
    m_Name = name;
    m_Position = setting.m_StartPosition;
    m_Dimensions = kWaypointSize;
    CEntityFactory::GetInstance().AddEntity(this);
}

void CCameraWaypoint::Release()
{
    CEntity::Release();
    m_FollowCamTriggerParentName.clear();
}

void CCameraWaypoint::Update(float dt)
{
    (void)dt;
    DrawMarker(m_Position, m_Dimensions, 0.0f, 255.0f, 0.0f);
}

void CCollisionBox::Save(Vesk::CXmlElement element)
{
    WriteNameAndType(element, m_Name, GetType());
    WriteVector(element, "pos", m_Position);
    WriteVector(element, "dim", m_Dimensions);
}

void CCollisionBox::Load(Vesk::CXmlElement element)
{
    EntitySetting setting;
    setting.m_StartPosition = ReadVector(element, "pos");
    setting.m_DimX = ReadFloat(element, "dimX");
    setting.m_DimY = ReadFloat(element, "dimY");
    setting.m_DimZ = ReadFloat(element, "dimZ");
    Init(ReadName(element, "CCollisionBox", GetType()), setting);
}

void CCollisionBox::Init(const std::string& name, const EntitySetting& setting)
{
    CEntityFactory::GetInstance().RemoveEntity(this);
    m_Name = name;
    ReleaseNodes();
    ReleaseBody();
    m_pBody = new Vesk::CRigidBody(setting.GetDimensions(), static_cast<CEntity*>(this), 0.0f, false);
    m_pBody->SetStartTransform(setting.m_StartPosition, CMatrix4());
    if (Vesk::CPhysicsSystem::GetInstance().AddRigidBody(m_pBody, COLGRP_WALL, -1)) {
        m_pBody->SetBodyType(Vesk::BODY_STATIC);
    } else {
        Vesk::LogLine("CCollisionBox: \"" + m_Name + "\" has no body (the physics system refused it)");
        delete m_pBody;
        m_pBody = nullptr;
    }
    SetPosition(setting.m_StartPosition);
    m_Dimensions = setting.GetDimensions();
    CEntityFactory::GetInstance().AddEntity(this);
}

} // namespace Game
