// CGamePrefabSettings: every prefab of "./assets/prefabsettings.xml" in memory, by category and
// name: entity and game-trigger prefabs by entity type, controller prefabs by controller type.
// Loads add to what is there (the first prefab of a name wins); lookups never fail and fall
// back to default records.
#pragma once

#include "core/CSingleton.h"
#include "game/controllers/PrefabRecords.h"

#include <map>
#include <string>
#include <vector>

namespace Vesk {
class CXmlElement;
}

namespace Game {

class CGamePrefabSettings : public Vesk::CSingleton<CGamePrefabSettings> {
public:
    static constexpr const char* kDefaultPath = "./assets/prefabsettings.xml";

    // Adds the file's prefabs. False, with the log line "Prefabs file not found!", when the file
    // cannot be loaded; the maps then stay as they were.
    bool LoadFromXml(const std::string& path);
    // Empties every map.
    void Shutdown() override;

    EntitySetting GetEntitySetting(int category, const std::string& prefabName) const;
    GameTriggerSetting GetGameTriggerSetting(int category, const std::string& prefabName) const;
    ControllerSetting GetControllerSetting(int controllerType, const std::string& prefabName) const;

    // All prefab names of the category, ascending bytewise; empty for a category out of range.
    std::vector<std::string> GetEntitySettingNames(int category) const;
    std::vector<std::string> GetGameTriggerSettingNames(int category) const;
    // The name at the index in that order, or "" past the end.
    std::string GetEntitySettingName(int category, size_t index) const;
    std::string GetGameTriggerSettingName(int category, size_t index) const;

private:
    // The category a group's "mappedname" names in the slot, or -1 (with a log line) when it
    // names none below count.
    static int GroupCategory(const Vesk::CXmlElement& group, int slot, int count);
    void LoadEntityGroup(const Vesk::CXmlElement& group, int category);
    void LoadControllerGroup(const Vesk::CXmlElement& group, int category);
    void LoadGameTriggerGroup(const Vesk::CXmlElement& group, int category);

    std::map<std::string, EntitySetting> m_EntitySettings[ENTITY_TYPE_COUNT];
    std::map<std::string, GameTriggerSetting> m_GameTriggerSettings[ENTITY_TYPE_COUNT];
    std::map<std::string, ControllerSetting> m_ControllerSettings[CONTROLLER_TYPE_COUNT];
};

} // namespace Game
