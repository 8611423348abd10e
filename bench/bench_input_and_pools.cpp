// Costs on the per-frame paths of this area: a pooled allocation and release against the heap's
// (the anchor), up to the 30,000 objects of a large scene, and one frame's gamepad poll of the
// four pads through SDL (no pad plugged in).
#include "core/CObjectAllocator.h"
#include "platform/pad/Pad.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

struct Payload {
    char bytes[208];
};

void BM_PoolAllocateRelease(benchmark::State& state)
{
    Vesk::CObjectAllocator<Payload> pool(16);
    std::vector<Payload*> live(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        for (Payload*& p : live)
            p = pool.Allocate();
        for (Payload* p : live)
            pool.Deallocate(p);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
// 30,000 objects: a large scene reset, where each release must not walk the free list.
BENCHMARK(BM_PoolAllocateRelease)->Arg(16)->Arg(256)->Arg(30000);

void BM_HeapNewDelete(benchmark::State& state)
{
    std::vector<Payload*> live(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        for (Payload*& p : live)
            p = new Payload;
        for (Payload* p : live)
            delete p;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_HeapNewDelete)->Arg(16)->Arg(256)->Arg(30000);

void BM_PadPollFourPads(benchmark::State& state)
{
    pad::State reading;
    pad::Keystroke keystroke;
    for (auto _ : state) {
        for (uint32_t i = 0; i < pad::kMaxPads; ++i)
            if (pad::GetState(i, reading) == pad::ERROR_SUCCESS)
                pad::GetKeystroke(i, keystroke);
    }
    pad::Shutdown();
}
BENCHMARK(BM_PadPollFourPads);

} // namespace

BENCHMARK_MAIN();
