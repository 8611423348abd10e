// The numbers behind the game's named enumerations: the slots of CSlotHash, entity types,
// controller and shared controller types, and collision-group bits. The names that data files
// use for them are registered in CSlotHash.
#pragma once

#include <cstdint>

namespace Game {

// The ten independent enumerations of CSlotHash.
enum SlotId : int {
    SLOT_ENTITY_TYPE = 0,
    SLOT_CONTROLLER_TYPE = 1,
    SLOT_SHARED_CONTROLLER_TYPE = 2,
    SLOT_TRIGGER_STATUS = 3,
    SLOT_FIRE_MODE = 4,
    SLOT_POST_ACTION = 5,
    SLOT_COLLISION_CONDITION = 6,
    SLOT_ENTITY_COUNT_CONDITION = 7,
    SLOT_ADDITIONAL_CONDITION = 8,
    SLOT_COLLISION_GROUP = 9,
    SLOT_COUNT = 10,
};

// What a lookup of an unregistered name gives.
constexpr int kEnumNotFound = 999;

enum EntityType : int {
    GENERIC_ENT = 0,
    GENERIC_CHARACTER = 1,
    GENERIC_DOODADS = 2,
    PICKUPITEM = 3,
    DESTRUCTIBLE_OBJECT = 4,
    GENERIC_TRAPS = 5,
    NO_COLLISION_DESTRUCTIBLE_OBJECT = 6,
    WAVELOCATION = 7,
    COLLISIONBOX = 9,
    CAMERAWAYPOINT = 10,
    SOUND_TRIGGER = 12,
    CAMERA_LOCK_TRIGGER = 13,
    BOSS_EVENT_TRIGGER = 14,
    SPAWNER_TRIGGER = 15,
    TRIGGERMODIFIER_TRIGGER = 16,
    LOCATIONBASED_SPAWNER_TRIGGER = 17,
    // Entity and game-trigger prefab categories run 0 to 17; 18 means none.
    ENTITY_TYPE_COUNT = 18,
};

enum ControllerType : int {
    MINION = 0,
    PLAYERCONTROLLER = 1,
    BOAR = 2,
    BIGBOSS = 3,
    UNDEAD = 4,
    APPARATION = 5,
    GOLEM = 6,
    SLIME = 7,
    SPIKE = 8,
    TRAMPOLINE = 9,
    LINEARTWEEN = 10,
    ROTATIONTWEEN = 11,
    HOVERTWEEN = 12,
    // Controller prefab categories run 0 to 12; 13 means no controller.
    CONTROLLER_TYPE_COUNT = 13,
};

enum SharedControllerType : int {
    COLLISION_AVOIDANCE = 0,
    GENERIC_ATTACK_FLOCK = 1,
};

// The events of a game trigger's triggering entities and its collision-status condition.
enum CollisionStatus : int {
    COLLISION_NOCOLLIDE = 0,
    COLLISION_ONENTER = 1,
    COLLISION_INSIDE = 2,
    COLLISION_ONEXIT = 3,
};

// Which of a game trigger's triggering entities must show its collision status.
enum EntityCountCondition : int {
    NO_ENT = 0,
    ANY_ENT = 1,
    ALL_ENT = 2,
    IGNORE_ENT = 3,
};

// A game trigger's extra condition. The last has no name in data files: the wave manager sets it
// on its global trigger modifier.
enum AdditionalCondition : int {
    NO_ADDITIONAL_COND = 0,
    ALLENEMIESDEAD = 1,
    ALLSLAVESASLEEP_AND_ENEMIESDEAD = 2,
};

// Bits of the 16-bit collision group and mask of rigid bodies.
enum CollisionGroup : int {
    COLGRP_NOTHING = 0,
    COLGRP_CHARACTER = 1,
    COLGRP_FLOOR = 2,
    COLGRP_WALL = 4,
    COLGRP_ITEM = 8,
    COLGRP_ALL = -1,
};

} // namespace Game
