// Named enumerations: every name to its value and back, misses across slots, and the editor's
// name lists.
#include "game/base/CSlotHash.h"
#include "game/world/TypeRegistration.h"

#include <gtest/gtest.h>

namespace {

struct SlotCase {
    const char* name;
    int slot;
    int value;
};

const SlotCase kRegistered[] = {
    {"GENERIC_ENT", 0, 0},
    {"GENERIC_CHARACTER", 0, 1},
    {"GENERIC_DOODADS", 0, 2},
    {"PICKUPITEM", 0, 3},
    {"DESTRUCTIBLE_OBJECT", 0, 4},
    {"GENERIC_TRAPS", 0, 5},
    {"NO_COLLISION_DESTRUCTIBLE_OBJECT", 0, 6},
    {"WAVELOCATION", 0, 7},
    {"COLLISIONBOX", 0, 9},
    {"CAMERAWAYPOINT", 0, 10},
    {"SOUND_TRIGGER", 0, 12},
    {"CAMERA_LOCK_TRIGGER", 0, 13},
    {"BOSS_EVENT_TRIGGER", 0, 14},
    {"SPAWNER_TRIGGER", 0, 15},
    {"TRIGGERMODIFIER_TRIGGER", 0, 16},
    {"LOCATIONBASED_SPAWNER_TRIGGER", 0, 17},
    {"MINION", 1, 0},
    {"PLAYERCONTROLLER", 1, 1},
    {"BOAR", 1, 2},
    {"BIGBOSS", 1, 3},
    {"UNDEAD", 1, 4},
    {"APPARATION", 1, 5},
    {"GOLEM", 1, 6},
    {"SLIME", 1, 7},
    {"SPIKE", 1, 8},
    {"TRAMPOLINE", 1, 9},
    {"LINEARTWEEN", 1, 10},
    {"ROTATIONTWEEN", 1, 11},
    {"HOVERTWEEN", 1, 12},
    {"COLLISION_AVOIDANCE", 2, 0},
    {"GENERIC_ATTACK_FLOCK", 2, 1},
    {"awake", 3, 0},
    {"sleeping", 3, 1},
    {"waiting_reactivation", 3, 2},
    {"waiting_fire", 3, 3},
    {"immediate_fire", 4, 0},
    {"delay_fire", 4, 1},
    {"sleep", 5, 0},
    {"continue", 5, 1},
    {"wait", 5, 2},
    {"nocollide", 6, 0},
    {"onenter", 6, 1},
    {"inside", 6, 2},
    {"onexit", 6, 3},
    {"no_ent", 7, 0},
    {"any_ent", 7, 1},
    {"all_ent", 7, 2},
    {"ignore_ent", 7, 3},
    {"no_additional_cond", 8, 0},
    {"allenemiesdead", 8, 1},
    {"COLGRP_NOTHING", 9, 0},
    {"COLGRP_CHARACTER", 9, 1},
    {"COLGRP_FLOOR", 9, 2},
    {"COLGRP_WALL", 9, 4},
    {"COLGRP_ITEM", 9, 8},
    {"COLGRP_ALL", 9, -1},
};

class CSlotHashTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Game::RegisterEntityTypes();
        Game::RegisterControllerTypes();
        Hash().RegisterCollisionGroups();
    }
    static Game::CSlotHash& Hash() { return Game::CSlotHash::GetInstance(); }
};

} // namespace

TEST_F(CSlotHashTest, EveryNameMapsToItsValueAndBack)
{
    for (const SlotCase& c : kRegistered) {
        EXPECT_EQ(c.value, Hash().ValueOf(c.name, c.slot)) << c.name;
        EXPECT_EQ(c.value, Hash().ValueOf(std::string(c.name), c.slot)) << c.name;
        EXPECT_EQ(c.name, Hash().NameOf(c.value, c.slot)) << c.name;
    }
}

TEST_F(CSlotHashTest, MissesGiveTheAbsentValueOrAnEmptyName)
{
    const SlotCase misses[] = {
        {"GENERIC_CHARACTER", 1, 0}, // a name of another slot
        {"sleeping", 5, 0},          // "sleeping" is slot 3's; slot 5 has "sleep"
        {"generic_ent", 0, 0},       // names are case-sensitive
        {"", 9, 0},
        {"GENERIC_ENT", 10, 0}, // no such slot
        {"GENERIC_ENT", -1, 0},
    };
    for (const SlotCase& c : misses)
        EXPECT_EQ(Game::kEnumNotFound, Hash().ValueOf(c.name, c.slot)) << c.name << " in " << c.slot;
    EXPECT_EQ(Game::kEnumNotFound, Hash().ValueOf(static_cast<const char*>(nullptr), 0));

    EXPECT_EQ("", Hash().NameOf(8, 0));
    EXPECT_EQ("", Hash().NameOf(11, 0));
    EXPECT_EQ("", Hash().NameOf(13, 1));
    EXPECT_EQ("", Hash().NameOf(0, 42));
}

TEST_F(CSlotHashTest, ARepeatedRegistrationKeepsTheFirstMapping)
{
    Hash().Register("GENERIC_ENT", 5, 0);
    Hash().Register("ANOTHER_NAME_FOR_ONE", 1, 0);
    EXPECT_EQ(0, Hash().ValueOf("GENERIC_ENT", 0));
    EXPECT_EQ("GENERIC_CHARACTER", Hash().NameOf(1, 0));
    EXPECT_EQ(1, Hash().ValueOf("ANOTHER_NAME_FOR_ONE", 0)); // a new name is still entered
}

TEST_F(CSlotHashTest, EditorListsHoldTheirRangesOnly)
{
    const auto entities = Hash().GetNames(0, false);
    ASSERT_EQ(8u, entities.size());
    EXPECT_EQ("GENERIC_ENT", entities.front());
    EXPECT_EQ("WAVELOCATION", entities.back());

    const auto triggers = Hash().GetNames(0, true);
    ASSERT_EQ(6u, triggers.size());
    EXPECT_EQ("SOUND_TRIGGER", triggers.front());
    EXPECT_EQ("LOCATIONBASED_SPAWNER_TRIGGER", triggers.back());

    const auto controllers = Hash().GetNames(1, false);
    ASSERT_EQ(10u, controllers.size());
    EXPECT_EQ("MINION", controllers.front());
    EXPECT_EQ("TRAMPOLINE", controllers.back());

    EXPECT_TRUE(Hash().GetNames(2, false).empty());
    EXPECT_TRUE(Hash().GetNames(-1, true).empty());
}
