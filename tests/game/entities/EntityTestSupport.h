// A fixture for the game-world tests: every type registered, physics and scene graph up, the
// entity factory fresh for each test and emptied afterwards.
#pragma once

#include "game/base/CSlotHash.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/world/TypeRegistration.h"
#include "physics/CPhysicsSystem.h"
#include "scene/CSceneGraph.h"

#include <gtest/gtest.h>

namespace worldtest {

class WorldFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        Game::RegisterEntityTypes();
        Game::RegisterControllerTypes();
        Game::CSlotHash::GetInstance().RegisterCollisionGroups();
        ASSERT_TRUE(Vesk::CPhysicsSystem::GetInstance().Init());
        Factory().Shutdown();
        ASSERT_TRUE(Factory().Init());
    }

    void TearDown() override
    {
        Factory().Shutdown();
        Game::CControllerManager::GetInstance().Shutdown();
        Game::CGamePrefabSettings::GetInstance().Shutdown();
        Vesk::CPhysicsSystem::GetInstance().Shutdown();
        Vesk::CSceneGraph::GetInstance().Shutdown();
    }

    static Game::CEntityFactory& Factory() { return Game::CEntityFactory::GetInstance(); }

    static Game::CEntity* Make(int type, const std::string& name = std::string(),
                               const Game::EntitySetting& setting = Game::EntitySetting())
    {
        return Factory().CreateEntity(type, name, setting);
    }
};

} // namespace worldtest
