// One frame of play as the game runs it: the game manager's update (collisions, the play state's
// update of every game singleton, physics, animations, camera, audio, and the submission of the
// 3D scene with its instanced cubes and the 2D HUD to the renderer) on level 1 with the player and
// 20 kobold minions around it in the camera's view. The anchor is the physical limit of the
// frame's largest data transfer: a memcpy of as many bytes as the cube renderer uploads (model
// and terrain cube instances x the instance record), so the ratio of the two survives a noisy
// machine. The play frame also reports each frame section's mean share of its wall time.
// Headless (offscreen video, dummy audio) unless the environment asks for a display; it works in
// the project's bin/ directory. Build it in a release build for figures that mean anything.
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/states/GameStates.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CGameMaster.h"
#include "game/world/GameLifetime.h"

#include "audio/CAudioSystem.h"
#include "frame/CGameManager.h"
#include "profiler/CFrameProfiler.h"
#include "window/CWindowSystem.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kEnemies = 20;
constexpr float kFrame = 1.0f / 60.0f;
// Frames run before timing: the intro banner, the player's spawn grace and the minions landing.
constexpr int kWarmUpFrames = 240;

Vesk::CGameManager& Game() { return Vesk::CGameManager::GetInstance(); }

// The engine with the game's types, the play state on level 1 and the minions in a ring around
// the player; once per program.
bool StartPlay()
{
    static const bool started = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        std::filesystem::current_path(std::string(THRUMMOCK_SOURCE_DIR) + "/bin");
        Vesk::CGameManager& game = Game();
        game.SetFixedTimeStep(kFrame);
        if (!game.Init(10, 10, 500, 280, "Thrummock", false))
            return false;
        if (!Game::GameManagerTable().Start())
            return false;
        Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
        window.SetResolution(window.GetMaxScreenWidth(), window.GetMaxScreenHeight());
        Vesk::CAudioSystem::GetInstance().SetMasterVolume(0.0f);

        game.ChangeState(new Game::CPlayState("CPlayState", 1));
        Game::CEntity* player = Game::CEntityFactory::GetInstance().GetEntityByName("player");
        if (!player)
            return false;
        const CVector3D centre = player->GetPosition();
        const Game::EntitySetting prefab =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "koboldminion");
        for (int i = 0; i < kEnemies; ++i) {
            // Two rings, 15 and 30 units out, in the floor's plane.
            const float angle = 6.2831853f * static_cast<float>(i) / (kEnemies / 2);
            const float radius = i < kEnemies / 2 ? 15.0f : 30.0f;
            Game::EntitySetting setting = prefab;
            setting.m_StartPosition = centre + CVector3D(radius * std::cos(angle), 5.0f, radius * std::sin(angle));
            Game::CEntityFactory::GetInstance().CreateEntity(
                Game::GENERIC_CHARACTER, Game::CEntityFactory::GetInstance().MakeEntityName(Game::GENERIC_CHARACTER),
                setting);
        }
        for (int i = 0; i < kWarmUpFrames; ++i)
            game.Update();
        return true;
    }();
    return started;
}

int CubeInstancesDrawn() { return Game::GetModelCubeInstances().count + Game::GetTerrainCubeInstances().count; }

void BM_PlayFrameWithPlayerAnd20Enemies(benchmark::State& state)
{
    if (!StartPlay()) {
        state.SkipWithError("the game or level 1 did not start");
        return;
    }
    // Where the frame goes: each section's mean share (percent of the frame's wall time).
    double shares[Vesk::FRAME_SECTION_COUNT] = {};
    for (auto _ : state) {
        Game().Update();
        for (int i = 0; i < Vesk::FRAME_SECTION_COUNT; ++i)
            shares[i] += Vesk::CFrameProfiler::GetInstance().GetShare(i);
    }
    for (int i = 0; i < Vesk::FRAME_SECTION_COUNT; ++i)
        state.counters["%" + std::string(Vesk::CFrameProfiler::GetSectionName(i) + 6)] =
            shares[i] / static_cast<double>(state.iterations());
    state.counters["enemies"] = Game::CGameMaster::GetInstance().GetRemainingEnemyCount();
    state.counters["model cubes"] = Game::GetModelCubeInstances().count;
    state.counters["terrain cubes"] = Game::GetTerrainCubeInstances().count;
}

void BM_CubeInstanceUploadMemcpy_Anchor(benchmark::State& state)
{
    if (!StartPlay()) {
        state.SkipWithError("the game or level 1 did not start");
        return;
    }
    Game().Update();
    const size_t bytes = static_cast<size_t>(CubeInstancesDrawn()) * sizeof(Game::CubeInstance);
    std::vector<char> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
    state.counters["bytes"] = static_cast<double>(bytes);
}

} // namespace

BENCHMARK(BM_PlayFrameWithPlayerAnd20Enemies)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CubeInstanceUploadMemcpy_Anchor)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
