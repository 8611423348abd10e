// Level loads: each shipped level loaded end to end through the level manager (level file,
// terrain, wall, height map, every entity and trigger), with its physical limit beside it in the
// same run: reading the four files the load reads once. Then level 1's terrain with 1,000, 4,000
// and 10,000 crates 20 units apart, with the time per crate, beside reading that level's files.
// Run from anywhere (SDL_AUDIODRIVER=dummy when headless): it works in the project's bin/
// directory.
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

#include <cmath>
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

// Reads each file whole, once.
template <size_t N>
void ReadFiles(const std::string (&files)[N])
{
    for (const std::string& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        benchmark::DoNotOptimize(bytes.str().size());
    }
}

// The least a level load does: read the level file, both models and the height map once.
void BM_ReadLevelFiles(benchmark::State& state, const char* level)
{
    StartWorld();
    const std::string model = std::string("assets/meshes/") + level + "terrain";
    const std::string files[] = {std::string("assets/levels/") + level + ".xml", model + ".vskc", model + "WALL.vskc",
                                 model + "HM.dat"};
    for (auto _ : state)
        ReadFiles(files);
}
BENCHMARK_CAPTURE(BM_ReadLevelFiles, arena2, "arena2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLevelFiles, emeraldroom, "emeraldroom")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLevelFiles, purpleroom, "purpleroom")->Unit(benchmark::kMillisecond);

// Level 1's terrain and a square of crates 20 units apart, written to the temporary directory.
std::string CrateLevel(int count)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("thrummock_bench_crates_" + std::to_string(count) + ".xml");
    std::ofstream out(path);
    out << "<Level>\n<properties levelname=\"arena2\"/>\n<terrain meshname=\"arena2terrain\"/>\n";
    const int side = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    for (int i = 0; i < count; ++i)
        out << "<entity name=\"crate" << i
            << "\" type=\"DESTRUCTIBLE_OBJECT\" entitysettingprefabname=\"crate\" posX=\"" << 20 * (i % side)
            << "\" posY=\"9\" posZ=\"" << 20 * (i / side) << "\" dirX=\"0\" dirY=\"0\" dirZ=\"-1\"/>\n";
    out << "</Level>\n";
    return path.string();
}

void PerCrate(benchmark::State& state, int count) { state.counters["per crate"] = benchsupport::TimePerItem(count); }

void BM_LoadCrateLevel(benchmark::State& state)
{
    StartWorld();
    QuietStdout quiet;
    const int count = static_cast<int>(state.range(0));
    const std::string path = CrateLevel(count);
    for (auto _ : state) {
        state.PauseTiming();
        ClearLevel("arena2");
        state.ResumeTiming();
        benchmark::DoNotOptimize(Game::CLevelManager::GetInstance().LoadLevel(path));
    }
    ClearLevel("arena2");
    PerCrate(state, count);
    std::filesystem::remove(path);
}
BENCHMARK(BM_LoadCrateLevel)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ReadCrateLevelFiles_Anchor(benchmark::State& state)
{
    StartWorld();
    const int count = static_cast<int>(state.range(0));
    const std::string path = CrateLevel(count);
    const std::string files[] = {path, "assets/meshes/arena2terrain.vskc", "assets/meshes/arena2terrainWALL.vskc",
                                 "assets/meshes/arena2terrainHM.dat"};
    for (auto _ : state)
        ReadFiles(files);
    PerCrate(state, count);
    std::filesystem::remove(path);
}
BENCHMARK(BM_ReadCrateLevelFiles_Anchor)->Arg(1000)->Arg(4000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
