// Saving levels: the shipped levels survive save -> load -> save unchanged; saves leave out
// run-time objects and tag by type; single and recent-entity saves rewrite the right element;
// saves without a level or a writable file report failure and change nothing.
#include "LevelTestSupport.h"

#include "core/CXmlDocument.h"
#include "game/base/GameEnums.h"

#include <filesystem>

namespace {

using CLevelManagerSaveTest = leveltest::LevelFixture;

// (tag, name) of every child of "Level" in the saved file, in file order.
std::vector<std::pair<std::string, std::string>> Elements(const std::string& path)
{
    Vesk::CXmlDocument document;
    std::vector<std::pair<std::string, std::string>> elements;
    if (!document.Load(path))
        return elements;
    for (Vesk::CXmlElement e = document.GetRoot().FirstChildElement(); e != nullptr; ++e) {
        const char* name = e.GetAttribute("name");
        elements.emplace_back(e.GetName(), name ? name : "");
    }
    return elements;
}

std::string Attribute(const std::string& path, const std::string& name, const std::string& attribute)
{
    Vesk::CXmlDocument document;
    if (!document.Load(path))
        return "";
    for (Vesk::CXmlElement e = document.GetRoot().FirstChildElement(); e != nullptr; ++e) {
        const char* n = e.GetAttribute("name");
        const char* value = e.GetAttribute(attribute);
        if (n && name == n)
            return value ? value : "";
    }
    return "";
}

TEST_F(CLevelManagerSaveTest, ShippedLevelsSaveLoadSaveToTheCommittedFile)
{
    for (const char* level : {"arena2", "emeraldroom", "purpleroom"}) {
        SCOPED_TRACE(level);
        const std::string path = std::string("assets/levels/") + level + ".xml";
        const std::string committed = testsupport::ReadFile(m_Dir.File(path));
        for (int round = 0; round < 2; ++round) {
            Factory().Clear();
            ASSERT_TRUE(Manager().LoadLevel(path));
            ASSERT_TRUE(Manager().SaveLevel(level));
            EXPECT_EQ(testsupport::ReadFile(m_Dir.File(path)), committed) << "round " << round;
        }
        // The terrain model went through the terrain's own save unchanged.
        EXPECT_EQ(testsupport::ReadFile(m_Dir.File("assets/meshes/" + std::string(level) + "terrain.vskc")),
                  testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/meshes/" + level + "terrain.vskc"));
    }
}

TEST_F(CLevelManagerSaveTest, SaveLeavesOutRunTimeObjectsAndTagsByType)
{
    ASSERT_TRUE(Manager().LoadLevel(""));
    Factory().CreateEntity(Game::WAVELOCATION, "w", Game::EntitySetting());
    Factory().CreateEntity(Game::COLLISIONBOX, "box", Game::EntitySetting());
    Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "crate", Game::EntitySetting());
    Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "globalwavetrigger", Game::EntitySetting());
    Factory().CreateEntity(Game::GENERIC_CHARACTER, "masterboar", Game::EntitySetting());
    Factory().CreateEntity(Game::PICKUPITEM, "smallcoin", Game::EntitySetting())->SetTransient(true);
    Factory().CreateEntity(Game::GENERIC_CHARACTER, "GENERIC_CHARACTER4", Game::EntitySetting())->SetTransient(true);

    ASSERT_TRUE(Manager().SaveLevel("made"));
    EXPECT_EQ(Manager().GetLevelName(), "made");
    using E = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Elements(m_Dir.File("assets/levels/made.xml")),
              (E{{"properties", ""}, {"terrain", ""}, {"spatial", "box"}, {"entity", "crate"}, {"entity", "w"}}));
    EXPECT_EQ(Manager().GetDocument().FindElement("Level/terrain").GetAttribute("meshname"),
              std::string("madeterrain"));
    EXPECT_TRUE(testsupport::FileExists(m_Dir.File("assets/meshes/madeterrain.vskc")));
    // The slab keeps the shared empty model's name; saving its terrain never overwrites that model.
    const std::string empty = testsupport::ReadFile(m_Dir.File("assets/meshes/emptymesh.vskc"));
    std::filesystem::remove(m_Dir.File("assets/meshes/madeterrain.vskc"));
    ASSERT_TRUE(Manager().SaveTerrain());
    EXPECT_TRUE(testsupport::FileExists(m_Dir.File("assets/meshes/madeterrain.vskc")));
    EXPECT_EQ(testsupport::ReadFile(m_Dir.File("assets/meshes/emptymesh.vskc")), empty);
    // The new level's terrain loads back as it was saved.
    Factory().Clear();
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/made.xml"));
    EXPECT_EQ(Manager().GetTerrain()->GetBlockCount(), 100u * 50u);
    EXPECT_EQ(LiveNames(), (std::vector<std::string>{"box", "crate", "w"}));
}

TEST_F(CLevelManagerSaveTest, SavesWithoutALevelAreRefused)
{
    Game::CEntity* crate = Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "crate", Game::EntitySetting());
    Manager().UnloadLevel();
    EXPECT_FALSE(Manager().SaveLevel("nothing"));
    EXPECT_FALSE(testsupport::FileExists(m_Dir.File("assets/levels/nothing.xml")));
    EXPECT_FALSE(Manager().SaveTerrain());
    EXPECT_FALSE(Manager().SaveSingleEntity(crate));
    Manager().AddRecentEntity(crate);
    EXPECT_FALSE(Manager().SaveRecentEntities());
    EXPECT_EQ(Manager().GetRecentEntities(), std::vector<Game::CEntity*>{crate});
}

TEST_F(CLevelManagerSaveTest, FailedWriteKeepsTheLevelNameAndReportsIt)
{
    ASSERT_TRUE(Manager().LoadLevel("assets/levels/arena2.xml"));
    std::filesystem::remove_all(m_Dir.File("assets/levels"));
    testsupport::WriteFile(m_Dir.File("assets/levels"), "a file where the folder should be");
    EXPECT_FALSE(Manager().SaveLevel("elsewhere"));
    EXPECT_EQ(Manager().GetLevelName(), "arena2");
    EXPECT_FALSE(Manager().SaveSingleEntity(Factory().GetEntityByName("player")));
}

TEST_F(CLevelManagerSaveTest, SingleEntityRewritesItsElementAnywhereInTheLevel)
{
    ASSERT_TRUE(Manager().LoadLevel(""));
    Factory().CreateEntity(Game::COLLISIONBOX, "COLLISIONBOX0", Game::EntitySetting());
    Factory().CreateEntity(Game::GENERIC_DOODADS, "GENERIC_DOODADS0", Game::EntitySetting());
    ASSERT_TRUE(Manager().SaveLevel("single"));
    const std::string path = m_Dir.File("assets/levels/single.xml");

    // The collision box's "spatial" element comes before the first "entity" element.
    Game::CEntity* box = Factory().GetEntityByName("COLLISIONBOX0");
    box->SetPosition(CVector3D(12.0f, 3.0f, 7.0f));
    ASSERT_TRUE(Manager().SaveSingleEntity(box));
    using E = std::vector<std::pair<std::string, std::string>>;
    const E saved = {{"properties", ""}, {"terrain", ""}, {"spatial", "COLLISIONBOX0"}, {"entity", "GENERIC_DOODADS0"}};
    EXPECT_EQ(Elements(path), saved);
    EXPECT_EQ(Attribute(path, "COLLISIONBOX0", "posX"), "12");

    Game::CEntity* added = Factory().CreateEntity(Game::WAVELOCATION, "added", Game::EntitySetting());
    ASSERT_TRUE(Manager().SaveSingleEntity(added));
    E appended = saved;
    appended.emplace_back("entity", "added");
    EXPECT_EQ(Elements(path), appended);

    Game::CEntity* coin = Factory().CreateEntity(Game::PICKUPITEM, "smallcoin", Game::EntitySetting());
    coin->SetTransient(true);
    EXPECT_FALSE(Manager().SaveSingleEntity(coin));
    EXPECT_FALSE(Manager().SaveSingleEntity(nullptr));
    EXPECT_EQ(Elements(path), appended);
}

TEST_F(CLevelManagerSaveTest, RecentEntitiesUpdateAppendAndDelete)
{
    ASSERT_TRUE(Manager().LoadLevel(""));
    Factory().CreateEntity(Game::WAVELOCATION, "kept", Game::EntitySetting());
    Factory().CreateEntity(Game::WAVELOCATION, "moved", Game::EntitySetting());
    Factory().CreateEntity(Game::WAVELOCATION, "deleted", Game::EntitySetting());
    ASSERT_TRUE(Manager().SaveLevel("recent"));
    const std::string path = m_Dir.File("assets/levels/recent.xml");

    Game::CEntity* moved = Factory().GetEntityByName("moved");
    moved->SetPosition(CVector3D(40.0f, 8.0f, 20.0f));
    Game::CEntity* added = Factory().CreateEntity(Game::COLLISIONBOX, "added", Game::EntitySetting());
    Game::CEntity* gone = Factory().CreateEntity(Game::WAVELOCATION, "gone", Game::EntitySetting());
    Game::CEntity* drop = Factory().CreateEntity(Game::PICKUPITEM, "potion", Game::EntitySetting());
    drop->SetTransient(true);
    for (Game::CEntity* e : {added, moved, gone, drop, moved})
        Manager().AddRecentEntity(e);
    Manager().RemoveRecentEntity(moved); // the first of the two entries goes
    Factory().DestroyEntity(gone);       // destroyed without leaving the list by hand
    Factory().DestroyEntity(Factory().GetEntityByName("deleted"));
    Manager().AddNameToDelete("deleted");
    EXPECT_EQ(Manager().GetRecentEntities(), (std::vector<Game::CEntity*>{added, drop, moved}));

    ASSERT_TRUE(Manager().SaveRecentEntities());
    using E = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(Elements(path),
              (E{{"properties", ""}, {"terrain", ""}, {"entity", "kept"}, {"entity", "moved"}, {"spatial", "added"}}));
    EXPECT_EQ(Attribute(path, "moved", "posX"), "40");
    EXPECT_TRUE(Manager().GetRecentEntities().empty());
}

} // namespace
