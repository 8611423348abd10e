// Leaving a GUI screen: a screen file of N display elements (5,000 to 20,000, a thousand names
// shared among them, spread over four layers) is loaded through the GUI manager outside the
// timing, and its elements are taken off their layers, unregistered and deleted as a state does
// when it exits. The anchor deletes as many elements that were never on a layer nor registered.
// Both report the time per element. Run from anywhere: it works in the project's bin/ directory.
#include "BenchSupport.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CUIDisplay2D.h"

#include "ui2d/CDisplay2DSystem.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kNames = 1000;
constexpr int kLayers = 4;

std::string ScreenFile(int count)
{
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("thrummock_bench_screen_" + std::to_string(count) + ".xml");
    std::ofstream out(path);
    out << "<menu>\n";
    for (int i = 0; i < count; ++i)
        out << "<display name=\"item" << i % kNames << "\" position=\"0.5 0.5\" layer=\"" << i % kLayers << "\"/>\n";
    out << "</menu>\n";
    return path.string();
}

void PerElement(benchmark::State& state, int count)
{
    state.counters["per element"] = benchsupport::TimePerItem(count);
}

void BM_LeaveScreen(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    const std::string path = ScreenFile(count);
    Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
    std::vector<Vesk::CDisplayObject2D*> elements;
    std::vector<int> layers;
    for (auto _ : state) {
        state.PauseTiming();
        elements.clear();
        layers.clear();
        gui.LoadGui(elements, layers, path);
        if (static_cast<int>(elements.size()) != count) {
            state.SkipWithError("the screen file did not load");
            break;
        }
        state.ResumeTiming();
        gui.DestroyElements(elements, layers);
    }
    PerElement(state, count);
    std::filesystem::remove(path);
}

void BM_DeleteUnlistedElements_Anchor(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    std::vector<Game::CUIDisplay2D*> elements;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < count; ++i)
            elements.push_back(new Game::CUIDisplay2D("item" + std::to_string(i % kNames)));
        state.ResumeTiming();
        for (Game::CUIDisplay2D* element : elements)
            delete element;
        elements.clear();
    }
    PerElement(state, count);
}

} // namespace

BENCHMARK(BM_LeaveScreen)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DeleteUnlistedElements_Anchor)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
