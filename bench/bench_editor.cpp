// Editor costs that must stay well inside a frame (2 ms): picking an entity under the mouse among
// the entities of a level, and undoing a terrain edit (a 5 x 5 raise by one block) on a
// 250 x 250 x 10 terrain. Beside each, its physical limit in the same run: the plain slab test
// over the same boxes, and copying the cube data of the slices the undo rebuilds.
#include "BenchSupport.h"

#include "game/editor/EntityPicking.h"
#include "game/entities/CEntity.h"
#include "game/terrain/CTerrain.h"

#include "scene/CSceneGraph.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

constexpr int kEntities = 300;

void StartOnce()
{
    static bool ready = false;
    if (ready)
        return;
    benchsupport::QuietStdout quiet;
    benchsupport::StartGameWorld();
    Vesk::CSceneGraph::GetInstance().Init();
    // A level's worth of crates on a 20 x 15 grid, 12 units apart.
    for (int i = 0; i < kEntities; ++i) {
        Game::CEntity* crate = Game::CEntityFactory::GetInstance().CreateEntity(
            Game::DESTRUCTIBLE_OBJECT, "crate" + std::to_string(i), Game::EntitySetting());
        crate->SetPosition(CVector3D(float(i % 20) * 12.0f, 10.0f, float(i / 20) * 12.0f));
    }
    ready = true;
}

// A ray down the diagonal of the grid, entering several boxes.
CRay PickRay() { return CRay(CVector3D(-50.0f, 10.0f, -50.0f), CVector3D(0.70710678f, 0.0f, 0.70710678f)); }

void BM_PickEntity(benchmark::State& state)
{
    StartOnce();
    const CRay ray = PickRay();
    for (auto _ : state)
        benchmark::DoNotOptimize(Game::PickEntityAlongRay(ray));
    state.counters["entities"] = kEntities;
}
BENCHMARK(BM_PickEntity)->Unit(benchmark::kMicrosecond);

// The limit: the slab test alone over the same boxes held in a plain array.
void BM_PickEntityLimit_SlabWalk(benchmark::State& state)
{
    StartOnce();
    std::vector<CAABB> boxes;
    for (const auto& entry : Game::CEntityFactory::GetInstance().GetLiveEntities()) {
        CAABB box;
        entry.second->GetBoundingBox(box);
        boxes.push_back(box);
    }
    const CRay ray = PickRay();
    for (auto _ : state) {
        int hits = 0;
        for (const CAABB& box : boxes) {
            float distance = 0.0f;
            hits += RayIntersectAABB(ray, box, &distance);
        }
        benchmark::DoNotOptimize(hits);
    }
}
BENCHMARK(BM_PickEntityLimit_SlabWalk)->Unit(benchmark::kMicrosecond);

std::vector<Game::BlockPosition> Brush()
{
    std::vector<Game::BlockPosition> brush;
    for (unsigned d = 100; d < 105; ++d)
        for (unsigned w = 118; w < 123; ++w) // straddles two slices
            brush.emplace_back(w, d, 0);
    return brush;
}

// Undo restores the cells the raise recorded (every cell of each raised column that changed);
// the raise that is undone is not timed.
void BM_TerrainUndo5x5On250x250x10(benchmark::State& state)
{
    StartOnce();
    benchsupport::QuietStdout quiet;
    Game::CTerrain terrain(250, 250, 10, 4.0f, CVector3D(0.0f, 0.0f, 0.0f));
    const std::vector<Game::BlockPosition> brush = Brush();
    std::vector<Game::TerrainCell> before, changed;
    for (const Game::BlockPosition& column : brush)
        for (unsigned h = 0; h < Game::MAX_HEIGHT; ++h)
            before.push_back(terrain.GetCell(Game::BlockPosition(column.mBlockWidth, column.mBlockDepth, h)));
    for (auto _ : state) {
        state.PauseTiming();
        terrain.RaiseColumns(brush, 1, CVector3D(200.0f, 10.0f, 10.0f));
        changed.clear();
        for (const Game::TerrainCell& cell : before)
            if (cell != terrain.GetCell(cell.position))
                changed.push_back(cell);
        state.ResumeTiming();
        terrain.RestoreCells(changed);
    }
    state.counters["cells"] = double(changed.size());
}
BENCHMARK(BM_TerrainUndo5x5On250x250x10)->Unit(benchmark::kMicrosecond);

// The limit: copying the cube data (position and colour) of the two slices of 10 x 250 x 10 cubes
// the undo touches.
void BM_TerrainUndoLimit_CopyTwoSlices(benchmark::State& state)
{
    const size_t bytes = 2 * 10 * 250 * 10 * 2 * sizeof(CVector3D);
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}
BENCHMARK(BM_TerrainUndoLimit_CopyTwoSlices)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
