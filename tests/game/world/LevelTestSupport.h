// A fixture for the level tests: a scratch run directory holding the project's models, mesh
// definitions, prefabs and levels; resource manager, physics, scene graph, every type registered
// and the prefabs loaded; the level manager unloaded and the entity factory emptied afterwards.
#pragma once

#include "../terrain/TerrainTestSupport.h"

#include "game/base/CSlotHash.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/world/CLevelManager.h"
#include "game/world/TypeRegistration.h"

namespace leveltest {

class LevelFixture : public terraintest::TerrainFixture {
protected:
    void SetUp() override
    {
        const std::string source = testsupport::SourceDir() + "/bin/assets/";
        testsupport::WriteFile(m_Dir.File("assets/prefabsettings.xml"),
                               testsupport::ReadFile(source + "prefabsettings.xml"));
        testsupport::CopyTree(source + "levels", m_Dir.File("assets/levels"));
        TerrainFixture::SetUp();
        Game::RegisterEntityTypes();
        Game::RegisterControllerTypes();
        Game::CSlotHash::GetInstance().RegisterCollisionGroups();
        Factory().Shutdown();
        ASSERT_TRUE(Factory().Init());
        ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml("assets/prefabsettings.xml"));
    }

    void TearDown() override
    {
        Manager().UnloadLevel();
        Manager().SetLevelName("");
        Factory().Shutdown();
        Game::CControllerManager::GetInstance().Shutdown();
        Game::CGamePrefabSettings::GetInstance().Shutdown();
        TerrainFixture::TearDown();
    }

    static Game::CEntityFactory& Factory() { return Game::CEntityFactory::GetInstance(); }
    static Game::CLevelManager& Manager() { return Game::CLevelManager::GetInstance(); }

    // A level file in the scratch directory's levels folder; returns its path.
    std::string WriteLevel(const std::string& name, const std::string& body) const
    {
        const std::string path = "assets/levels/" + name + ".xml";
        testsupport::WriteFile(m_Dir.File(path), "<Level>" + body + "</Level>");
        return path;
    }

    static std::vector<std::string> LiveNames()
    {
        std::vector<std::string> names;
        for (const auto& entry : Factory().GetLiveEntities())
            names.push_back(entry.first);
        return names;
    }
};

} // namespace leveltest
