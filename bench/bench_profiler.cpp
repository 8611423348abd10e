// Cost of timing one frame with the profiler: a frame start, the seven sections and the frame end
// on the real time-stamp counter. The whole frame should stay well under a microsecond.
#include "profiler/CFrameProfiler.h"

#include <benchmark/benchmark.h>

static void BM_ProfiledFrame(benchmark::State& state)
{
    Vesk::CFrameProfiler& profiler = Vesk::CFrameProfiler::GetInstance();
    profiler.Init();
    for (auto _ : state) {
        profiler.BeginFrame();
        for (int section = 0; section < Vesk::FRAME_SECTION_COUNT; ++section) {
            Vesk::CProfileScope scope(section);
        }
        profiler.EndFrame();
    }
    benchmark::DoNotOptimize(profiler.GetShare(Vesk::FRAME_AUDIO));
    profiler.Shutdown();
}
BENCHMARK(BM_ProfiledFrame);

BENCHMARK_MAIN();
