// Wave locations, camera waypoints and collision boxes.
#include "core/Log.h"
#include "frame/CGameManager.h"
#include "game/entities/CCameraWaypoint.h"
#include "game/entities/CCollisionBox.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CWaveLocation.h"
#include "game/world/CSlotHash.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "render/CRenderer.h"

namespace Game {

namespace {

const CVector3D kWaveLocationSize(5.0f, 5.0f, 5.0f);
const CVector3D kWaypointSize(3.0f, 3.0f, 3.0f);

float ReadFloat(const Vesk::CXmlElement& element, const char* name)
{
    float value = 0.0f;
    element.GetFloatAttribute(name, &value, 0.0f);
    return value;
}

std::string ReadName(const Vesk::CXmlElement& element, const char* owner, int type)
{
    if (const char* name = element.GetAttribute("name"))
        return name;
    const std::string made = CEntityFactory::GetInstance().MakeEntityName(type);
    Vesk::LogLine(std::string(owner) + ": an element without a name is called \"" + made + "\"");
    return made;
}

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
    element.SetAttribute("name", m_Name);
    element.SetAttribute("type", CSlotHash::GetInstance().NameOf(GetType(), SLOT_ENTITY_TYPE));
    element.SetDoubleAttribute("positionX", m_Position.x);
    element.SetDoubleAttribute("positionY", m_Position.y);
    element.SetDoubleAttribute("positionZ", m_Position.z);
    element.SetAttribute("followcamtriggerparentname", m_FollowCamTriggerParentName);
}

void CCameraWaypoint::Load(Vesk::CXmlElement element)
{
    EntitySetting setting;
    setting.m_StartPosition =
        CVector3D(ReadFloat(element, "positionX"), ReadFloat(element, "positionY"), ReadFloat(element, "positionZ"));
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
    element.SetAttribute("name", m_Name);
    element.SetAttribute("type", CSlotHash::GetInstance().NameOf(GetType(), SLOT_ENTITY_TYPE));
    element.SetDoubleAttribute("posX", m_Position.x);
    element.SetDoubleAttribute("posY", m_Position.y);
    element.SetDoubleAttribute("posZ", m_Position.z);
    element.SetDoubleAttribute("dimX", m_Dimensions.x);
    element.SetDoubleAttribute("dimY", m_Dimensions.y);
    element.SetDoubleAttribute("dimZ", m_Dimensions.z);
}

void CCollisionBox::Load(Vesk::CXmlElement element)
{
    EntitySetting setting;
    setting.m_StartPosition =
        CVector3D(ReadFloat(element, "posX"), ReadFloat(element, "posY"), ReadFloat(element, "posZ"));
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
