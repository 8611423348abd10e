#include "game/controllers/CGamePrefabSettings.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "game/base/CSlotHash.h"
#include "game/controllers/PrefabXmlReaders.h"

namespace Game {

namespace {

template <typename Record>
Record FindOrDefault(const std::map<std::string, Record>* maps, int count, int category, const std::string& name,
                     const Record& fallback)
{
    if (category < 0 || category >= count || name.empty())
        return fallback;
    const auto found = maps[category].find(name);
    return found == maps[category].end() ? fallback : found->second;
}

template <typename Record>
std::vector<std::string> NamesOf(const std::map<std::string, Record>* maps, int category)
{
    std::vector<std::string> names;
    if (category < 0 || category >= ENTITY_TYPE_COUNT)
        return names;
    for (const auto& entry : maps[category])
        names.push_back(entry.first);
    return names;
}

std::string NameAt(const std::vector<std::string>& names, size_t index)
{
    return index < names.size() ? names[index] : std::string();
}

// Calls add(name, prefab) for every "prefab" child that has a "prefabname".
template <typename Add>
void ForEachPrefab(const Vesk::CXmlElement& group, Add add)
{
    for (Vesk::CXmlElement prefab = group.FirstChildElement("prefab"); prefab != nullptr;
         prefab.NextSiblingElement("prefab")) {
        const char* name = prefab.GetAttribute("prefabname");
        if (name)
            add(std::string(name), prefab);
    }
}

} // namespace

bool CGamePrefabSettings::LoadFromXml(const std::string& path)
{
    Vesk::CXmlDocument document;
    if (!document.Load(path)) {
        Vesk::LogLine("CGamePrefabSettings: Prefabs file not found! (" + path + ")");
        return false;
    }
    const Vesk::CXmlElement root = document.GetRoot();
    if (root.GetName() != "Root")
        return true;
    for (Vesk::CXmlElement group = root.FirstChildElement(); group != nullptr; ++group) {
        const std::string kind = group.GetName();
        if (kind == "EntitySetting") {
            const int category = GroupCategory(group, SLOT_ENTITY_TYPE, ENTITY_TYPE_COUNT);
            if (category >= 0)
                LoadEntityGroup(group, category);
        } else if (kind == "ControllerSetting") {
            const int category = GroupCategory(group, SLOT_CONTROLLER_TYPE, CONTROLLER_TYPE_COUNT);
            if (category >= 0)
                LoadControllerGroup(group, category);
        } else if (kind == "GameTriggerSetting") {
            const int category = GroupCategory(group, SLOT_ENTITY_TYPE, ENTITY_TYPE_COUNT);
            if (category >= 0)
                LoadGameTriggerGroup(group, category);
        }
    }
    return true;
}

int CGamePrefabSettings::GroupCategory(const Vesk::CXmlElement& group, int slot, int count)
{
    const char* mapped = group.GetAttribute("mappedname");
    const int category = mapped ? CSlotHash::GetInstance().ValueOf(mapped, slot) : kEnumNotFound;
    if (category < 0 || category >= count) {
        Vesk::LogLine("CGamePrefabSettings: group " + group.GetName() + " with mappedname \"" + (mapped ? mapped : "") +
                      "\" names no category; skipped");
        return -1;
    }
    return category;
}

void CGamePrefabSettings::LoadEntityGroup(const Vesk::CXmlElement& group, int category)
{
    ForEachPrefab(group, [&](const std::string& name, const Vesk::CXmlElement& prefab) {
        if (!m_EntitySettings[category].count(name))
            m_EntitySettings[category].emplace(name, ReadEntityPrefab(prefab));
    });
}

void CGamePrefabSettings::LoadControllerGroup(const Vesk::CXmlElement& group, int category)
{
    ForEachPrefab(group, [&](const std::string& name, const Vesk::CXmlElement& prefab) {
        if (!m_ControllerSettings[category].count(name))
            m_ControllerSettings[category].emplace(name, ReadControllerPrefab(prefab));
    });
}

void CGamePrefabSettings::LoadGameTriggerGroup(const Vesk::CXmlElement& group, int category)
{
    ForEachPrefab(group, [&](const std::string& name, const Vesk::CXmlElement& prefab) {
        if (!m_GameTriggerSettings[category].count(name))
            m_GameTriggerSettings[category].emplace(name, ReadGameTriggerPrefab(prefab, category));
    });
}

void CGamePrefabSettings::Shutdown()
{
    for (auto& map : m_EntitySettings)
        map.clear();
    for (auto& map : m_GameTriggerSettings)
        map.clear();
    for (auto& map : m_ControllerSettings)
        map.clear();
}

EntitySetting CGamePrefabSettings::GetEntitySetting(int category, const std::string& prefabName) const
{
    return FindOrDefault(m_EntitySettings, ENTITY_TYPE_COUNT, category, prefabName, EntitySetting());
}

GameTriggerSetting CGamePrefabSettings::GetGameTriggerSetting(int category, const std::string& prefabName) const
{
    return FindOrDefault(m_GameTriggerSettings, ENTITY_TYPE_COUNT, category, prefabName, GameTriggerSetting());
}

ControllerSetting CGamePrefabSettings::GetControllerSetting(int controllerType, const std::string& prefabName) const
{
    return FindOrDefault(m_ControllerSettings, CONTROLLER_TYPE_COUNT, controllerType, prefabName, ControllerSetting());
}

std::vector<std::string> CGamePrefabSettings::GetEntitySettingNames(int category) const
{
    return NamesOf(m_EntitySettings, category);
}

std::vector<std::string> CGamePrefabSettings::GetGameTriggerSettingNames(int category) const
{
    return NamesOf(m_GameTriggerSettings, category);
}

std::string CGamePrefabSettings::GetEntitySettingName(int category, size_t index) const
{
    return NameAt(GetEntitySettingNames(category), index);
}

std::string CGamePrefabSettings::GetGameTriggerSettingName(int category, size_t index) const
{
    return NameAt(GetGameTriggerSettingNames(category), index);
}

} // namespace Game
