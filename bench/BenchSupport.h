// What several benchmarks share: silencing standard output (hidden-cube removal reports its
// counts there) and bringing up the game world without drawing: the run directory, entity and
// controller types, collision groups, physics, resources with the cube-model loader, the entity
// factory and the prefab settings.
#pragma once

#include "game/base/CSlotHash.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntityFactory.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/world/TypeRegistration.h"
#include "physics/CPhysicsSystem.h"
#include "resources/CResourceManager.h"

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

namespace benchsupport {

class QuietStdout {
public:
    QuietStdout() : m_Saved(std::cout.rdbuf(m_Sink.rdbuf())) {}
    ~QuietStdout() { std::cout.rdbuf(m_Saved); }

private:
    std::ostringstream m_Sink;
    std::streambuf* m_Saved;
};

inline void StartGameWorld()
{
    std::filesystem::current_path(std::string(THRUMMOCK_SOURCE_DIR) + "/bin");
    Game::RegisterEntityTypes();
    Game::RegisterControllerTypes();
    Game::CSlotHash::GetInstance().RegisterCollisionGroups();
    Vesk::CPhysicsSystem::GetInstance().Init();
    Vesk::CResourceManager::GetInstance().Init();
    Game::RegisterCubeMeshResource();
    Game::CEntityFactory::GetInstance().Init();
    Game::CGamePrefabSettings::GetInstance().LoadFromXml("./assets/prefabsettings.xml");
}

} // namespace benchsupport
