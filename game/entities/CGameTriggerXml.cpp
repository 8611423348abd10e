// The XML element of a game trigger: its box, its prefab and the names of its linked entities.
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CGameTrigger.h"
#include "game/entities/EntityXml.h"

#include <algorithm>

namespace Game {

namespace {

// Slave groups 0 to 4 are saved; other group keys live only in memory.
constexpr int kSavedGroups = 5;

// The live entities of every name in the list; names are cut at each "," and " ", and empty or
// unknown names are skipped.
std::vector<CEntity*> ResolveNames(const std::string& list)
{
    std::vector<CEntity*> entities;
    size_t start = 0;
    while (start <= list.size()) {
        const size_t end = std::min(list.find_first_of(", ", start), list.size());
        if (end > start) {
            for (CEntity* entity : CEntityFactory::GetInstance().FindByName(list.substr(start, end - start)))
                entities.push_back(entity);
        }
        start = end + 1;
    }
    return entities;
}

} // namespace

void CGameTrigger::Save(Vesk::CXmlElement element)
{
    WriteNameAndType(element, m_Name, GetType());
    element.SetAttribute("gametriggerprefabname", m_TriggerPrefabName);
    WriteVector(element, "pos", m_Position);
    WriteVector(element, "dim", m_Dimensions);

    // The players join by the trigger's own flag, so they are not listed; a comma follows every
    // name but the last entity's, which leaves a trailing comma when that one is a player.
    const std::vector<CEntity*> triggering = GetTriggeringEntities();
    if (!triggering.empty()) {
        std::string names;
        for (size_t i = 0; i < triggering.size(); ++i) {
            if (triggering[i]->GetName() == "player")
                continue;
            names += triggering[i]->GetName();
            if (i + 1 < triggering.size())
                names += ",";
        }
        element.SetAttribute("triggeringentnames", names);
    }

    const std::vector<std::pair<int, CEntity*>> slaves = GetSlaveEntries();
    for (int group = 0; group < kSavedGroups; ++group) {
        std::string names;
        for (const auto& entry : slaves) {
            if (entry.first != group)
                continue;
            if (!names.empty())
                names += ",";
            names += entry.second->GetName();
        }
        element.SetAttribute("slaveentnames" + std::to_string(group), names);
    }
}

void CGameTrigger::Load(Vesk::CXmlElement element)
{
    EntitySetting setting;
    GameTriggerSetting triggerSetting;
    if (const char* prefab = element.GetAttribute("gametriggerprefabname")) {
        triggerSetting = CGamePrefabSettings::GetInstance().GetGameTriggerSetting(GetType(), prefab);
        m_TriggerPrefabName = prefab;
    }
    setting.m_StartPosition = ReadVector(element, "pos");
    setting.m_DimX = ReadFloat(element, "dimX");
    setting.m_DimY = ReadFloat(element, "dimY");
    setting.m_DimZ = ReadFloat(element, "dimZ");

    if (const char* names = element.GetAttribute("triggeringentnames")) {
        for (CEntity* entity : ResolveNames(names))
            triggerSetting.m_TriggeringEntities.emplace_back(entity);
    }
    for (int group = 0; group < kSavedGroups; ++group) {
        if (const char* names = element.GetAttribute("slaveentnames" + std::to_string(group))) {
            for (CEntity* entity : ResolveNames(names))
                triggerSetting.m_SlaveEntities.emplace(group, EntityHandle(entity));
        }
    }

    InitTrigger(ReadName(element, "CGameTrigger", GetType()), setting, triggerSetting);
}

} // namespace Game
