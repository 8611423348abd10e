// Frames per second of the renderer's frame skeleton: clear and present alone, and with 10,000
// queued debug lines flushed every frame. Runs on the headless driver unless a display is asked
// for through SDL_VIDEODRIVER.
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace Vesk;

namespace {

bool StartRenderer()
{
    static const bool started = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        return CCameraManager::GetInstance().Init() &&
               CWindowSystem::GetInstance().CreateMainWindow(0, 0, 800, 600, "bench", false) &&
               CRenderer::GetInstance().Init();
    }();
    return started;
}

void RunFrames(benchmark::State& state, int lines)
{
    if (!StartRenderer()) {
        state.SkipWithError("no renderer");
        return;
    }
    CRenderer& renderer = CRenderer::GetInstance();
    CCameraManager::GetInstance().GetCurrentCamera()->Reset();
    for (auto _ : state) {
        renderer.SetDefaultRenderStates();
        renderer.ClearViewport();
        for (int i = 0; i < lines; ++i) {
            const float x = static_cast<float>(i % 100) - 50.0f, y = static_cast<float>(i / 100) * 0.2f - 10.0f;
            renderer.DrawLine(CVector3D(x, y, 0.0f), CVector3D(x + 1.0f, y + 0.5f, 5.0f), 255, 200, 0);
        }
        renderer.RenderDebugLines();
        renderer.RenderDebugQuads();
        renderer.Present();
        // Reading a pixel waits for the frame to be drawn; without it the driver queues frames
        // and the figures only measure the queueing.
        benchmark::DoNotOptimize(renderer.GetDevice()->ReadPixels(0, 0, 1, 1));
    }
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_ClearAndPresent(benchmark::State& state) { RunFrames(state, 0); }
void BM_ClearPresentAnd10000DebugLines(benchmark::State& state) { RunFrames(state, 10000); }

BENCHMARK(BM_ClearAndPresent)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ClearPresentAnd10000DebugLines)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
