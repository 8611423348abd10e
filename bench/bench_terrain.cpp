// Terrain costs: the editor's 5 x 5 raise on a 100 x 50 x 4 and a 250 x 250 x 10 terrain, the
// physics-box build for a full and a half-filled 250 x 250 x 10 terrain, and building each shipped
// level's terrain and wall from their models. Each figure has its physical limit beside it in
// the same run: copying (or reading) the bytes the operation has to touch at least.
#include "BenchSupport.h"
#include "game/terrain/CLevelWall.h"
#include "game/terrain/CTerrain.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"

#include "physics/CPhysicsSystem.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <vector>

using Game::BlockPosition;
using Game::CTerrain;

using benchsupport::QuietStdout;

namespace {

// The engine parts a terrain lives in: the resource manager on the project's run directory, the
// physics world and the scene graph.
void InitWorld()
{
    static bool ready = false;
    if (ready)
        return;
    std::filesystem::current_path(std::filesystem::path(THRUMMOCK_SOURCE_DIR) / "bin");
    ready = Vesk::CResourceManager::GetInstance().Init() && Vesk::CPhysicsSystem::GetInstance().Init() &&
            Vesk::CSceneGraph::GetInstance().Init();
    Game::RegisterCubeMeshResource();
}

std::vector<BlockPosition> Brush(unsigned w0, unsigned d0)
{
    std::vector<BlockPosition> brush;
    for (unsigned d = d0; d < d0 + 5; ++d)
        for (unsigned w = w0; w < w0 + 5; ++w)
            brush.push_back(BlockPosition(w, d, 0));
    return brush;
}

// Raise by one block; the dig that puts the terrain back is not timed. The brush straddles two
// slices, as a brush does in half the places it lands.
void BM_TerrainRaise5x5(benchmark::State& state)
{
    InitWorld();
    QuietStdout quiet;
    const unsigned width = unsigned(state.range(0)), depth = unsigned(state.range(1)),
                   height = unsigned(state.range(2));
    CTerrain terrain(width, depth, height, 4.0f, CVector3D());
    const std::vector<BlockPosition> brush = Brush(width / 2 - 2, depth / 2 - 2);
    const CVector3D colour(200.0f, 40.0f, 40.0f);
    for (auto _ : state) {
        terrain.RaiseColumns(brush, 1, colour);
        state.PauseTiming();
        terrain.DigColumns(brush, 1);
        state.ResumeTiming();
    }
    state.counters["cubes"] = double(terrain.GetBlockCount());
}
BENCHMARK(BM_TerrainRaise5x5)->Args({100, 50, 4})->Args({250, 250, 10})->Unit(benchmark::kMillisecond);

// The least an edit of two slices does: copy their cubes' positions and colours once.
void BM_CopyTwoSlices(benchmark::State& state)
{
    const std::size_t cubes = 2 * 10 * std::size_t(state.range(1)) * std::size_t(state.range(2));
    const std::vector<CVector3D> from(2 * cubes);
    std::vector<CVector3D> to(2 * cubes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(CVector3D));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyTwoSlices)->Args({100, 50, 4})->Args({250, 250, 10})->Unit(benchmark::kMillisecond);

// Every other cell of a 250 x 250 x 10 terrain at random (a fixed sequence): the most runs and
// the fewest merges.
std::vector<BlockPosition> RandomHalf()
{
    std::vector<BlockPosition> cells;
    uint32_t seed = 12345u;
    for (unsigned h = 0; h < 10; ++h)
        for (unsigned d = 0; d < 250; ++d)
            for (unsigned w = 0; w < 250; ++w) {
                seed = seed * 1664525u + 1013904223u;
                if (seed >> 31)
                    cells.push_back(BlockPosition(w, d, h));
            }
    return cells;
}

void BM_TerrainPhysicsBuild(benchmark::State& state)
{
    InitWorld();
    QuietStdout quiet;
    const bool halfFilled = state.range(0) != 0;
    CTerrain terrain(250, 250, 10, 4.0f, CVector3D());
    if (halfFilled)
        terrain.RemoveBlocks(RandomHalf());
    for (auto _ : state)
        terrain.BuildPhysics();
    state.counters["boxes"] = double(terrain.BuildPhysicsRegions().size());
}
BENCHMARK(BM_TerrainPhysicsBuild)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The regions alone, without handing the boxes to the physics system.
void BM_TerrainPhysicsRegions(benchmark::State& state)
{
    InitWorld();
    QuietStdout quiet;
    CTerrain terrain(250, 250, 10, 4.0f, CVector3D());
    if (state.range(0) != 0)
        terrain.RemoveBlocks(RandomHalf());
    for (auto _ : state)
        benchmark::DoNotOptimize(terrain.BuildPhysicsRegions().size());
}
BENCHMARK(BM_TerrainPhysicsRegions)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The least a box build does: read the ten used heights of the occupancy grid once.
void BM_CopyTenGridLevels(benchmark::State& state)
{
    const std::vector<unsigned char> from(250 * 250 * 10, 1);
    std::vector<unsigned char> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyTenGridLevels)->Unit(benchmark::kMillisecond);

// Terrain and wall of a shipped level from their files, as a level load makes them.
void BM_LevelTerrainFromModel(benchmark::State& state, const char* level)
{
    InitWorld();
    QuietStdout quiet;
    const std::string model = std::string(level) + "terrain";
    for (auto _ : state) {
        auto terrain = std::make_unique<CTerrain>(model, 4.0f);
        Game::CLevelWall wall;
        wall.Load(model + "WALL");
        benchmark::DoNotOptimize(terrain->GetBlockCount());
        Vesk::CResourceManager::GetInstance().UnloadMesh(model + "WALL");
    }
}
BENCHMARK_CAPTURE(BM_LevelTerrainFromModel, arena2, "arena2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LevelTerrainFromModel, emeraldroom, "emeraldroom")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_LevelTerrainFromModel, purpleroom, "purpleroom")->Unit(benchmark::kMillisecond);

// The least a level's terrain load does: read its two model files once.
void BM_ReadLevelModelFiles(benchmark::State& state, const char* level)
{
    InitWorld();
    const std::string base = std::string("assets/meshes/") + level + "terrain";
    for (auto _ : state)
        for (const std::string& path : {base + ".vskc", base + "WALL.vskc"}) {
            std::ifstream in(path, std::ios::binary);
            std::ostringstream text;
            text << in.rdbuf();
            benchmark::DoNotOptimize(text.str().size());
        }
}
BENCHMARK_CAPTURE(BM_ReadLevelModelFiles, arena2, "arena2")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLevelModelFiles, emeraldroom, "emeraldroom")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ReadLevelModelFiles, purpleroom, "purpleroom")->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
