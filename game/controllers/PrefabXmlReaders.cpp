#include "game/controllers/PrefabXmlReaders.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "game/base/CSlotHash.h"

#include <locale>
#include <sstream>

namespace Game {

namespace {

// Pieces of the text cut at every comma and every blank, empty pieces included.
std::vector<std::string> SplitPieces(const std::string& text)
{
    std::vector<std::string> pieces(1);
    for (char c : text) {
        if (c == ',' || c == ' ')
            pieces.emplace_back();
        else
            pieces.back() += c;
    }
    return pieces;
}

template <typename T>
std::vector<T> ParseNumberList(const std::string& text)
{
    std::vector<T> values;
    for (const std::string& piece : SplitPieces(text)) {
        std::istringstream in(piece);
        in.imbue(std::locale::classic());
        T value = 0;
        if (!(in >> value))
            value = 0;
        values.push_back(value);
    }
    return values;
}

std::string StringAttribute(const Vesk::CXmlElement& element, const char* name, const std::string& fallback)
{
    const char* text = element.GetAttribute(name);
    return text ? std::string(text) : fallback;
}

float FloatAttribute(const Vesk::CXmlElement& element, const char* name, float fallback)
{
    float value = fallback;
    element.GetFloatAttribute(name, &value, fallback);
    return value;
}

int IntAttribute(const Vesk::CXmlElement& element, const char* name, int fallback)
{
    int value = fallback;
    element.GetIntAttribute(name, &value, fallback);
    return value;
}

// An enumeration spelled by name: an absent or unregistered name keeps the record's value.
void ReadEnum(const Vesk::CXmlElement& element, const char* name, int slot, int& value)
{
    const char* text = element.GetAttribute(name);
    if (!text)
        return;
    const int found = CSlotHash::GetInstance().ValueOf(text, slot);
    if (found != kEnumNotFound)
        value = found;
}

void ReadPhysics(const Vesk::CXmlElement& physics, EntitySetting& setting)
{
    for (Vesk::CXmlElement child = physics.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        if (name == "mass") {
            setting.m_Mass = FloatAttribute(child, "val", 0.0f);
        } else if (name == "dimension") {
            setting.m_DimX = FloatAttribute(child, "x", 0.0f);
            setting.m_DimY = FloatAttribute(child, "y", 0.0f);
            setting.m_DimZ = FloatAttribute(child, "z", 0.0f);
        } else if (name == "colgrp" || name == "colmask") {
            const char* text = child.GetAttribute("val");
            if (!text)
                continue;
            (name == "colgrp" ? setting.m_CollisionGroup : setting.m_CollisionMask) = ParseCollisionGroups(text);
        }
    }
}

void ReadStats(const Vesk::CXmlElement& stats, EntitySetting& setting)
{
    for (Vesk::CXmlElement child = stats.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        if (name == "health_point")
            setting.m_HealthPoints = IntAttribute(child, "val", 1);
        else if (name == "mana_point")
            setting.m_ManaPoints = IntAttribute(child, "val", 1);
        else if (name == "wander_speed")
            setting.m_WanderSpeed = FloatAttribute(child, "val", 0.0f);
        else if (name == "pursue_speed")
            setting.m_PursueSpeed = FloatAttribute(child, "val", 0.0f);
        else if (name == "knockup_resist")
            setting.m_KnockupResist = FloatAttribute(child, "val", 0.0f);
        else if (name == "knockback_resist")
            setting.m_KnockbackResist = FloatAttribute(child, "val", 0.0f);
        else if (name == "invulnerable")
            setting.m_Invulnerable = IntAttribute(child, "val", 0) != 0;
        else if (name == "attackradius")
            setting.m_AttackRadius = FloatAttribute(child, "val", 0.0f);
    }
}

void ReadSounds(const Vesk::CXmlElement& sound, EntitySetting& setting)
{
    for (Vesk::CXmlElement child = sound.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        std::string* target = name == "spawn"   ? &setting.m_SpawnSound
                              : name == "hurt"  ? &setting.m_HurtSound
                              : name == "death" ? &setting.m_DeathSound
                                                : nullptr;
        if (target)
            *target = StringAttribute(child, "val", *target);
    }
}

// The additional condition, activation limit and sequences of spawners and trigger modifiers.
void ReadSequenceTrigger(const Vesk::CXmlElement& prefab, const char* sequenceName, GameTriggerSetting& setting)
{
    ReadEnum(prefab, "additionalconditions", SLOT_ADDITIONAL_CONDITION, setting.m_AdditionalCondition);
    setting.m_MaxActivations = IntAttribute(prefab, "maxactivations", 0);
    if (const char* text = prefab.GetAttribute(sequenceName))
        setting.m_GroupSequence = ParseIntList(text);
    if (const char* text = prefab.GetAttribute("reactivationtimesequence"))
        setting.m_ReactivationTimeSequence = ParseFloatList(text);
}

} // namespace

uint16_t ParseCollisionGroups(const std::string& text)
{
    const CSlotHash& hash = CSlotHash::GetInstance();
    int bits = 0;
    for (const std::string& piece : SplitPieces(text)) {
        if (piece.empty())
            continue;
        if (!hash.HasName(piece, SLOT_COLLISION_GROUP)) {
            Vesk::LogLine("CGamePrefabSettings: unknown collision group \"" + piece + "\" ignored");
            continue;
        }
        bits |= hash.ValueOf(piece, SLOT_COLLISION_GROUP);
    }
    return static_cast<uint16_t>(bits & 0xFFFF);
}

std::vector<int> ParseIntList(const std::string& text) { return ParseNumberList<int>(text); }

std::vector<float> ParseFloatList(const std::string& text) { return ParseNumberList<float>(text); }

EntitySetting ReadEntityPrefab(const Vesk::CXmlElement& prefab)
{
    EntitySetting setting;
    setting.m_MeshName = StringAttribute(prefab, "meshname", setting.m_MeshName);
    setting.m_DimX = FloatAttribute(prefab, "dimX", 0.0f);
    setting.m_DimY = FloatAttribute(prefab, "dimY", 0.0f);
    setting.m_DimZ = FloatAttribute(prefab, "dimZ", 0.0f);
    setting.m_CollisionCallback = static_cast<uint8_t>(IntAttribute(prefab, "collisioncallback", 0));
    setting.m_CollisionGroup = static_cast<uint16_t>(IntAttribute(prefab, "collisiongroup", 0));
    setting.m_CollisionMask = static_cast<uint16_t>(IntAttribute(prefab, "collisionmask", 0));
    ReadEnum(prefab, "controllertype", SLOT_CONTROLLER_TYPE, setting.m_ControllerType);
    setting.m_ControllerPrefabName = StringAttribute(prefab, "controllerprefabname", setting.m_ControllerPrefabName);

    for (Vesk::CXmlElement child = prefab.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        if (name == "physics")
            ReadPhysics(child, setting);
        else if (name == "stats")
            ReadStats(child, setting);
        else if (name == "sound")
            ReadSounds(child, setting);
    }
    return setting;
}

ControllerSetting ReadControllerPrefab(const Vesk::CXmlElement& prefab)
{
    ControllerSetting setting;
    setting.m_DetectionRadius = FloatAttribute(prefab, "detectionradius", 0.0f);
    setting.m_FovDegrees = FloatAttribute(prefab, "fovdegrees", 0.0f);
    setting.m_FovLength = FloatAttribute(prefab, "fovlength", 0.0f);
    setting.m_AttackCooldown = FloatAttribute(prefab, "attackcooldown", 0.0f);
    return setting;
}

GameTriggerSetting ReadGameTriggerPrefab(const Vesk::CXmlElement& prefab, int category)
{
    GameTriggerSetting setting;
    ReadEnum(prefab, "initialstatus", SLOT_TRIGGER_STATUS, setting.m_InitialStatus);
    ReadEnum(prefab, "conditionpassresponse", SLOT_FIRE_MODE, setting.m_ConditionPassResponse);
    ReadEnum(prefab, "postactionresponse", SLOT_POST_ACTION, setting.m_PostActionResponse);
    setting.m_BypassCondition = IntAttribute(prefab, "bypasscondition", 0) != 0;
    setting.m_FireDelayTime = FloatAttribute(prefab, "firedelaytime", 0.0f);
    setting.m_ReactivationTime = FloatAttribute(prefab, "reactivationtime", 0.0f);
    ReadEnum(prefab, "collisionstatuscondition", SLOT_COLLISION_CONDITION, setting.m_CollisionStatusCondition);
    ReadEnum(prefab, "entitycountcondition", SLOT_ENTITY_COUNT_CONDITION, setting.m_EntityCountCondition);
    setting.m_PlayersAsTriggeringEnts = IntAttribute(prefab, "playersastriggeringents", 0) != 0;

    if (category == SOUND_TRIGGER) {
        setting.m_SoundName = StringAttribute(prefab, "soundname", setting.m_SoundName);
    } else if (category == SPAWNER_TRIGGER) {
        ReadSequenceTrigger(prefab, "groupsequence", setting);
    } else if (category == TRIGGERMODIFIER_TRIGGER) {
        ReadSequenceTrigger(prefab, "slavetriggersequence", setting);
        ReadEnum(prefab, "newstatus", SLOT_TRIGGER_STATUS, setting.m_NewStatus);
    }
    return setting;
}

} // namespace Game
