// Voxel-cube model costs: hidden-cube removal on large solid, hollow and sparse models, reading a
// one-million-cube ".vskc" file beside the scanner alone and a plain read of the same file, and
// one frame of instance records, on the CPU alone and with the upload to the graphics device
// (headless driver).
#include "BenchSupport.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeRenderer.h"
#include "game/voxel/CubeRendererState.h"
#include "game/voxel/VskcScanner.h"

#include "platform/win/RegularFile.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

using Game::CubeSubmesh;
using Game::CVeskCubeMesh;

using benchsupport::QuietStdout;

namespace {

enum class Shape { Solid, Hollow, Sparse };

std::vector<CVector3D> Cubes(Shape shape, int n)
{
    std::vector<CVector3D> cubes;
    if (shape == Shape::Sparse) {
        for (int i = 0; i < n; ++i)
            cubes.push_back(CVector3D(float(i), float(i), float(i)));
        return cubes;
    }
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            for (int z = 0; z < n; ++z) {
                const bool surface = x == 0 || y == 0 || z == 0 || x == n - 1 || y == n - 1 || z == n - 1;
                if (shape == Shape::Solid || surface)
                    cubes.push_back(CVector3D(float(x), float(y), float(z)));
            }
    return cubes;
}

CubeSubmesh* Fill(CVeskCubeMesh& mesh, const std::string& name, const std::vector<CVector3D>& cubes)
{
    CubeSubmesh* s = mesh.CreateSubmesh(name);
    s->restPositions = cubes;
    s->colours.assign(cubes.size(), CVector3D(200, 100, 50));
    s->cubeCount = static_cast<int>(cubes.size());
    return s;
}

void BM_RemoveHiddenCubes(benchmark::State& state, Shape shape)
{
    QuietStdout quiet;
    CVeskCubeMesh mesh;
    CubeSubmesh* s = Fill(mesh, "model", Cubes(shape, 100));
    // The steady state: the first pass also sizes the per-cube drawing state once.
    mesh.RemoveHiddenCubes(s);
    for (auto _ : state)
        mesh.RemoveHiddenCubes(s);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s->restPositions.size()));
    state.counters["cubes"] = static_cast<double>(s->restPositions.size());
}
BENCHMARK_CAPTURE(BM_RemoveHiddenCubes, solid_100, Shape::Solid)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RemoveHiddenCubes, hollow_100, Shape::Hollow)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RemoveHiddenCubes, sparse_100, Shape::Sparse)->Unit(benchmark::kMicrosecond);

// A one-million-cube model written to the temporary folder for the three reading benchmarks, and
// removed at exit. Empty when it cannot be written.
const std::string& MillionCubeFile()
{
    static const std::string path = [] {
        QuietStdout quiet;
        std::string file = (std::filesystem::temp_directory_path() / "bench_voxel_million.vskc").string();
        CVeskCubeMesh mesh;
        Fill(mesh, "block", Cubes(Shape::Solid, 100));
        if (!mesh.Save(file))
            return std::string();
        std::atexit([] { std::remove(MillionCubeFile().c_str()); });
        return file;
    }();
    return path;
}

// The three figures of a model file, each in bytes of the file per second: the whole load (with
// hidden-cube removal and bounds), the scanner alone over the same text, and a plain read of the
// file (the physical limit of every reader).
void BM_LoadMillionCubeFile(benchmark::State& state)
{
    QuietStdout quiet;
    const std::string& path = MillionCubeFile();
    if (path.empty()) {
        state.SkipWithError("cannot write the model file");
        return;
    }
    for (auto _ : state) {
        CVeskCubeMesh mesh;
        benchmark::DoNotOptimize(mesh.Load(path));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(std::filesystem::file_size(path)));
}
BENCHMARK(BM_LoadMillionCubeFile)->Unit(benchmark::kMillisecond);

void BM_ScanMillionCubeFile(benchmark::State& state)
{
    std::string text, error;
    if (MillionCubeFile().empty() || !win::ReadRegularFile(MillionCubeFile(), text, error)) {
        state.SkipWithError("cannot read the model file");
        return;
    }
    for (auto _ : state) {
        Game::VskcScanner in(text);
        float value = 0.0f, sum = 0.0f;
        std::string_view word;
        for (;;) {
            const Game::VskcScanner::Result result = in.ReadFloat(value);
            if (result == Game::VskcScanner::Result::End)
                break;
            if (result == Game::VskcScanner::Result::Ok)
                sum += value;
            else if (!in.ReadWord(word))
                break;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ScanMillionCubeFile)->Unit(benchmark::kMillisecond);

void BM_ReadMillionCubeFile(benchmark::State& state)
{
    std::string text, error;
    for (auto _ : state) {
        if (MillionCubeFile().empty() || !win::ReadRegularFile(MillionCubeFile(), text, error)) {
            state.SkipWithError("cannot read the model file");
            return;
        }
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_ReadMillionCubeFile)->Unit(benchmark::kMillisecond);

// A frame's worth of cubes, every one of them visible: 1,000 model cubes in each of `parts` posed
// submeshes and 1,500 terrain cubes in each of `slices` slices. 30 and 10 fill the buffers.
struct FullFrame {
    CVeskCubeMesh model;
    CVeskCubeMesh terrain;

    explicit FullFrame(int parts = 30, int slices = 10)
    {
        CubeSubmesh* previous = nullptr;
        for (int i = 0; i < parts; ++i) {
            std::vector<CVector3D> slab;
            for (int x = 0; x < 50; ++x)
                for (int z = 0; z < 20; ++z)
                    slab.push_back(CVector3D(float(x), float(i), float(z)));
            CubeSubmesh* s = Fill(model, "part" + std::to_string(100 + i), slab);
            model.RemoveHiddenCubes(s);
            if (previous)
                model.SetSubmeshParent(s, previous);
            previous = s;
        }
        terrain.SetTerrainFlag(1);
        for (int i = 0; i < slices; ++i) {
            std::vector<CVector3D> slice;
            for (int x = 0; x < 10; ++x)
                for (int z = 0; z < 150; ++z)
                    slice.push_back(CVector3D(float(10 * i + x), 0.0f, float(z)));
            terrain.RemoveHiddenCubes(Fill(terrain, "slice" + std::to_string(i), slice));
        }
        model.ComputeBounds();
        terrain.ComputeBounds();
    }

    void Emit(const Game::CubeDrawTarget& target)
    {
        model.EmitInstances(target);
        terrain.EmitInstances(target);
    }
};

bool Filled(const Game::CubeDrawTarget& target)
{
    return target.modelBuffer->count == 30000 && target.terrainBuffer->count == 15000;
}

// The records alone, written into memory of the buffers' size.
void BM_EmitFullFrame(benchmark::State& state)
{
    QuietStdout quiet;
    FullFrame frame;
    std::vector<Game::CubeInstance> modelStorage(30000), terrainStorage(15000);
    Game::CubeInstanceBuffer modelBuffer{modelStorage.data(), 0, 30000};
    Game::CubeInstanceBuffer terrainBuffer{terrainStorage.data(), 0, 15000};
    Game::CubeDrawTarget target;
    target.modelBuffer = &modelBuffer;
    target.terrainBuffer = &terrainBuffer;
    for (auto _ : state) {
        modelBuffer.count = terrainBuffer.count = 0;
        frame.Emit(target);
        benchmark::DoNotOptimize(modelStorage.data());
    }
    if (!Filled(target))
        state.SkipWithError("the buffers were not filled");
    state.SetItemsProcessed(state.iterations() * 45000);
}
BENCHMARK(BM_EmitFullFrame)->Unit(benchmark::kMillisecond);

// The renderer's frame: lock both instance buffers, append the records, hand both buffers to the
// device (the upload a draw starts with). Argument: the records, 2,500 (one part and one slice)
// or 45,000 (full buffers); BM_CopyRecords copies the same bytes in memory.
void BM_EmitAndUploadFrame(benchmark::State& state)
{
    const int records = static_cast<int>(state.range(0));
    const int parts = records >= 45000 ? 30 : 1, slices = records >= 45000 ? 10 : 1;
    QuietStdout quiet;
    Vesk::CCameraManager::GetInstance().Init();
    if (!Vesk::CWindowSystem::GetInstance().CreateMainWindow(10, 10, 500, 280, "bench", false) ||
        !Vesk::CRenderer::GetInstance().Init()) {
        state.SkipWithError("no graphics device");
        return;
    }
    Game::InitCubeRenderer(30000, 15000);
    Game::cuberenderer::State& renderer = Game::cuberenderer::GetState();
    FullFrame frame(parts, slices);
    for (auto _ : state) {
        Game::ClearCubeInstances();
        frame.Emit(Game::GetCubeDrawTarget());
        Game::cuberenderer::UploadRecords(renderer.model);
        Game::cuberenderer::UploadRecords(renderer.terrain);
    }
    if (Game::GetModelCubeInstances().count + Game::GetTerrainCubeInstances().count != records)
        state.SkipWithError("not the expected record count");
    state.SetItemsProcessed(state.iterations() * records);
    state.SetBytesProcessed(state.iterations() * records * static_cast<int64_t>(sizeof(Game::CubeInstance)));
    Game::ReleaseCubeRenderer();
    Vesk::CRenderer::GetInstance().Shutdown();
    Vesk::CWindowSystem::GetInstance().DestroyMainWindow();
}
BENCHMARK(BM_EmitAndUploadFrame)->Arg(2500)->Arg(45000)->Unit(benchmark::kMicrosecond);

// The anchor of the frame's upload: a plain copy of the same record bytes.
void BM_CopyRecords(benchmark::State& state)
{
    const std::size_t bytes = static_cast<std::size_t>(state.range(0)) * sizeof(Game::CubeInstance);
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}
BENCHMARK(BM_CopyRecords)->Arg(2500)->Arg(45000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    // Headless unless told otherwise.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
