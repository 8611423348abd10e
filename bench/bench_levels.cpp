// Level loads: each shipped level loaded end to end through the level manager (level file,
// terrain, wall, height map, every entity and trigger), with its physical limit beside it in the
// same run: reading the four files the load reads once. Run from anywhere (SDL_AUDIODRIVER=dummy
// when headless): it works in the project's bin/ directory.
#include "BenchSupport.h"
#include "game/base/CSlotHash.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntityFactory.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/world/CLevelManager.h"
#include "game/world/TypeRegistration.h"

#include "physics/CPhysicsSystem.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

using benchsupport::QuietStdout;

namespace {

void StartWorld()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    benchsupport::StartGameWorld();
}

// The previous load's objects go, and its models leave the mesh cache, so every load reads its
// files again.
void ClearLevel(const std::string& level)
{
    Game::CEntityFactory::GetInstance().Clear();
    Game::CLevelManager::GetInstance().UnloadLevel();
    Vesk::CResourceManager::GetInstance().UnloadMesh(level + "terrain");
    Vesk::CResourceManager::GetInstance().UnloadMesh(level + "terrainWALL");
}

void BM_LoadLevel(benchmark::State& state, const char* level)
{
    StartWorld();
    QuietStdout quiet;
    const std::string path = std::string("assets/levels/") + level + ".xml";
    for (auto _ : state) {
        state.PauseTiming();
        ClearLevel(level);
        state.ResumeTiming();
        benchmark::DoNotOptimize(Game::CLevelManager::GetInstance().LoadLevel(path));
    }
    ClearLevel(level);
}
BENCHMARK_CAPTURE(BM_LoadLevel, arena2, "arena2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadLevel, emeraldroom, "emeraldroom")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LoadLevel, purpleroom, "purpleroom")->Unit(benchmark::kMillisecond);

// The least a level load does: read the level file, both models and the height map once.
void BM_ReadLevelFiles(benchmark::State& state, const char* level)
{
    StartWorld();
    const std::string model = std::string("assets/meshes/") + level + "terrain";
    const std::string files[] = {std::string("assets/levels/") + level + ".xml", model + ".vskc", model + "WALL.vskc",
                                 model + "HM.dat"};
    for (auto _ : state)
        for (const std::string& file : files) {
            std::ifstream in(file, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            benchmark::DoNotOptimize(bytes.str().size());
        }
}
BENCHMARK_CAPTURE(BM_ReadLevelFiles, arena2, "arena2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLevelFiles, emeraldroom, "emeraldroom")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLevelFiles, purpleroom, "purpleroom")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
