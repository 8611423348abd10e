#include "game/base/CSlotHash.h"

#include "core/Log.h"

namespace Game {

namespace {

struct NamedValue {
    const char* name;
    int value;
};

void RegisterAll(CSlotHash& hash, int slot, std::initializer_list<NamedValue> entries)
{
    for (const NamedValue& entry : entries)
        hash.Register(entry.name, entry.value, slot);
}

} // namespace

void CSlotHash::Register(const std::string& name, int value, int slot)
{
    if (!IsSlot(slot)) {
        Vesk::LogLine("CSlotHash: no slot " + std::to_string(slot) + " for \"" + name + "\"");
        return;
    }
    m_NameToValue[slot].emplace(name, value);
    m_ValueToName[slot].emplace(value, name);
}

std::string CSlotHash::NameOf(int value, int slot) const
{
    if (IsSlot(slot)) {
        const auto found = m_ValueToName[slot].find(value);
        if (found != m_ValueToName[slot].end())
            return found->second;
    }
    Vesk::LogLine("CSlotHash: Enum value not found! (value " + std::to_string(value) + " in slot " +
                  std::to_string(slot) + ")");
    return std::string();
}

int CSlotHash::ValueOf(const char* name, int slot) const
{
    if (!name)
        return kEnumNotFound;
    return ValueOf(std::string(name), slot);
}

int CSlotHash::ValueOf(const std::string& name, int slot) const
{
    if (IsSlot(slot)) {
        const auto found = m_NameToValue[slot].find(name);
        if (found != m_NameToValue[slot].end())
            return found->second;
    }
    Vesk::LogLine("CSlotHash: Enum value not found! (name \"" + name + "\" in slot " + std::to_string(slot) + ")");
    return kEnumNotFound;
}

bool CSlotHash::HasName(const std::string& name, int slot) const
{
    return IsSlot(slot) && m_NameToValue[slot].count(name) != 0;
}

std::vector<std::string> CSlotHash::NamesInRange(int slot, int first, int last) const
{
    std::vector<std::string> names;
    for (int value = first; value <= last; ++value) {
        const auto found = m_ValueToName[slot].find(value);
        if (found != m_ValueToName[slot].end())
            names.push_back(found->second);
    }
    return names;
}

std::vector<std::string> CSlotHash::GetNames(int kind, bool triggers) const
{
    if (kind == 1)
        return NamesInRange(SLOT_CONTROLLER_TYPE, MINION, TRAMPOLINE);
    if (kind == 0)
        return triggers ? NamesInRange(SLOT_ENTITY_TYPE, SOUND_TRIGGER, LOCATIONBASED_SPAWNER_TRIGGER)
                        : NamesInRange(SLOT_ENTITY_TYPE, GENERIC_ENT, WAVELOCATION);
    return {};
}

void CSlotHash::RegisterTriggerEnums()
{
    RegisterAll(*this, SLOT_TRIGGER_STATUS,
                {{"awake", 0}, {"sleeping", 1}, {"waiting_reactivation", 2}, {"waiting_fire", 3}});
    RegisterAll(*this, SLOT_FIRE_MODE, {{"immediate_fire", 0}, {"delay_fire", 1}});
    RegisterAll(*this, SLOT_POST_ACTION, {{"sleep", 0}, {"continue", 1}, {"wait", 2}});
    RegisterAll(*this, SLOT_COLLISION_CONDITION, {{"nocollide", 0}, {"onenter", 1}, {"inside", 2}, {"onexit", 3}});
    RegisterAll(*this, SLOT_ENTITY_COUNT_CONDITION, {{"no_ent", 0}, {"any_ent", 1}, {"all_ent", 2}, {"ignore_ent", 3}});
    RegisterAll(*this, SLOT_ADDITIONAL_CONDITION, {{"no_additional_cond", 0}, {"allenemiesdead", 1}});
}

void CSlotHash::RegisterCollisionGroups()
{
    RegisterTriggerEnums();
    RegisterAll(*this, SLOT_COLLISION_GROUP,
                {{"COLGRP_NOTHING", COLGRP_NOTHING},
                 {"COLGRP_CHARACTER", COLGRP_CHARACTER},
                 {"COLGRP_FLOOR", COLGRP_FLOOR},
                 {"COLGRP_WALL", COLGRP_WALL},
                 {"COLGRP_ITEM", COLGRP_ITEM},
                 {"COLGRP_ALL", COLGRP_ALL}});
}

} // namespace Game
