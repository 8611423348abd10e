// Loading levels: the shipped levels with their terrain, wall and objects; the load order that
// lets triggers find entities listed after them; unknown types skipped; failed loads harmless.
#include "LevelTestSupport.h"

#include "game/base/GameEnums.h"
#include "game/entities/CGameTrigger.h"
#include "game/terrain/CLevelWall.h"
#include "game/voxel/CubeHeightMap.h"
#include "game/voxel/CubeRenderer.h"

#include <algorithm>

namespace {

using CLevelManagerTest = leveltest::LevelFixture;

const struct {
    const char* level;
    int width, depth;
} kLevels[] = {{"arena2", 100, 50}, {"emeraldroom", 90, 44}, {"purpleroom", 80, 40}};

std::vector<Game::CEntity*> OfType(int type) { return Game::CEntityFactory::GetInstance().FindByType(type); }

bool Inside(const CVector3D& point, const CAABB& box)
{
    return point.x >= box.min.x && point.x <= box.max.x && point.y >= box.min.y && point.y <= box.max.y &&
           point.z >= box.min.z && point.z <= box.max.z;
}

TEST_F(CLevelManagerTest, ShippedLevelsLoadTheirGroundAndObjects)
{
    for (const auto& l : kLevels) {
        SCOPED_TRACE(l.level);
        Factory().Clear();
        ASSERT_TRUE(Manager().LoadLevel(std::string("assets/levels/") + l.level + ".xml"));
        EXPECT_EQ(Manager().GetLevelName(), l.level);
        ASSERT_NE(Manager().GetTerrain(), nullptr);
        EXPECT_EQ(Manager().GetTerrain()->GetMeshName(), std::string(l.level) + "terrain");
        ASSERT_NE(Manager().GetWall(), nullptr);
        EXPECT_NE(Manager().GetWall()->GetBody(), nullptr);
        EXPECT_EQ(Game::GetCubeHeightMap().width, l.width);

        const std::vector<Game::CEntity*> players = Factory().FindByName("player");
        ASSERT_EQ(players.size(), 1u);
        EXPECT_EQ(players[0]->GetType(), Game::GENERIC_CHARACTER);
        EXPECT_GE(OfType(Game::WAVELOCATION).size(), 4u);
        const std::vector<Game::CEntity*> crates = OfType(Game::DESTRUCTIBLE_OBJECT);
        EXPECT_GE(crates.size(), 1u);
        EXPECT_LE(crates.size(), 3u);
        for (Game::CEntity* crate : crates)
            EXPECT_EQ(crate->GetPrefabName(), "crate");
        EXPECT_GE(OfType(Game::COLLISIONBOX).size(), 1u);

        // Everything placed on the ground stands inside the arena, on its column.
        for (int type : {Game::GENERIC_CHARACTER, Game::WAVELOCATION, Game::DESTRUCTIBLE_OBJECT})
            for (Game::CEntity* e : OfType(type)) {
                SCOPED_TRACE(e->GetName());
                const CVector3D& p = e->GetPosition();
                ASSERT_GE(p.x, 0.0f);
                ASSERT_GE(p.z, 0.0f);
                Game::BlockPosition column(unsigned(p.x / 4.0f + 0.5f), unsigned(p.z / 4.0f + 0.5f), 0);
                ASSERT_LT(int(column.mBlockWidth), l.width);
                ASSERT_LT(int(column.mBlockDepth), l.depth);
                Manager().GetTerrain()->FindColumnTop(column);
                // Centred a few units over the column's top face: above it, not in the air.
                const float face = 4.0f * float(column.mBlockHeight) - 2.0f;
                EXPECT_GT(p.y, face);
                EXPECT_LE(p.y, face + 6.0f);
            }

        // The level's triggers let the player in: arena2 cheers at the start. No level locks the
        // camera, since a lock would keep the player in its view to the end of the level.
        const CVector3D start = players[0]->GetPosition();
        const std::vector<Game::CEntity*> sounds = OfType(Game::SOUND_TRIGGER);
        EXPECT_EQ(sounds.size(), std::string(l.level) == "arena2" ? 1u : 0u);
        EXPECT_TRUE(OfType(Game::CAMERA_LOCK_TRIGGER).empty());
        for (Game::CEntity* sound : sounds) {
            CAABB box;
            sound->GetBoundingBox(box);
            EXPECT_TRUE(Inside(start, box));
            const auto triggering = static_cast<Game::CGameTrigger*>(sound)->GetTriggeringEntities();
            EXPECT_EQ(triggering, std::vector<Game::CEntity*>{players[0]});
        }
    }
}

TEST_F(CLevelManagerTest, SpatialsFindEntitiesListedAfterThem)
{
    const struct {
        const char* label;
        const char* body;
        const char* trigger;
        const char* named;
        bool slave; // named as a slave (group 0) or as a triggering entity
    } cases[] = {
        {"a trigger before the entity it watches",
         R"(<spatial name="lock" type="CAMERA_LOCK_TRIGGER" gametriggerprefabname="cameralock" posX="0" posY="0"
                     posZ="0" dimX="10" dimY="10" dimZ="10" triggeringentnames="crate7"/>
            <entity name="crate7" type="DESTRUCTIBLE_OBJECT" entitysettingprefabname="crate" posX="50" posY="5"
                    posZ="20"/>)",
         "lock", "crate7", false},
        {"a modifier before the trigger it wakes",
         R"(<spatial name="modifier" type="TRIGGERMODIFIER_TRIGGER" gametriggerprefabname="triggermodifier"
                     posX="0" posY="0" posZ="0" dimX="4" dimY="4" dimZ="4" slaveentnames0="cheer"/>
            <spatial name="cheer" type="SOUND_TRIGGER" gametriggerprefabname="soundtrigger" posX="9" posY="9"
                     posZ="9" dimX="4" dimY="4" dimZ="4"/>)",
         "modifier", "cheer", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        Factory().Clear();
        ASSERT_TRUE(Manager().LoadLevel(WriteLevel("order", c.body)));
        auto* trigger = dynamic_cast<Game::CGameTrigger*>(Factory().GetEntityByName(c.trigger));
        Game::CEntity* named = Factory().GetEntityByName(c.named);
        ASSERT_NE(trigger, nullptr);
        ASSERT_NE(named, nullptr);
        if (c.slave)
            EXPECT_EQ(trigger->GetSlaveEntries(), (std::vector<std::pair<int, Game::CEntity*>>{{0, named}}));
        else
            EXPECT_EQ(trigger->GetTriggeringEntities(), std::vector<Game::CEntity*>{named});
    }
}

TEST_F(CLevelManagerTest, UnknownOrMissingTypesAreSkipped)
{
    ASSERT_TRUE(Manager().LoadLevel(WriteLevel("odd", R"(
        <entity name="ghost" type="NO_SUCH_TYPE" posX="1"/>
        <entity name="typeless"/>
        <spatial name="numbered" type="12"/>
        <entity name="w" type="WAVELOCATION" entitysettingprefabname="wavelocation" posX="4" posY="8" posZ="4"/>
        <spatial name="box" type="COLLISIONBOX" posX="0" posY="0" posZ="0" dimX="2" dimY="2" dimZ="2"/>
        <other name="stranger" type="WAVELOCATION"/>)")));
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"box", "w"}));
    // No "properties" and no "terrain": the level keeps no name and the terrain is left alone.
    EXPECT_EQ(Manager().GetLevelName(), "");
}

TEST_F(CLevelManagerTest, FailedLoadLeavesTheLevelAsItWas)
{
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/purpleroom.xml"));
    Game::CTerrain* terrain = Manager().GetTerrain();
    const std::vector<std::string> names = LiveNames();
    testsupport::WriteFile(m_Dir.File("assets/levels/broken.xml"), "<Level><entity name=\"x\"");
    testsupport::WriteFile(m_Dir.File("assets/levels/empty.xml"), "");
    for (const char* path : {"assets/levels/missing.xml", "assets/levels/broken.xml", "assets/levels/empty.xml"}) {
        EXPECT_FALSE(Manager().LoadLevel(path)) << path;
        EXPECT_EQ(Manager().GetLevelName(), "purpleroom");
        EXPECT_EQ(Manager().GetTerrain(), terrain);
        EXPECT_EQ(LiveNames(), names);
        EXPECT_NE(Manager().GetDocument().FindElement("Level/properties"), nullptr);
    }
}

TEST_F(CLevelManagerTest, TheLevelHandsItsLightRuleToTheCubeRenderer)
{
    // Only the exact name "emeraldroom" puts the shadow light in front of the camera.
    const struct {
        const char* name;
        float offsetZ;
    } cases[] = {
        {"emeraldroom", -10.0f}, {"emeraldroom2", 60.0f}, {"EmeraldRoom", 60.0f}, {"arena2", 60.0f}, {"", 60.0f}};
    for (const auto& c : cases) {
        Manager().SetLevelName(c.name);
        EXPECT_EQ(Game::GetCubeLightOffsetZ(), c.offsetZ) << c.name;
    }
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/emeraldroom.xml"));
    EXPECT_EQ(Game::GetCubeLightOffsetZ(), -10.0f);
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/arena2.xml"));
    EXPECT_EQ(Game::GetCubeLightOffsetZ(), Game::kDefaultCubeLightOffsetZ);
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/emeraldroom.xml"));
    ASSERT_TRUE(Manager().LoadLevel(""));
    EXPECT_EQ(Game::GetCubeLightOffsetZ(), Game::kDefaultCubeLightOffsetZ);
}

TEST_F(CLevelManagerTest, EmptyPathGivesTheSlabAndNoName)
{
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/arena2.xml"));
    ASSERT_TRUE(Manager().LoadLevel(""));
    EXPECT_EQ(Manager().GetLevelName(), "");
    ASSERT_NE(Manager().GetTerrain(), nullptr);
    EXPECT_EQ(Manager().GetTerrain()->GetBlockCount(), 100u * 50u);
    EXPECT_EQ(Manager().GetWall(), nullptr);
    Manager().UnloadLevel();
    EXPECT_EQ(Manager().GetTerrain(), nullptr);
    Manager().UnloadLevel();
}

} // namespace
