// What several benchmarks share: silencing standard output (hidden-cube removal reports its
// counts there), bringing up the game world without drawing (the run directory, entity and
// controller types, collision groups, physics, resources with the cube-model loader, the entity
// factory and the prefab settings) or the whole game manager headless, and a counter of the time
// per item.
#pragma once

#include "audio/CAudioSystem.h"
#include "frame/CGameManager.h"
#include "game/base/CSlotHash.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntityFactory.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/world/GameLifetime.h"
#include "game/world/GameStartup.h"
#include "game/world/TypeRegistration.h"
#include "physics/CPhysicsSystem.h"
#include "resources/CResourceManager.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
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

// The game manager in a small window (offscreen video and dummy audio unless the environment
// asks for others) with fixed frames of `frame` seconds, the game's types, the prefab settings
// and the sound muted, in the project's bin/ directory; false when it does not start.
inline bool StartGameManager(float frame)
{
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::filesystem::current_path(std::string(THRUMMOCK_SOURCE_DIR) + "/bin");
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.SetFixedTimeStep(frame);
    if (!game.Init(10, 10, 500, 280, "Thrummock", false))
        return false;
    if (!Game::GameManagerTable().Start())
        return false;
    Vesk::CAudioSystem::GetInstance().SetMasterVolume(0.0f);
    return true;
}

// The time per item, for `items` handled in every iteration.
inline benchmark::Counter TimePerItem(double items)
{
    return benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace benchsupport
