// The level editor's terrain brush on a 250 x 250 x 10 terrain: one stroke (build, remove or paint
// over a box, circle or diamond region, with the slice rebuild and the physics update it causes),
// median and slowest of 1,000 at random places; the physics step on that terrain after 1,000
// strokes against the same terrain with its physics built afresh, as a load makes it; and one free
// of the engine's box-shape pool with few and with many boxes in it. Physical anchors beside them:
// copying the cube data of the slices a stroke touches, and a heap new and delete of a box's size.
#include "BenchSupport.h"
#include "game/editor/LEMessagePackets.h"
#include "game/terrain/CTerrain.h"
#include "game/terrain/TerrainSlices.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"

#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>
#include <vector>

using Game::BlockPosition;
using Game::CTerrain;

using benchsupport::QuietStdout;

namespace {

constexpr unsigned kStrokes = 1000;
constexpr unsigned kGround = 10; // the terrain is 250 x 250 x 10
constexpr float kStep = 1.0f / 60.0f;

enum Shape { kBox, kCircle, kDiamond };
enum Operation { kBuild, kRemove, kPaint };

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

struct Random {
    uint32_t seed = 12345u;
    unsigned Below(unsigned n)
    {
        seed = seed * 1664525u + 1013904223u;
        return unsigned((uint64_t(seed >> 8) * n) >> 24);
    }
};

// The brush's region around the selected block c, as the terrain tool builds it: size is the
// brush's span in blocks (the box's width and depth, twice the circle's radius, twice the
// diamond's side less one), one layer high.
std::vector<BlockPosition> Region(Shape shape, unsigned size, const BlockPosition& c)
{
    std::vector<BlockPosition> out;
    const unsigned half = size / 2;
    switch (shape) {
    case kBox:
        Game::AppendBoxRegion(out, c,
                              BlockPosition(std::min(c.mBlockWidth + size, Game::MAX_WIDTH),
                                            std::min(c.mBlockDepth + size, Game::MAX_DEPTH), c.mBlockHeight + 1));
        break;
    case kCircle: Game::AppendCircleRegion(out, c, half, 1, Game::MAX_WIDTH, Game::MAX_DEPTH, Game::MAX_HEIGHT); break;
    case kDiamond:
        Game::AppendDiamondRegion(out, c, half + 1, 1, Game::MAX_WIDTH, Game::MAX_DEPTH, Game::MAX_HEIGHT);
        break;
    }
    return out;
}

// A random selected block on the ground's top layer; the box brush grows from its corner, the
// others from their centre.
BlockPosition RandomCentre(Random& random, Shape shape, unsigned size)
{
    const unsigned span = shape == kBox ? Game::MAX_WIDTH - std::min(size, Game::MAX_WIDTH - 1) : Game::MAX_WIDTH;
    return BlockPosition(random.Below(span), random.Below(span), kGround - 1);
}

const CVector3D kColours[] = {{200.0f, 40.0f, 40.0f}, {40.0f, 200.0f, 40.0f}, {40.0f, 40.0f, 200.0f}};

void Apply(CTerrain& terrain, Operation op, const std::vector<BlockPosition>& region, unsigned stroke)
{
    switch (op) {
    case kBuild: terrain.RaiseColumns(region, 1, kColours[stroke % 3]); break;
    case kRemove: terrain.DigColumns(region, 1); break;
    case kPaint: terrain.PaintBlocks(region, kColours[stroke % 3]); break;
    }
}

// Puts back what a build or a removal changed, untimed, so that every stroke meets the same ground.
void Undo(CTerrain& terrain, Operation op, const std::vector<BlockPosition>& region)
{
    if (op == kBuild)
        terrain.DigColumns(region, 1);
    else if (op == kRemove)
        terrain.RaiseColumns(region, 1, CVector3D(255.0f, 255.0f, 255.0f));
}

// Each stroke's time on the clock and in processor time (the latter unaffected by other programs
// taking the processor away on a busy machine).
struct StrokeTimes {
    std::vector<double> wall, cpu;

    template <typename Stroke>
    void Time(Stroke stroke)
    {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        stroke();
        cpu.push_back(1000.0 * double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        wall.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }

    void Report(benchmark::State& state)
    {
        std::sort(wall.begin(), wall.end());
        std::sort(cpu.begin(), cpu.end());
        state.counters["median_ms"] = wall[wall.size() / 2];
        state.counters["slowest_ms"] = wall.back();
        state.counters["cpu_median_ms"] = cpu[cpu.size() / 2];
        state.counters["cpu_slowest_ms"] = cpu.back();
    }
};

// The pool's figures come first, while only they have filled it.
// One box back to the engine's pool (and one taken, so the pool keeps its size), with the pool
// holding range(0) boxes. The box freed is one of 128 spread evenly over the pool, so its page is
// anywhere among the pool's while the memory touched stays the same at every size: what grows
// with the pool is only the work of finding the page.
void BM_BoxPoolFree(benchmark::State& state)
{
    InitWorld();
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    std::vector<btBoxShape*> live(std::size_t(state.range(0)));
    for (btBoxShape*& box : live)
        box = physics.CreateBoxShape(CVector3D(1.0f, 1.0f, 1.0f));
    Random random;
    const std::size_t spread = live.size() / 128;
    for (auto _ : state) {
        const std::size_t i = random.Below(128) * spread;
        physics.ReleaseBoxShape(live[i]);
        live[i] = physics.CreateBoxShape(CVector3D(1.0f, 1.0f, 1.0f));
    }
    for (btBoxShape* box : live)
        physics.ReleaseBoxShape(box);
    state.counters["pages"] = double(physics.GetBoxShapeStatistics().pagesInUse);
}
BENCHMARK(BM_BoxPoolFree)->Arg(128)->Arg(16384)->Arg(1 << 20);

// The anchor: a heap new and delete of a box's size, picked as above among as many live ones.
void BM_HeapFree(benchmark::State& state)
{
    InitWorld();
    const std::size_t size = Vesk::CPhysicsSystem::GetInstance().GetBoxShapeStatistics().objectSize;
    std::vector<char*> live(std::size_t(state.range(0)));
    for (char*& p : live)
        p = new char[size];
    Random random;
    const std::size_t spread = live.size() / 128;
    for (auto _ : state) {
        const std::size_t i = random.Below(128) * spread;
        delete[] live[i];
        live[i] = new char[size];
        benchmark::DoNotOptimize(live[i]);
    }
    for (char* p : live)
        delete[] p;
}
BENCHMARK(BM_HeapFree)->Arg(128)->Arg(16384)->Arg(1 << 20);

// Arguments: shape, operation, brush span.
void BM_TerrainStroke(benchmark::State& state)
{
    InitWorld();
    QuietStdout quiet;
    const Shape shape = Shape(state.range(0));
    const Operation op = Operation(state.range(1));
    const unsigned size = unsigned(state.range(2));
    CTerrain terrain(Game::MAX_WIDTH, Game::MAX_DEPTH, kGround, 4.0f, CVector3D());
    const std::size_t freshBoxes = terrain.GetBody()->GetChildCount();
    StrokeTimes times;
    std::size_t cells = 0;
    for (auto _ : state) {
        Random random;
        times = StrokeTimes();
        for (unsigned stroke = 0; stroke < kStrokes; ++stroke) {
            const std::vector<BlockPosition> region = Region(shape, size, RandomCentre(random, shape, size));
            cells = std::max(cells, region.size());
            times.Time([&] { Apply(terrain, op, region, stroke); });
            Undo(terrain, op, region);
        }
    }
    times.Report(state);
    state.counters["cells"] = double(cells);
    state.counters["boxes_fresh"] = double(freshBoxes);
    state.counters["boxes_after"] = double(terrain.GetBody()->GetChildCount());
}

void StrokeArguments(benchmark::internal::Benchmark* b)
{
    for (int shape : {kBox, kCircle, kDiamond})
        for (int op : {kBuild, kRemove, kPaint})
            for (int size : {25, 51, 250})
                b->Args({shape, op, size});
}
BENCHMARK(BM_TerrainStroke)->Apply(StrokeArguments)->Iterations(1)->Unit(benchmark::kMillisecond);

// The least a stroke over the span does: copy the positions and colours of the slices it covers once.
void BM_CopyStrokeSlices(benchmark::State& state)
{
    const std::size_t slices = std::min<std::size_t>(25, std::size_t(state.range(0)) / 10 + 2);
    const std::size_t cubes = slices * 10 * Game::MAX_DEPTH * kGround;
    const std::vector<CVector3D> from(2 * cubes);
    std::vector<CVector3D> to(2 * cubes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), to.size() * sizeof(CVector3D));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.counters["cubes"] = double(cubes);
}
BENCHMARK(BM_CopyStrokeSlices)->Arg(25)->Arg(51)->Arg(250)->Unit(benchmark::kMillisecond);

// Characters standing about the terrain: boxes kept awake, dropped onto it and settled.
class Crowd {
public:
    explicit Crowd(unsigned side)
    {
        Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
        physics.SetGravity(CVector3D(0.0f, -30.0f, 0.0f));
        for (unsigned i = 0; i < side; ++i)
            for (unsigned j = 0; j < side; ++j) {
                auto body = std::make_unique<Vesk::CRigidBody>(CVector3D(2.0f, 3.0f, 2.0f), nullptr, 1.0f, false);
                physics.AddRigidBody(body.get(), 1, -1);
                const float step = 1000.0f / float(side);
                body->SetPosition(
                    CVector3D(step * (float(i) + 0.5f), 4.0f * Game::MAX_HEIGHT + 4.0f, step * (float(j) + 0.5f)));
                body->SetActivationState(Vesk::ACTIVATION_NEVER_SLEEPS);
                m_Bodies.push_back(std::move(body));
            }
        for (int i = 0; i < 300; ++i)
            Frame();
    }
    static void Frame()
    {
        Vesk::CPhysicsSystem::GetInstance().StepSimulation(kStep, 1, kStep);
        Vesk::CPhysicsSystem::GetInstance().ProcessCollisions();
    }

private:
    std::vector<std::unique_ptr<Vesk::CRigidBody>> m_Bodies;
};

// 1,000 strokes of every shape and operation at random places and spans up to 51, none undone.
void EditAThousandTimes(CTerrain& terrain)
{
    Random random;
    for (unsigned stroke = 0; stroke < kStrokes; ++stroke) {
        const Shape shape = Shape(random.Below(3));
        const unsigned size = 1 + random.Below(51);
        BlockPosition c = RandomCentre(random, shape, size);
        terrain.FindColumnTop(c);
        c.mBlockHeight = c.mBlockHeight > 0 ? c.mBlockHeight - 1 : 0;
        Apply(terrain, Operation(random.Below(3)), Region(shape, size, c), stroke);
    }
}

// Argument: 0 the slab as loaded; 1 after 1,000 strokes; 2 the same edited terrain with its
// physics built afresh (as loading the saved terrain would).
void BM_TerrainPhysicsStep(benchmark::State& state)
{
    InitWorld();
    QuietStdout quiet;
    CTerrain terrain(Game::MAX_WIDTH, Game::MAX_DEPTH, kGround, 4.0f, CVector3D());
    if (state.range(0) >= 1)
        EditAThousandTimes(terrain);
    if (state.range(0) == 2)
        terrain.BuildPhysics();
    Crowd crowd(10);
    for (auto _ : state)
        Crowd::Frame();
    state.counters["boxes"] = double(terrain.GetBody()->GetChildCount());
    state.counters["blocks"] = double(terrain.GetBlockCount());
    state.counters["manifolds"] = double(Vesk::CPhysicsSystem::GetInstance().GetContactManifoldCount());
}
BENCHMARK(BM_TerrainPhysicsStep)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
