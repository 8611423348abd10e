#include "game/entities/CGameTrigger.h"

#include <algorithm>

namespace Game {

CGameTrigger::~CGameTrigger()
{
    UnlinkAll();
}

void CGameTrigger::InitTrigger(const std::string& name, const EntitySetting& setting,
                               const GameTriggerSetting& triggerSetting)
{
    UnlinkAll();
    m_TriggerSetting = triggerSetting;
    m_TriggerSetting.m_TriggeringEntities.clear();
    m_TriggerSetting.m_SlaveEntities.clear();
    Init(name, setting);
}

void CGameTrigger::Release()
{
    UnlinkAll();
    CEntity::Release();
}

void CGameTrigger::AddTriggeringEntity(CEntity* entity)
{
    if (!entity)
        return;
    std::vector<EntityHandle>& held = m_TriggerSetting.m_TriggeringEntities;
    const EntityHandle handle(entity);
    if (std::find(held.begin(), held.end(), handle) != held.end())
        return;
    held.push_back(handle);
    entity->AddTriggerLink(this);
}

void CGameTrigger::AddSlaveEntity(int group, CEntity* entity)
{
    if (!entity)
        return;
    const EntityHandle handle(entity);
    for (const auto& entry : m_TriggerSetting.m_SlaveEntities) {
        if (entry.second == handle)
            return;
    }
    m_TriggerSetting.m_SlaveEntities.emplace(group, handle);
    entity->AddTriggerLink(this);
}

void CGameTrigger::RemoveTriggeringEntity(CEntity* entity, bool silent)
{
    std::vector<EntityHandle>& held = m_TriggerSetting.m_TriggeringEntities;
    const auto found = std::find(held.begin(), held.end(), EntityHandle(entity));
    if (!entity || found == held.end())
        return;
    held.erase(found);
    if (!silent)
        entity->RemoveTriggerLink(this, true);
}

void CGameTrigger::RemoveSlaveEntity(CEntity* entity, bool silent)
{
    if (!entity)
        return;
    const EntityHandle handle(entity);
    auto& slaves = m_TriggerSetting.m_SlaveEntities;
    for (auto it = slaves.begin(); it != slaves.end(); ++it) {
        if (it->second == handle) {
            slaves.erase(it);
            if (!silent)
                entity->RemoveTriggerLink(this, true);
            return;
        }
    }
}

std::vector<CEntity*> CGameTrigger::GetTriggeringEntities() const
{
    std::vector<CEntity*> entities;
    for (const EntityHandle& handle : m_TriggerSetting.m_TriggeringEntities) {
        if (CEntity* entity = handle.Get())
            entities.push_back(entity);
    }
    return entities;
}

std::vector<CEntity*> CGameTrigger::GetSlaveEntities() const
{
    std::vector<CEntity*> entities;
    for (const auto& entry : m_TriggerSetting.m_SlaveEntities) {
        if (CEntity* entity = entry.second.Get())
            entities.push_back(entity);
    }
    return entities;
}

void CGameTrigger::UnlinkAll()
{
    for (CEntity* entity : GetTriggeringEntities())
        entity->RemoveTriggerLink(this, true);
    for (CEntity* entity : GetSlaveEntities())
        entity->RemoveTriggerLink(this, true);
    m_TriggerSetting.m_TriggeringEntities.clear();
    m_TriggerSetting.m_SlaveEntities.clear();
}

} // namespace Game
