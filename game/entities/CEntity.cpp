#include "game/entities/CEntity.h"

#include "core/Log.h"
#include "game/base/DebugSwitches.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/controllers/IController.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CGameTrigger.h"
#include "game/entities/CItemDrop.h"
#include "game/entities/CPickupItem.h"
#include "game/entities/EntityXml.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "render/CRenderer.h"
#include "resources/IMesh.h"
#include "scene/CSceneGraph.h"
#include "scene/CSceneNodes.h"

#include <algorithm>

namespace Game {

namespace {

const CVector3D kUp(0.0f, 1.0f, 0.0f);
// Points nearer than this in the ground plane give no direction to face.
constexpr float kSameSpot = 1e-4f;

// Models are built facing -z: the rotation turns their front, not their back, to the direction.
CMatrix4 LookAlong(const CVector3D& position, const CVector3D& direction)
{
    CMatrix4 m;
    m.ObjectLookAlong(position, -direction, kUp, true);
    return m;
}

} // namespace

bool IsEntityElementType(int type) { return type < 8; }

bool IsTriggerEntityType(int type) { return type >= SOUND_TRIGGER && type <= LOCATIONBASED_SPAWNER_TRIGGER; }

CEntity::CEntity() : m_Serial(CEntityFactory::GetInstance().RegisterObject(this)) {}

CEntity::~CEntity()
{
    CEntity::Release();
    CEntityFactory::GetInstance().UnregisterObject(m_Serial);
}

void CEntity::Save(Vesk::CXmlElement element)
{
    WriteNameAndType(element, m_Name, GetType());
    element.SetAttribute("entitysettingprefabname", m_PrefabName);
    WriteVector(element, "pos", m_Position);
    WriteVector(element, "dir", m_Direction);
}

void CEntity::Load(Vesk::CXmlElement element)
{
    EntitySetting setting;
    const std::string name = ReadName(element, "CEntity", GetType());
    if (const char* prefab = element.GetAttribute("entitysettingprefabname")) {
        setting = CGamePrefabSettings::GetInstance().GetEntitySetting(GetType(), prefab);
        m_PrefabName = prefab;
    }
    setting.m_StartPosition = ReadVector(element, "pos");
    setting.m_Direction = ReadVector(element, "dir", CVector3D(0.0f, 0.0f, -1.0f));
    Init(name, setting);
}

void CEntity::Init(const std::string& name, const EntitySetting& setting)
{
    CEntityFactory& factory = CEntityFactory::GetInstance();
    factory.RemoveEntity(this);
    CControllerManager::GetInstance().DestroyController(m_pController);
    ReleaseNodes();
    ReleaseBody();
    m_Name = name;
    CreateNodes(setting);
    CreateBody(setting);
    PrepareBody();
    m_Dimensions = setting.GetDimensions();
    SetDirection(setting.m_Direction);
    SetPosition(setting.m_StartPosition);
    CreateController(setting);
    factory.AddEntity(this);
}

void CEntity::CreateNodes(const EntitySetting& setting)
{
    m_pTransformNode = new Vesk::CTransformNode(m_Name + "_Trans");
    m_pGeomNode = new Vesk::CGeomNode(m_Name + "_Geom");
    m_pTransformNode->AddChild(m_pGeomNode);
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    m_NodesInTree = scene.AddNode(m_pTransformNode) != nullptr;
    m_NodeTreeGeneration = scene.GetTreeGeneration();

    m_pGeomNode->SetMesh(setting.m_MeshName);
    // Entities draw in the early pass, before the cube shadow pass.
    m_pGeomNode->GetBucketKeys().front() = -1;
    if (Vesk::IMesh* mesh = m_pGeomNode->GetMesh()) {
        m_pAnimationController = mesh->CreateAnimationController();
        m_pGeomNode->SetAnimationController(m_pAnimationController);
    }
}

void CEntity::CreateBody(const EntitySetting& setting)
{
    m_pBody = new Vesk::CRigidBody(setting.GetDimensions(), this, setting.m_Mass, setting.m_CollisionCallback != 0);
    if (!Vesk::CPhysicsSystem::GetInstance().AddRigidBody(m_pBody, static_cast<short>(setting.m_CollisionGroup),
                                                          static_cast<short>(setting.m_CollisionMask))) {
        Vesk::LogLine("CEntity: \"" + m_Name + "\" has no body (the physics system refused it)");
        delete m_pBody;
        m_pBody = nullptr;
    }
}

void CEntity::CreateController(const EntitySetting& setting)
{
    ControllerSetting record = CGamePrefabSettings::GetInstance().GetControllerSetting(setting.m_ControllerType,
                                                                                       setting.m_ControllerPrefabName);
    record.m_Owner = EntityHandle(this);
    m_pController = CControllerManager::GetInstance().CreateController(setting.m_ControllerType, record);
}

void CEntity::Release()
{
    // Links first: a trigger drops its pair callback while both bodies still exist.
    ClearTriggerLinks(false);
    CControllerManager::GetInstance().DestroyController(m_pController);
    ReleaseNodes();
    ReleaseBody();
    CEntityFactory::GetInstance().RemoveEntity(this);
}

void CEntity::ReleaseNodes()
{
    const bool treeKept =
        !m_NodesInTree || Vesk::CSceneGraph::GetInstance().GetTreeGeneration() == m_NodeTreeGeneration;
    if (treeKept)
        delete m_pTransformNode; // takes the geometry node with it
    delete m_pAnimationController;
    m_pTransformNode = nullptr;
    m_pGeomNode = nullptr;
    m_pAnimationController = nullptr;
    m_NodesInTree = false;
}

void CEntity::ReleaseBody()
{
    if (!m_pBody)
        return;
    Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(m_pBody);
    delete m_pBody;
    m_pBody = nullptr;
}

void CEntity::SyncPositionFromBody()
{
    if (m_pBody)
        m_Position = m_pBody->GetPosition();
}

void CEntity::UpdatePhysics(float dt)
{
    if (m_pTransformNode && m_pBody) {
        m_HitStrength = std::max(0.0f, m_HitStrength - dt * 8.0f * m_HitStrength);
        const CVector3D offset = m_HitDirection * m_HitStrength;
        CMatrix4 recoil;
        recoil.m[3] = offset.x;
        recoil.m[7] = offset.y;
        recoil.m[11] = offset.z;
        CMatrix4 world;
        recoil.Multiply(world, m_pBody->GetWorldMatrix());
        m_pTransformNode->SetLocalMatrix(world);
    } else if (m_pTransformNode) {
        m_pTransformNode->SetLocalMatrix(LookAlong(m_Position, m_Direction));
    }
    if (CDebugSwitches::GetInstance().m_DrawEntityBodies && m_pBody) {
        m_pBody->DrawAABB(255.0f, 255.0f, 0.0f);
        m_pBody->DrawVelocity(0.0f, 255.0f, 255.0f);
        Vesk::CRenderer::GetInstance().DrawLine(m_Position, m_Position + m_Direction, 0, 255, 0);
    }
}

void CEntity::Update(float dt)
{
    const auto* cubes = dynamic_cast<const CVeskCubeAnimationController*>(m_pAnimationController);
    if (cubes && m_pGeomNode && m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled) &&
        cubes->GetDebrisTimer() <= 0.0f) {
        m_pGeomNode->SetEnabled(false);
        // The player is only hidden; pickups remove themselves by their own logic.
        static const char* const kSpared[] = {"player", "smallcoin", "fireskill", "potion"};
        if (std::none_of(std::begin(kSpared), std::end(kSpared), [&](const char* name) { return m_Name == name; }))
            CEntityFactory::GetInstance().QueueDestroy(this);
    }
    SyncPositionFromBody();
    UpdatePhysics(dt);
}

void CEntity::SetPosition(const CVector3D& position)
{
    if (m_pBody)
        m_pBody->SetPosition(position);
    m_Position = position;
}

void CEntity::SetDirection(const CVector3D& direction)
{
    m_Direction = direction;
    if (m_pBody) {
        m_pBody->SetRotation(LookAlong(m_Position, direction));
        m_pBody->SetAngularVelocity(CVector3D(0.0f, 0.0f, 0.0f));
    }
}

bool CEntity::FaceTowards(const CVector3D& point)
{
    CVector3D direction(point.x - m_Position.x, 0.0f, point.z - m_Position.z);
    if (direction.Length() <= kSameSpot)
        return false;
    direction.Normalize();
    SetDirection(direction);
    return true;
}

void CEntity::SetLinearVelocity(const CVector3D& velocity)
{
    if (m_pBody)
        m_pBody->SetLinearVelocity(velocity);
}

void CEntity::GetLinearVelocity(CVector3D& out) const
{
    if (m_pBody)
        out = m_pBody->GetLinearVelocity();
}

void CEntity::SetVisible(bool visible)
{
    if (m_pGeomNode)
        m_pGeomNode->SetEnabled(visible);
}

bool CEntity::IsControllerEnabled() const { return !m_pController || m_pController->m_Enabled; }

bool CEntity::IsVisible() const { return m_pGeomNode && m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled); }

void CEntity::GetBoundingBox(CAABB& out) const
{
    if (m_pBody)
        out = m_pBody->GetAABB();
    else
        out = CAABB(m_Position, m_Dimensions.x * 0.5f, m_Dimensions.y * 0.5f, m_Dimensions.z * 0.5f);
}

void CEntity::SetHitDirection(float x, float y, float z, float strength)
{
    m_HitDirection = CVector3D(x, y, z).GetNormalized();
    m_HitDirection.y = 0.4f;
    m_HitStrength = strength;
}

void CEntity::ShatterSubmesh(const std::string& submesh)
{
    auto* cubes = dynamic_cast<CVeskCubeAnimationController*>(m_pAnimationController);
    if (cubes && m_pTransformNode)
        cubes->ShatterSubmesh(submesh, m_pTransformNode->GetLocalMatrix());
}

void CEntity::ShatterAndDrop()
{
    auto* cubes = dynamic_cast<CVeskCubeAnimationController*>(m_pAnimationController);
    if (cubes && m_pTransformNode && m_pGeomNode) {
        cubes->Shatter(m_pTransformNode->GetLocalMatrix());
        m_pGeomNode->AddFlags(Vesk::CGeomNode::FlagNeverCull);
    }
    if (!dynamic_cast<CPickupItem*>(this))
        CItemDrop::Drop(*this);
}

void CEntity::SetName(const std::string& name)
{
    CEntityFactory::GetInstance().RenameEntity(this, name);
    m_Name = name;
}

std::vector<std::string> CEntity::GetSubmeshNames() const
{
    const auto* mesh = m_pGeomNode ? dynamic_cast<const CVeskCubeMesh*>(m_pGeomNode->GetMesh()) : nullptr;
    return mesh ? mesh->GetSubmeshes() : std::vector<std::string>();
}

void CEntity::AddTriggerLink(CGameTrigger* trigger)
{
    if (trigger)
        m_TriggerLinks.emplace_back(trigger);
}

void CEntity::RemoveTriggerLink(CGameTrigger* trigger, bool silent)
{
    const EntityHandle handle(trigger);
    const auto found = std::find(m_TriggerLinks.begin(), m_TriggerLinks.end(), handle);
    if (found == m_TriggerLinks.end())
        return;
    if (!silent && trigger) {
        trigger->RemoveTriggeringEntity(this, true);
        trigger->RemoveSlaveEntity(this, true);
    }
    m_TriggerLinks.erase(std::find(m_TriggerLinks.begin(), m_TriggerLinks.end(), handle));
}

void CEntity::ClearTriggerLinks(bool silent)
{
    if (!silent) {
        for (CGameTrigger* trigger : GetTriggerLinks()) {
            trigger->RemoveTriggeringEntity(this, true);
            trigger->RemoveSlaveEntity(this, true);
        }
    }
    m_TriggerLinks.clear();
}

std::vector<CGameTrigger*> CEntity::GetTriggerLinks() const
{
    std::vector<CGameTrigger*> triggers;
    for (const EntityHandle& handle : m_TriggerLinks) {
        if (CGameTrigger* trigger = handle.GetAs<CGameTrigger>())
            triggers.push_back(trigger);
    }
    return triggers;
}

} // namespace Game
