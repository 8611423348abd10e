#include "game/entities/CGameTrigger.h"

#include "core/Log.h"
#include "game/controllers/CPlayerController.h"
#include "game/entities/CEntityFactory.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "triggers/CTriggerManager.h"

#include <algorithm>

namespace Game {

namespace {

// Bodies of entities carry their entity as owner; the trigger's pair is registered trigger first,
// but either order is accepted.
void OnTriggerContact(Vesk::CRigidBody* a, Vesk::CRigidBody* b)
{
    auto* first = static_cast<CEntity*>(a->GetOwner());
    auto* second = static_cast<CEntity*>(b->GetOwner());
    if (auto* trigger = dynamic_cast<CGameTrigger*>(first))
        trigger->MarkContact(second);
    else if (auto* other = dynamic_cast<CGameTrigger*>(second))
        other->MarkContact(first);
}

} // namespace

void CGameTrigger::InitTiming(const GameTriggerSetting& setting)
{
    Vesk::TriggerTimingSetting timing;
    timing.m_StartState = setting.m_InitialStatus;
    timing.m_FireMode = setting.m_ConditionPassResponse;
    timing.m_AfterFireMode = setting.m_PostActionResponse;
    timing.m_BypassCondition = setting.m_BypassCondition;
    timing.m_FireDelay = setting.m_FireDelayTime;
    timing.m_ReactivationDelay = setting.m_ReactivationTime;
    Vesk::CTrigger::InitTiming(timing);
}

CGameTrigger::~CGameTrigger() { CGameTrigger::Release(); }

void CGameTrigger::Init(const std::string& name, const EntitySetting& setting)
{
    InitTrigger(name, setting, GameTriggerSetting());
}

void CGameTrigger::InitTrigger(const std::string& name, const EntitySetting& setting,
                               const GameTriggerSetting& triggerSetting)
{
    CEntityFactory& factory = CEntityFactory::GetInstance();
    factory.RemoveEntity(this);
    ClearTriggeringEntities(false);
    ClearSlaveEntities(false);
    InitTiming(triggerSetting);
    ReleaseNodes();
    ReleaseBody();
    m_Name = name;

    m_pBody = new Vesk::CRigidBody(setting.GetDimensions(), static_cast<CEntity*>(this), 0.0f, false);
    m_pBody->SetStartTransform(setting.m_StartPosition, CMatrix4());
    if (Vesk::CPhysicsSystem::GetInstance().AddRigidBody(m_pBody, -1, -1)) {
        m_pBody->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
    } else {
        Vesk::LogLine("CGameTrigger: \"" + m_Name + "\" has no box (the physics system refused it)");
        delete m_pBody;
        m_pBody = nullptr;
    }
    SetPosition(setting.m_StartPosition);
    m_Dimensions = setting.GetDimensions();

    m_CollisionStatusCondition = triggerSetting.m_CollisionStatusCondition;
    m_EntityCountCondition = triggerSetting.m_EntityCountCondition;
    for (const EntityHandle& handle : triggerSetting.m_TriggeringEntities)
        AddTriggeringEntity(handle.Get());
    for (const auto& entry : triggerSetting.m_SlaveEntities)
        AddSlaveEntity(entry.second.Get(), entry.first);
    m_PlayersAsTriggeringEnts = triggerSetting.m_PlayersAsTriggeringEnts;
    if (m_PlayersAsTriggeringEnts)
        AddTriggeringEntitiesByName("player");
    factory.AddEntity(this);
}

void CGameTrigger::Release()
{
    ClearTriggeringEntities(false);
    ClearSlaveEntities(false);
    Unregister();
    CEntity::Release();
}

void CGameTrigger::Update(float dt)
{
    for (auto& entry : m_Contacts) {
        Contact& contact = entry.second;
        const bool now = contact.m_Bits & 1;
        const bool before = contact.m_Bits & 2;
        contact.m_Event = now && before ? COLLISION_INSIDE
                          : before      ? COLLISION_ONEXIT
                          : now         ? COLLISION_ONENTER
                                        : COLLISION_NOCOLLIDE;
        contact.m_Bits = now ? 2 : 0;
    }
    CEntity::Update(dt);
}

void CGameTrigger::MarkContact(const CEntity* entity)
{
    const auto found = entity ? m_Contacts.find(entity->GetSerial()) : m_Contacts.end();
    if (found != m_Contacts.end())
        found->second.m_Bits |= 1;
}

void CGameTrigger::WatchEntity(CEntity* entity)
{
    m_Contacts[entity->GetSerial()] = Contact();
    if (m_pBody && entity->GetBody())
        Vesk::CPhysicsSystem::GetInstance().AddCollisionCallback(m_pBody, entity->GetBody(), &OnTriggerContact);
}

void CGameTrigger::UnwatchEntity(CEntity* entity)
{
    m_Contacts.erase(entity->GetSerial());
    if (m_pBody && entity->GetBody())
        Vesk::CPhysicsSystem::GetInstance().RemoveCollisionCallback(m_pBody, entity->GetBody());
}

void CGameTrigger::AddTriggeringEntity(CEntity* entity)
{
    const EntityHandle handle(entity);
    if (!entity ||
        std::find(m_TriggeringEntities.begin(), m_TriggeringEntities.end(), handle) != m_TriggeringEntities.end())
        return;
    WatchEntity(entity);
    m_TriggeringEntities.push_back(handle);
    entity->AddTriggerLink(this);
}

void CGameTrigger::RemoveTriggeringEntity(CEntity* entity, bool silent)
{
    const auto found = std::find(m_TriggeringEntities.begin(), m_TriggeringEntities.end(), EntityHandle(entity));
    if (!entity || found == m_TriggeringEntities.end())
        return;
    UnwatchEntity(entity);
    m_TriggeringEntities.erase(found);
    if (!silent)
        entity->RemoveTriggerLink(this, true);
}

void CGameTrigger::ClearTriggeringEntities(bool silent)
{
    for (CEntity* entity : GetTriggeringEntities())
        RemoveTriggeringEntity(entity, silent);
    m_TriggeringEntities.clear();
    m_Contacts.clear();
}

void CGameTrigger::AddTriggeringEntitiesByName(const std::string& name)
{
    for (CEntity* entity : CEntityFactory::GetInstance().FindByName(name))
        AddTriggeringEntity(entity);
}

void CGameTrigger::AddSlaveEntity(CEntity* entity, int group)
{
    if (!entity)
        return;
    const EntityHandle handle(entity);
    const auto range = m_SlaveEntities.equal_range(group);
    for (auto it = range.first; it != range.second; ++it) {
        if (it->second == handle)
            return;
    }
    m_SlaveEntities.emplace(group, handle);
    entity->AddTriggerLink(this);
}

void CGameTrigger::RemoveSlaveEntity(CEntity* entity, bool silent)
{
    const EntityHandle handle(entity);
    for (auto it = m_SlaveEntities.begin(); entity && it != m_SlaveEntities.end(); ++it) {
        if (it->second == handle) {
            if (!silent)
                entity->RemoveTriggerLink(this, true);
            m_SlaveEntities.erase(it);
            return;
        }
    }
}

void CGameTrigger::RemoveSlaveGroup(int group, bool silent)
{
    const auto range = m_SlaveEntities.equal_range(group);
    if (!silent) {
        for (auto it = range.first; it != range.second; ++it) {
            if (CEntity* entity = it->second.Get())
                entity->RemoveTriggerLink(this, true);
        }
    }
    m_SlaveEntities.erase(group);
}

void CGameTrigger::ClearSlaveEntities(bool silent)
{
    if (!silent) {
        for (CEntity* entity : GetSlaveEntities())
            entity->RemoveTriggerLink(this, true);
    }
    m_SlaveEntities.clear();
}

void CGameTrigger::AddToTimingManager() { Vesk::CTriggerManager::GetInstance().AddTrigger(this); }

int CGameTrigger::GetEvent(const CEntity* entity) const
{
    const auto found = entity ? m_Contacts.find(entity->GetSerial()) : m_Contacts.end();
    return found == m_Contacts.end() ? COLLISION_NOCOLLIDE : found->second.m_Event;
}

bool CGameTrigger::HasEntityWithEvent(int event) const
{
    return std::any_of(m_Contacts.begin(), m_Contacts.end(),
                       [event](const auto& entry) { return entry.second.m_Event == event; });
}

bool CGameTrigger::IsSkippedPlayer(const CEntity* entity) const
{
    if (!entity || entity->GetName() != "player")
        return false;
    const auto* controller = dynamic_cast<const CPlayerController*>(entity->GetController());
    return controller && !controller->IsPlayerOne();
}

bool CGameTrigger::CheckCollisionStatus(int status) const
{
    std::vector<int> events;
    for (const EntityHandle& handle : m_TriggeringEntities) {
        const CEntity* entity = handle.Get();
        if (entity && !IsSkippedPlayer(entity))
            events.push_back(GetEvent(entity));
    }
    const auto has = [&events](int event) { return std::find(events.begin(), events.end(), event) != events.end(); };
    switch (status) {
    case COLLISION_NOCOLLIDE:
    case COLLISION_INSIDE:
        return std::all_of(events.begin(), events.end(), [status](int event) { return event == status; });
    case COLLISION_ONENTER:
    case COLLISION_ONEXIT: {
        const int opposite = status == COLLISION_ONENTER ? COLLISION_ONEXIT : COLLISION_ONENTER;
        return !events.empty() && !has(COLLISION_NOCOLLIDE) && !has(opposite) && has(status);
    }
    default: return false;
    }
}

bool CGameTrigger::CheckEntityCondition() const
{
    switch (m_EntityCountCondition) {
    case IGNORE_ENT: return true;
    case ANY_ENT: return HasEntityWithEvent(m_CollisionStatusCondition);
    case ALL_ENT: return CheckCollisionStatus(m_CollisionStatusCondition);
    case NO_ENT: return !HasEntityWithEvent(m_CollisionStatusCondition);
    default: return false;
    }
}

std::vector<CEntity*> CGameTrigger::GetTriggeringEntities() const
{
    std::vector<CEntity*> entities;
    for (const EntityHandle& handle : m_TriggeringEntities) {
        if (CEntity* entity = handle.Get())
            entities.push_back(entity);
    }
    return entities;
}

std::vector<CEntity*> CGameTrigger::GetSlaveEntities() const
{
    std::vector<CEntity*> entities;
    for (const auto& entry : GetSlaveEntries())
        entities.push_back(entry.second);
    return entities;
}

std::vector<std::pair<int, CEntity*>> CGameTrigger::GetSlaveEntries() const
{
    std::vector<std::pair<int, CEntity*>> entries;
    for (const auto& entry : m_SlaveEntities) {
        if (CEntity* entity = entry.second.Get())
            entries.emplace_back(entry.first, entity);
    }
    return entries;
}

} // namespace Game
