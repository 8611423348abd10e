// CSlotHash: the registry of named enumerations, ten independent slots (GameEnums.h) each
// mapping names to values and values back to names, so that data files can spell values by
// name. Nothing is ever removed; a second registration of a name or value keeps the first.
#pragma once

#include "core/CSingleton.h"
#include "game/base/GameEnums.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace Game {

class CSlotHash : public Vesk::CSingleton<CSlotHash> {
public:
    void Register(const std::string& name, int value, int slot);

    // The name of the value, or "" with a log line when the slot does not hold it.
    std::string NameOf(int value, int slot) const;
    // The value of the name, or kEnumNotFound (999) with a log line when the slot does not hold
    // it; a null name gives 999 silently.
    int ValueOf(const char* name, int slot) const;
    int ValueOf(const std::string& name, int slot) const;
    // Whether the slot holds the name (no log line).
    bool HasName(const std::string& name, int slot) const;

    // Names for the editor's lists: kind 1, the controller types 0 to 9; kind 0, the entity types
    // 0 to 7, or 12 to 17 (the game triggers) when triggers is true; any other kind, none.
    std::vector<std::string> GetNames(int kind, bool triggers) const;

    // The game-trigger enumerations (slots 3 to 8), then the collision groups (slot 9).
    void RegisterCollisionGroups();
    void RegisterTriggerEnums();

private:
    static bool IsSlot(int slot) { return slot >= 0 && slot < SLOT_COUNT; }
    std::vector<std::string> NamesInRange(int slot, int first, int last) const;

    std::unordered_map<std::string, int> m_NameToValue[SLOT_COUNT];
    std::unordered_map<int, std::string> m_ValueToName[SLOT_COUNT];
};

} // namespace Game
