#include "game/entities/CEntityFactory.h"

#include "game/base/CSlotHash.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/controllers/CPlayerController.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CGameTrigger.h"
#include "scene/CSceneGraph.h"

#include <algorithm>

namespace Game {

namespace {

const char* const kPlayerEntityName = "player";

} // namespace

CEntityFactory::~CEntityFactory()
{
    for (auto& entry : m_Creators)
        entry.second.deletePool();
}

bool CEntityFactory::Init()
{
    Vesk::CSceneGraph::GetInstance().Reset();
    m_CreationCounters.insert(m_CreationCounters.end(), ENTITY_TYPE_COUNT, 0);
    return true;
}

void CEntityFactory::Shutdown()
{
    Clear();
    m_CreationCounters.clear();
}

void CEntityFactory::Clear()
{
    m_LiveEntities.clear();
    m_Players.clear();
    m_PendingDestroys.clear();
    for (auto& entry : m_Creators)
        entry.second.releaseAll();
}

void CEntityFactory::RegisterCreator(int type, EntityCreatorRecord::Create create, EntityCreatorRecord::Destroy destroy,
                                     EntityCreatorRecord::PoolAction releaseAll,
                                     EntityCreatorRecord::PoolAction deletePool)
{
    InsertCreator(m_Creators, type, create, destroy, releaseAll, deletePool);
}

std::string CEntityFactory::MakeEntityName(int type) const
{
    return CSlotHash::GetInstance().NameOf(type, SLOT_ENTITY_TYPE) + std::to_string(GetCreationCount(type));
}

int CEntityFactory::GetCreationCount(int type) const
{
    return type >= 0 && type < static_cast<int>(m_CreationCounters.size()) ? m_CreationCounters[type] : 0;
}

void CEntityFactory::CountCreation(int type)
{
    if (type >= 0 && type < static_cast<int>(m_CreationCounters.size()))
        ++m_CreationCounters[type];
}

CEntity* CEntityFactory::CreateObject(int type)
{
    const auto found = m_Creators.find(type);
    return found == m_Creators.end() ? nullptr : found->second.create();
}

CEntity* CEntityFactory::CreateEntity(int type, const std::string& name, const EntitySetting& setting)
{
    CEntity* entity = CreateObject(type);
    if (!entity)
        return nullptr;
    const std::string entityName = name.empty() ? MakeEntityName(entity->GetType()) : name;
    CountCreation(entity->GetType());
    entity->Init(entityName, setting);
    return entity;
}

CEntity* CEntityFactory::CreateGameTrigger(int type, const std::string& name, const EntitySetting& setting,
                                           const GameTriggerSetting& triggerSetting)
{
    CEntity* entity = CreateObject(type);
    if (!entity)
        return nullptr;
    auto* trigger = dynamic_cast<CGameTrigger*>(entity);
    if (!trigger) {
        DestroyEntity(entity);
        return nullptr;
    }
    const std::string entityName = name.empty() ? MakeEntityName(entity->GetType()) : name;
    CountCreation(entity->GetType());
    trigger->InitTrigger(entityName, setting, triggerSetting);
    return trigger;
}

CEntity* CEntityFactory::CreateUninitialised(int type)
{
    CEntity* entity = CreateObject(type);
    if (entity)
        CountCreation(type);
    return entity;
}

CEntity* CEntityFactory::CloneEntity(const CEntity& source)
{
    const int type = source.GetType();
    if (type >= COLLISIONBOX && type <= LOCATIONBASED_SPAWNER_TRIGGER)
        return nullptr;
    EntitySetting setting = CGamePrefabSettings::GetInstance().GetEntitySetting(type, source.GetPrefabName());
    setting.m_StartPosition = source.GetPosition();
    setting.m_Direction = source.GetDirection();
    CEntity* clone = CreateEntity(type, MakeEntityName(type), setting);
    if (clone)
        clone->SetPrefabName(source.GetPrefabName());
    return clone;
}

void CEntityFactory::AddEntity(CEntity* entity)
{
    if (entity)
        Enlist(entity->GetName(), entity);
}

void CEntityFactory::Enlist(const std::string& name, CEntity* entity)
{
    m_LiveEntities.emplace(name, entity);
    if (name == kPlayerEntityName)
        m_Players.push_back(entity);
}

void CEntityFactory::Delist(std::multimap<std::string, CEntity*>::iterator entry)
{
    if (entry->first == kPlayerEntityName)
        m_Players.erase(std::find(m_Players.begin(), m_Players.end(), entry->second));
    m_LiveEntities.erase(entry);
}

std::multimap<std::string, CEntity*>::iterator CEntityFactory::FindLive(CEntity* entity)
{
    if (!entity)
        return m_LiveEntities.end();
    auto range = m_LiveEntities.equal_range(entity->GetName());
    for (auto it = range.first; it != range.second; ++it)
        if (it->second == entity)
            return it;
    return m_LiveEntities.end();
}

void CEntityFactory::RemoveEntity(CEntity* entity)
{
    const auto found = FindLive(entity);
    if (found != m_LiveEntities.end())
        Delist(found);
}

void CEntityFactory::RenameEntity(CEntity* entity, const std::string& newName)
{
    const auto found = FindLive(entity);
    if (found == m_LiveEntities.end())
        return;
    Delist(found);
    Enlist(newName, entity);
}

CEntity* CEntityFactory::GetEntityByName(const std::string& name) const
{
    const auto found = m_LiveEntities.find(name);
    return found == m_LiveEntities.end() ? nullptr : found->second;
}

std::vector<CEntity*> CEntityFactory::FindByName(const std::string& name) const
{
    std::vector<CEntity*> found;
    const auto range = m_LiveEntities.equal_range(name);
    for (auto it = range.first; it != range.second; ++it)
        found.push_back(it->second);
    return found;
}

std::vector<CEntity*> CEntityFactory::FindByType(int type) const
{
    std::vector<CEntity*> found;
    for (const auto& entry : m_LiveEntities) {
        if (entry.second->GetType() == type)
            found.push_back(entry.second);
    }
    return found;
}

std::vector<CEntity*> CEntityFactory::FindPlayer() const
{
    std::vector<CEntity*> players;
    for (CEntity* entity : m_Players) {
        const auto* controller = dynamic_cast<const CPlayerController*>(entity->GetController());
        if (!controller || !controller->IsPlayerOne() || !dynamic_cast<CCharacter*>(controller->GetOwner()))
            continue;
        if (entity->m_LifeState != LIFE_DYING && entity->m_LifeState != LIFE_DEAD)
            players.push_back(entity);
    }
    return players;
}

void CEntityFactory::UpdateAll(float dt)
{
    for (const auto& entry : m_LiveEntities)
        entry.second->Update(dt);
}

void CEntityFactory::QueueDestroy(CEntity* entity)
{
    if (entity)
        m_PendingDestroys.emplace_back(entity);
}

void CEntityFactory::ProcessPendingDestroys()
{
    while (!m_PendingDestroys.empty()) {
        const EntityHandle handle = m_PendingDestroys.front();
        m_PendingDestroys.pop_front();
        DestroyEntity(handle.Get());
    }
}

void CEntityFactory::DestroyEntity(CEntity* entity)
{
    if (!entity)
        return;
    const auto found = m_Creators.find(entity->GetType());
    if (found != m_Creators.end())
        found->second.destroy(&entity);
}

uint64_t CEntityFactory::RegisterObject(CEntity* entity)
{
    const uint64_t serial = m_NextSerial++;
    m_Objects.emplace(serial, entity);
    return serial;
}

void CEntityFactory::UnregisterObject(uint64_t serial) { m_Objects.erase(serial); }

CEntity* CEntityFactory::ResolveSerial(uint64_t serial) const
{
    const auto found = m_Objects.find(serial);
    return found == m_Objects.end() ? nullptr : found->second;
}

} // namespace Game
