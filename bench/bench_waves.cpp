// Wave spawning with the shipped prefabs and the first level's wave file: one enemy spawned from
// its template by a location-based spawner (clone, transient mark, placement at a wave location),
// anchored by the same enemy created directly through the entity factory. Both run in batches of
// 64 whose entities are destroyed outside the timing, so each batch meets the same live list. Run
// from anywhere (with SDL_AUDIODRIVER=dummy when headless): it works in the project's bin/ directory.
#include "BenchSupport.h"
#include "game/base/CSlotHash.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"
#include "game/world/TypeRegistration.h"

#include "physics/CPhysicsSystem.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <functional>
#include <vector>

namespace {

using Game::CEntityFactory;

constexpr int kBatch = 64;

CEntityFactory& Factory() { return CEntityFactory::GetInstance(); }

// Types, physics, scene, resources, prefabs, a wave location and the first level's waves.
void StartWorld()
{
    benchsupport::StartGameWorld();
    Game::EntitySetting location;
    location.m_DimX = location.m_DimY = location.m_DimZ = 4.0f;
    Factory().CreateEntity(Game::WAVELOCATION, "wavelocation0", location);
    Game::CLevelManager::GetInstance().SetLevelName("arena2");
    Game::CWaveManager::GetInstance().Init();
}

void StopWorld()
{
    Game::CWaveManager::GetInstance().Shutdown();
    Factory().Shutdown();
    Game::CControllerManager::GetInstance().Shutdown();
    Game::CGamePrefabSettings::GetInstance().Shutdown();
    Vesk::CResourceManager::GetInstance().Shutdown();
    Vesk::CPhysicsSystem::GetInstance().Shutdown();
    Vesk::CSceneGraph::GetInstance().Shutdown();
}

// The characters made since the world started: all but the dormant templates.
void DestroyMadeCharacters()
{
    for (Game::CEntity* entity : Factory().FindByType(Game::GENERIC_CHARACTER)) {
        auto* character = dynamic_cast<Game::CCharacter*>(entity);
        if (character && !character->IsDormant())
            Factory().DestroyEntity(entity);
    }
}

void RunBatches(benchmark::State& state, const std::function<void()>& makeOne)
{
    for (auto _ : state) {
        for (int i = 0; i < kBatch; ++i)
            makeOne();
        state.PauseTiming();
        DestroyMadeCharacters();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kBatch);
}

void BM_SpawnEnemyFromTemplate(benchmark::State& state)
{
    StartWorld();
    auto* spawner = dynamic_cast<Game::CLocationBasedSpawnerTrigger*>(Factory().GetEntityByName("lspawnertrigger0_0"));
    const Game::CEntity* minion = Factory().GetEntityByName("masterminion");
    RunBatches(state, [&] {
        if (spawner->GetRemainingSpawnCount() == 0)
            spawner->AddSpawnGroup(Game::SpawnGroupRecord(minion, Game::CWaveManager::kMaxEntryCount, 0.0f));
        spawner->Fire();
    });
    StopWorld();
}

void BM_CreateEnemyDirectly_Anchor(benchmark::State& state)
{
    StartWorld();
    const Game::EntitySetting minion =
        Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "koboldminion");
    RunBatches(state, [&] {
        Factory().CreateEntity(Game::GENERIC_CHARACTER, Factory().MakeEntityName(Game::GENERIC_CHARACTER), minion);
    });
    StopWorld();
}

} // namespace

BENCHMARK(BM_SpawnEnemyFromTemplate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CreateEnemyDirectly_Anchor)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
