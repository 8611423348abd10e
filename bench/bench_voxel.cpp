// Voxel-cube model costs: hidden-cube removal on large solid, hollow and sparse models, reading a
// one-million-cube ".vskc" file, and one frame of instance records at full buffer capacity.
#include "voxel/CVeskCubeMesh.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using Game::CubeSubmesh;
using Game::CVeskCubeMesh;

namespace {

// Hidden-cube removal reports its counts on standard output; the benchmark's own report must not
// drown in them.
class QuietStdout {
public:
    QuietStdout() : m_Saved(std::cout.rdbuf(m_Sink.rdbuf())) {}
    ~QuietStdout() { std::cout.rdbuf(m_Saved); }

private:
    std::ostringstream m_Sink;
    std::streambuf* m_Saved;
};

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
    for (auto _ : state)
        mesh.RemoveHiddenCubes(s);
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(s->restPositions.size()));
    state.counters["cubes"] = static_cast<double>(s->restPositions.size());
}
BENCHMARK_CAPTURE(BM_RemoveHiddenCubes, solid_100, Shape::Solid)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RemoveHiddenCubes, hollow_100, Shape::Hollow)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RemoveHiddenCubes, sparse_100, Shape::Sparse)->Unit(benchmark::kMicrosecond);

void BM_LoadMillionCubeFile(benchmark::State& state)
{
    QuietStdout quiet;
    const std::string path = "/tmp/bench_voxel_million.vskc";
    {
        CVeskCubeMesh mesh;
        Fill(mesh, "block", Cubes(Shape::Solid, 100));
        if (!mesh.Save(path)) {
            state.SkipWithError("cannot write the model file");
            return;
        }
    }
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const int64_t bytes = static_cast<int64_t>(in.tellg());
    for (auto _ : state) {
        CVeskCubeMesh mesh;
        benchmark::DoNotOptimize(mesh.Load(path));
    }
    state.SetBytesProcessed(state.iterations() * bytes);
    state.counters["file_MB"] = static_cast<double>(bytes) / 1e6;
    std::remove(path.c_str());
}
BENCHMARK(BM_LoadMillionCubeFile)->Unit(benchmark::kMillisecond);

// One frame at full capacity: 30,000 model records from 30 posed submeshes and 15,000 terrain
// records from 10 slices, after zeroing both buffers as the frame's clear does.
void BM_EmitFullFrame(benchmark::State& state)
{
    QuietStdout quiet;
    CVeskCubeMesh model;
    CubeSubmesh* previous = nullptr;
    for (int i = 0; i < 30; ++i) {
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
    CVeskCubeMesh terrain;
    terrain.SetTerrainFlag(1);
    for (int i = 0; i < 10; ++i) {
        std::vector<CVector3D> slice;
        for (int x = 0; x < 10; ++x)
            for (int z = 0; z < 150; ++z)
                slice.push_back(CVector3D(float(10 * i + x), 0.0f, float(z)));
        terrain.RemoveHiddenCubes(Fill(terrain, "slice" + std::to_string(i), slice));
    }
    model.ComputeBounds();
    terrain.ComputeBounds();

    std::vector<Game::CubeInstance> modelStorage(30000), terrainStorage(15000);
    Game::CubeInstanceBuffer modelBuffer{modelStorage.data(), 0, 30000};
    Game::CubeInstanceBuffer terrainBuffer{terrainStorage.data(), 0, 15000};
    Game::CubeDrawTarget target;
    target.modelBuffer = &modelBuffer;
    target.terrainBuffer = &terrainBuffer;
    for (auto _ : state) {
        modelBuffer.count = terrainBuffer.count = 0;
        std::memset(modelStorage.data(), 0, modelStorage.size() * sizeof(Game::CubeInstance));
        std::memset(terrainStorage.data(), 0, terrainStorage.size() * sizeof(Game::CubeInstance));
        model.EmitInstances(target);
        terrain.EmitInstances(target);
        benchmark::DoNotOptimize(modelStorage.data());
    }
    if (modelBuffer.count != 30000 || terrainBuffer.count != 15000)
        state.SkipWithError("the buffers were not filled");
    state.SetItemsProcessed(state.iterations() * (modelBuffer.count + terrainBuffer.count));
}
BENCHMARK(BM_EmitFullFrame)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
