// Prefab settings: a fixture file read into records (absent values, lists, collision-group
// names, bad names), first-wins across loads, the default records and the shipped file.
#include "game/controllers/CGamePrefabSettings.h"
#include "game/base/CSlotHash.h"
#include "game/world/TypeRegistration.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

const char* const kFixture = R"(<Root>
  <EntitySetting mappedname="GENERIC_CHARACTER">
    <prefab prefabname="full" meshname="koboldminion" dimX="4" dimY="6" dimZ="5" collisioncallback="1"
            collisiongroup="1" collisionmask="7" controllertype="MINION" controllerprefabname="minion">
      <physics>
        <mass val="12.5"/>
        <dimension x="7" y="8" z="9"/>
        <colgrp val="COLGRP_CHARACTER COLGRP_FLOOR"/>
        <colmask val="COLGRP_ALL"/>
      </physics>
      <stats>
        <health_point val="40"/><mana_point val="5"/><wander_speed val="1.5"/><pursue_speed val="3"/>
        <knockup_resist val="0.25"/><knockback_resist val="0.5"/><invulnerable val="1"/><attackradius val="9"/>
      </stats>
      <sound><spawn val="s1"/><hurt val="s2"/><death val="s3"/><death/></sound>
    </prefab>
    <prefab prefabname="bare"/>
    <prefab prefabname="full" meshname="second"/>
    <prefab meshname="nameless"/>
    <prefab prefabname="badnames" controllertype="NOSUCH" dimX="1">
      <physics><colgrp val="COLGRP_WALL,NOSUCH,,COLGRP_ITEM"/><colmask/></physics>
    </prefab>
  </EntitySetting>
  <EntitySetting mappedname="NOT_A_TYPE"><prefab prefabname="lost"/></EntitySetting>
  <EntitySetting><prefab prefabname="lost"/></EntitySetting>
  <ControllerSetting mappedname="CAMERAWAYPOINT"><prefab prefabname="lost"/></ControllerSetting>
  <Other mappedname="GENERIC_ENT"><prefab prefabname="lost"/></Other>
  <ControllerSetting mappedname="BOAR">
    <prefab prefabname="boar" detectionradius="50" fovdegrees="120" fovlength="80" attackcooldown="2.5"/>
    <prefab prefabname="partial" detectionradius="10"/>
  </ControllerSetting>
  <GameTriggerSetting mappedname="SPAWNER_TRIGGER">
    <prefab prefabname="spawner" initialstatus="sleeping" conditionpassresponse="delay_fire"
            postactionresponse="wait" bypasscondition="1" firedelaytime="0.5" reactivationtime="2"
            collisionstatuscondition="inside" entitycountcondition="any_ent" playersastriggeringents="1"
            additionalconditions="allenemiesdead" maxactivations="3" groupsequence="1 2"
            reactivationtimesequence="1.5 2 3" soundname="ignored"/>
    <prefab prefabname="sparse"/>
    <prefab prefabname="badenum" initialstatus="drowsy" groupsequence="1, 2"/>
  </GameTriggerSetting>
  <GameTriggerSetting mappedname="TRIGGERMODIFIER_TRIGGER">
    <prefab prefabname="modifier" newstatus="waiting_fire" slavetriggersequence="97,98 1"
            groupsequence="5" reactivationtimesequence="x"/>
  </GameTriggerSetting>
  <GameTriggerSetting mappedname="SOUND_TRIGGER">
    <prefab prefabname="sound" soundname="cheer" maxactivations="9"/>
  </GameTriggerSetting>
</Root>
)";

class CGamePrefabSettingsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Game::RegisterEntityTypes();
        Game::RegisterControllerTypes();
        Game::CSlotHash::GetInstance().RegisterCollisionGroups();
        Settings().Shutdown();
        m_Path = m_Dir.File("prefabs.xml");
        testsupport::WriteFile(m_Path, kFixture);
    }
    void TearDown() override { Settings().Shutdown(); }
    static Game::CGamePrefabSettings& Settings() { return Game::CGamePrefabSettings::GetInstance(); }

    testsupport::ScratchDir m_Dir;
    std::string m_Path;
};

} // namespace

TEST_F(CGamePrefabSettingsTest, EntityPrefabReadsEveryValue)
{
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    const Game::EntitySetting s = Settings().GetEntitySetting(Game::GENERIC_CHARACTER, "full");
    EXPECT_EQ("koboldminion", s.m_MeshName); // the later duplicate "full" is dropped
    EXPECT_FLOAT_EQ(7.0f, s.m_DimX);         // physics "dimension" replaces the attributes
    EXPECT_FLOAT_EQ(8.0f, s.m_DimY);
    EXPECT_FLOAT_EQ(9.0f, s.m_DimZ);
    EXPECT_EQ(1, s.m_CollisionCallback);
    EXPECT_EQ(3, s.m_CollisionGroup);
    EXPECT_EQ(0xFFFF, s.m_CollisionMask);
    EXPECT_FLOAT_EQ(12.5f, s.m_Mass);
    EXPECT_EQ(Game::MINION, s.m_ControllerType);
    EXPECT_EQ("minion", s.m_ControllerPrefabName);
    EXPECT_EQ(40, s.m_HealthPoints);
    EXPECT_EQ(5, s.m_ManaPoints);
    EXPECT_FLOAT_EQ(1.5f, s.m_WanderSpeed);
    EXPECT_FLOAT_EQ(3.0f, s.m_PursueSpeed);
    EXPECT_FLOAT_EQ(0.25f, s.m_KnockupResist);
    EXPECT_FLOAT_EQ(0.5f, s.m_KnockbackResist);
    EXPECT_TRUE(s.m_Invulnerable);
    EXPECT_FLOAT_EQ(9.0f, s.m_AttackRadius);
    EXPECT_EQ("s1", s.m_SpawnSound);
    EXPECT_EQ("s2", s.m_HurtSound);
    EXPECT_EQ("s3", s.m_DeathSound); // a "death" without "val" keeps the name
}

TEST_F(CGamePrefabSettingsTest, AbsentAttributesGiveTheReadersValuesNotTheRecordDefaults)
{
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    const Game::EntitySetting s = Settings().GetEntitySetting(Game::GENERIC_CHARACTER, "bare");
    EXPECT_EQ("testmesh", s.m_MeshName);
    EXPECT_FLOAT_EQ(0.0f, s.m_DimX);
    EXPECT_EQ(0, s.m_CollisionGroup);
    EXPECT_EQ(0, s.m_CollisionMask);
    EXPECT_EQ(Game::CONTROLLER_TYPE_COUNT, s.m_ControllerType);
    EXPECT_FLOAT_EQ(10.0f, s.m_Mass); // no "physics" child
    EXPECT_EQ(1, s.m_HealthPoints);
    EXPECT_FALSE(s.m_Invulnerable);

    const Game::ControllerSetting partial = Settings().GetControllerSetting(Game::BOAR, "partial");
    EXPECT_FLOAT_EQ(10.0f, partial.m_DetectionRadius);
    EXPECT_FLOAT_EQ(0.0f, partial.m_FovDegrees);
    EXPECT_FLOAT_EQ(0.0f, partial.m_AttackCooldown);
}

TEST_F(CGamePrefabSettingsTest, BadNamesAreSkippedWithoutHarm)
{
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    const Game::EntitySetting s = Settings().GetEntitySetting(Game::GENERIC_CHARACTER, "badnames");
    EXPECT_EQ(Game::CONTROLLER_TYPE_COUNT, s.m_ControllerType); // unknown controller type: none
    EXPECT_EQ(4 | 8, s.m_CollisionGroup);                       // the unknown piece adds nothing
    EXPECT_EQ(0, s.m_CollisionMask);                            // "colmask" without "val" keeps it

    // Groups without a usable category add nothing anywhere.
    for (int category = 0; category < Game::ENTITY_TYPE_COUNT; ++category) {
        for (const std::string& name : Settings().GetEntitySettingNames(category))
            EXPECT_NE("lost", name) << category;
    }
    EXPECT_EQ(3u, Settings().GetEntitySettingNames(Game::GENERIC_CHARACTER).size());

    // An unknown trigger enumeration keeps the record's value.
    const Game::GameTriggerSetting t = Settings().GetGameTriggerSetting(Game::SPAWNER_TRIGGER, "badenum");
    EXPECT_EQ(0, t.m_InitialStatus);
    EXPECT_EQ((std::vector<int>{1, 0, 2}), t.m_GroupSequence);
}

TEST_F(CGamePrefabSettingsTest, TriggerPrefabsReadTheirCategorysValues)
{
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    const Game::GameTriggerSetting spawner = Settings().GetGameTriggerSetting(Game::SPAWNER_TRIGGER, "spawner");
    EXPECT_EQ(1, spawner.m_InitialStatus);
    EXPECT_EQ(1, spawner.m_ConditionPassResponse);
    EXPECT_EQ(2, spawner.m_PostActionResponse);
    EXPECT_TRUE(spawner.m_BypassCondition);
    EXPECT_FLOAT_EQ(0.5f, spawner.m_FireDelayTime);
    EXPECT_FLOAT_EQ(2.0f, spawner.m_ReactivationTime);
    EXPECT_EQ(2, spawner.m_CollisionStatusCondition);
    EXPECT_EQ(1, spawner.m_EntityCountCondition);
    EXPECT_TRUE(spawner.m_PlayersAsTriggeringEnts);
    EXPECT_EQ(1, spawner.m_AdditionalCondition);
    EXPECT_EQ(3, spawner.m_MaxActivations);
    EXPECT_EQ((std::vector<int>{1, 2}), spawner.m_GroupSequence);
    EXPECT_EQ((std::vector<float>{1.5f, 2.0f, 3.0f}), spawner.m_ReactivationTimeSequence);
    EXPECT_EQ("", spawner.m_SoundName); // read only for sound triggers

    // F7: omitted enumerations keep the record defaults.
    const Game::GameTriggerSetting sparse = Settings().GetGameTriggerSetting(Game::SPAWNER_TRIGGER, "sparse");
    EXPECT_EQ(0, sparse.m_InitialStatus);
    EXPECT_EQ(0, sparse.m_ConditionPassResponse);
    EXPECT_EQ(1, sparse.m_PostActionResponse);
    EXPECT_EQ(1, sparse.m_CollisionStatusCondition);
    EXPECT_EQ(3, sparse.m_EntityCountCondition);
    EXPECT_EQ(0, sparse.m_MaxActivations); // a spawner's absent limit reads 0
    EXPECT_TRUE(sparse.m_GroupSequence.empty());

    const Game::GameTriggerSetting modifier =
        Settings().GetGameTriggerSetting(Game::TRIGGERMODIFIER_TRIGGER, "modifier");
    EXPECT_EQ(3, modifier.m_NewStatus);
    EXPECT_EQ((std::vector<int>{97, 98, 1}), modifier.m_GroupSequence); // not "groupsequence"
    EXPECT_EQ((std::vector<float>{0.0f}), modifier.m_ReactivationTimeSequence);

    const Game::GameTriggerSetting sound = Settings().GetGameTriggerSetting(Game::SOUND_TRIGGER, "sound");
    EXPECT_EQ("cheer", sound.m_SoundName);
    EXPECT_EQ(1, sound.m_MaxActivations); // read only for spawners and modifiers
}

TEST_F(CGamePrefabSettingsTest, FirstPrefabOfANameWinsAcrossLoads)
{
    const std::string other = m_Dir.File("other.xml");
    testsupport::WriteFile(other, R"(<Root><EntitySetting mappedname="GENERIC_CHARACTER">
        <prefab prefabname="full" meshname="replacement"/><prefab prefabname="added"/>
        </EntitySetting></Root>)");
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    ASSERT_TRUE(Settings().LoadFromXml(other));
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    EXPECT_EQ("koboldminion", Settings().GetEntitySetting(Game::GENERIC_CHARACTER, "full").m_MeshName);
    EXPECT_EQ((std::vector<std::string>{"added", "badnames", "bare", "full"}),
              Settings().GetEntitySettingNames(Game::GENERIC_CHARACTER));
    EXPECT_EQ("full", Settings().GetEntitySettingName(Game::GENERIC_CHARACTER, 3));
    EXPECT_EQ("", Settings().GetEntitySettingName(Game::GENERIC_CHARACTER, 4));

    Settings().Shutdown();
    EXPECT_TRUE(Settings().GetEntitySettingNames(Game::GENERIC_CHARACTER).empty());
}

TEST_F(CGamePrefabSettingsTest, LookupsFallBackToDefaultRecords)
{
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    const Game::EntitySetting entity = Settings().GetEntitySetting(Game::ENTITY_TYPE_COUNT, "full");
    EXPECT_EQ("testmesh", entity.m_MeshName);
    EXPECT_FLOAT_EQ(3.0f, entity.m_DimX);
    EXPECT_EQ(0xFFFF, entity.m_CollisionGroup);
    EXPECT_EQ("testmesh", Settings().GetEntitySetting(Game::GENERIC_CHARACTER, "").m_MeshName);
    EXPECT_EQ("testmesh", Settings().GetEntitySetting(-3, "full").m_MeshName);
    EXPECT_EQ("testmesh", Settings().GetEntitySetting(Game::kEnumNotFound, "full").m_MeshName);
    EXPECT_EQ(1, Settings().GetGameTriggerSetting(Game::SPAWNER_TRIGGER, "missing").m_PostActionResponse);

    const Game::ControllerSetting none = Settings().GetControllerSetting(Game::CONTROLLER_TYPE_COUNT, "boar");
    EXPECT_FLOAT_EQ(30.0f, none.m_DetectionRadius);
    EXPECT_FLOAT_EQ(90.0f, none.m_FovDegrees);
    EXPECT_FLOAT_EQ(100.0f, none.m_FovLength);
    EXPECT_FLOAT_EQ(1.0f, none.m_AttackCooldown);
    EXPECT_TRUE(none.m_Owner.IsEmpty());
    EXPECT_FLOAT_EQ(50.0f, Settings().GetControllerSetting(Game::BOAR, "boar").m_DetectionRadius);
    EXPECT_TRUE(Settings().GetEntitySettingNames(Game::kEnumNotFound).empty());
}

TEST_F(CGamePrefabSettingsTest, MissingOrRootlessFilesAddNothing)
{
    ASSERT_TRUE(Settings().LoadFromXml(m_Path));
    EXPECT_FALSE(Settings().LoadFromXml(m_Dir.File("absent.xml")));
    const std::string broken = m_Dir.File("broken.xml");
    testsupport::WriteFile(broken, "<Root><EntitySetting");
    EXPECT_FALSE(Settings().LoadFromXml(broken));
    const std::string other = m_Dir.File("other.xml");
    testsupport::WriteFile(other, R"(<Prefabs><EntitySetting mappedname="GENERIC_ENT"><prefab prefabname="x"/>
        </EntitySetting></Prefabs>)");
    EXPECT_TRUE(Settings().LoadFromXml(other));
    EXPECT_TRUE(Settings().GetEntitySettingNames(Game::GENERIC_ENT).empty());
    EXPECT_EQ(3u, Settings().GetEntitySettingNames(Game::GENERIC_CHARACTER).size());
}

TEST_F(CGamePrefabSettingsTest, ShippedFileHoldsThePrefabsTheGameLooksUp)
{
    ASSERT_TRUE(Settings().LoadFromXml(testsupport::SourceDir() + "/bin/assets/prefabsettings.xml"));
    for (const char* name : {"player", "koboldminion", "boar", "skeleton", "ghost", "golem"}) {
        const auto names = Settings().GetEntitySettingNames(Game::GENERIC_CHARACTER);
        ASSERT_NE(names.end(), std::find(names.begin(), names.end(), name)) << name;
        const Game::EntitySetting s = Settings().GetEntitySetting(Game::GENERIC_CHARACTER, name);
        EXPECT_NE(Game::CONTROLLER_TYPE_COUNT, s.m_ControllerType) << name;
        EXPECT_GT(s.m_Mass, 0.0f) << name;
        const auto controllers = Settings().GetControllerSetting(s.m_ControllerType, s.m_ControllerPrefabName);
        EXPECT_GT(controllers.m_DetectionRadius, 0.0f) << name; // a stored controller prefab, not the default
        EXPECT_NE(30.0f, controllers.m_DetectionRadius) << name;
    }
    for (const char* name : {"smallcoin", "healthrecovery", "fireskill"})
        EXPECT_EQ(name, Settings().GetEntitySettingName(Game::PICKUPITEM, std::string(name) == "fireskill"        ? 0
                                                                          : std::string(name) == "healthrecovery" ? 1
                                                                                                                  : 2));
    EXPECT_FALSE(Settings().GetEntitySettingNames(Game::DESTRUCTIBLE_OBJECT).empty());
    for (int type = Game::SOUND_TRIGGER; type <= Game::LOCATIONBASED_SPAWNER_TRIGGER; ++type) {
        EXPECT_EQ(1u, Settings().GetEntitySettingNames(type).size()) << type;
        EXPECT_EQ(1u, Settings().GetGameTriggerSettingNames(type).size()) << type;
    }
}
