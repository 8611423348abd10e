// The simulation of a play frame with a crowd: level 1 in the play state with the player and N
// kobold minions (10 to 2,000) standing on a lattice 5.5 units apart that fills the floor outwards
// from the player, so the crowd's density stays the same as it grows and the nearest of every
// crowd see the player and close in on it, as a wave does. One frame is what the game
// manager runs besides drawing: the collision pass, the play state's update (controllers, shared
// group controllers, entities, waves), the triggers, the physics step and the animations. Each run
// reports the CPU time per frame and per enemy; the anchor walks the same live entities once,
// reading each one's position, and reports the same two figures. The frames are counted, not
// timed, so every build runs the same simulation. Headless (offscreen video, dummy audio); it
// works in the project's bin/ directory. Build it in a release build.
#include "BenchSupport.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/states/GameStates.h"

#include "frame/CGameManager.h"
#include "math/Random.h"
#include "physics/CPhysicsSystem.h"
#include "scene/CSceneGraph.h"
#include "triggers/CTriggerManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

constexpr float kFrame = 1.0f / 60.0f;
constexpr int kWarmUpFrames = 120;
constexpr int kTimedFrames = 120;
// The floor of level 1 inside its barriers, and the lattice the kobolds stand on.
constexpr float kFloorMinX = 8.0f, kFloorMaxX = 392.0f, kFloorMinZ = 8.0f, kFloorMaxZ = 192.0f;
constexpr float kSpacing = 5.5f;
constexpr float kStandHeight = 10.0f;

Vesk::CGameManager& Game() { return Vesk::CGameManager::GetInstance(); }

bool StartGame()
{
    static const bool started = benchsupport::StartGameManager(kFrame);
    return started;
}

// The lattice points of the floor nearest to the player, nearest first; its own spot stays free.
std::vector<CVector3D> CrowdPlaces(int count, const CVector3D& player)
{
    const CVector3D centre(player.x, kStandHeight, player.z);
    std::vector<CVector3D> places;
    for (float x = kFloorMinX; x <= kFloorMaxX; x += kSpacing)
        for (float z = kFloorMinZ; z <= kFloorMaxZ; z += kSpacing)
            if (DistanceSquared(CVector3D(x, kStandHeight, z), centre) >= kSpacing * kSpacing)
                places.emplace_back(x, kStandHeight, z);
    std::stable_sort(places.begin(), places.end(), [&](const CVector3D& a, const CVector3D& b) {
        return DistanceSquared(a, centre) < DistanceSquared(b, centre);
    });
    places.resize(std::min(places.size(), static_cast<size_t>(count)));
    return places;
}

void SimulateFrame()
{
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    physics.ProcessCollisions();
    Game().GetCurrentState()->Update(kFrame);
    Vesk::CTriggerManager::GetInstance().Update(kFrame);
    physics.StepSimulation(kFrame, 1, kFrame);
    Vesk::CSceneGraph::GetInstance().AdvanceAnimations(kFrame);
}

// A fresh play of level 1 with the crowd, run past its first frames, unless the crowd of that size
// is already playing; false when it did not start.
bool StartCrowd(int count)
{
    static int playing = -1;
    if (count == playing)
        return true;
    playing = -1;
    // Hidden-cube removal reports its counts on standard output as the level's models load.
    benchsupport::QuietStdout quiet;
    if (!StartGame())
        return false;
    // A change of state while one runs waits for the end of the next frame.
    const bool running = Game().GetCurrentState() != nullptr;
    Game().ChangeState(new Game::CPlayState("CPlayState", 1));
    if (running)
        Game().Update();
    SeedRandom(29);
    const Game::CEntity* player = Game::CEntityFactory::GetInstance().GetEntityByName("player");
    if (!player)
        return false;
    const std::vector<CVector3D> places = CrowdPlaces(count, player->GetPosition());
    if (static_cast<int>(places.size()) < count)
        return false;
    const Game::EntitySetting prefab =
        Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "koboldminion");
    Game::CEntityFactory& factory = Game::CEntityFactory::GetInstance();
    for (const CVector3D& place : places) {
        Game::EntitySetting setting = prefab;
        setting.m_StartPosition = place;
        factory.CreateEntity(Game::GENERIC_CHARACTER, factory.MakeEntityName(Game::GENERIC_CHARACTER), setting);
    }
    for (int i = 0; i < kWarmUpFrames; ++i)
        SimulateFrame();
    playing = count;
    return true;
}

void ReportPerEnemy(benchmark::State& state, int count)
{
    state.counters["enemies"] = count;
    state.counters["per enemy"] = benchsupport::TimePerItem(count);
    state.counters["live"] = static_cast<double>(Game::CEntityFactory::GetInstance().GetLiveEntities().size());
}

void BM_CrowdSimulationFrame(benchmark::State& state, int count)
{
    if (!StartCrowd(count)) {
        state.SkipWithError("level 1 or its crowd did not start");
        return;
    }
    for (auto _ : state)
        SimulateFrame();
    ReportPerEnemy(state, count);
}

void BM_CrowdEntityWalk_Anchor(benchmark::State& state, int count)
{
    if (!StartCrowd(count)) {
        state.SkipWithError("level 1 or its crowd did not start");
        return;
    }
    for (auto _ : state) {
        CVector3D sum;
        for (const auto& entry : Game::CEntityFactory::GetInstance().GetLiveEntities())
            sum += entry.second->GetPosition();
        benchmark::DoNotOptimize(sum);
    }
    ReportPerEnemy(state, count);
}

} // namespace

// Each crowd size's frames, then the walk of the same crowd.
int main(int argc, char** argv)
{
    for (int count : {10, 50, 200, 1000, 2000}) {
        const std::string size = "/" + std::to_string(count);
        benchmark::RegisterBenchmark(("BM_CrowdSimulationFrame" + size).c_str(), BM_CrowdSimulationFrame, count)
            ->Iterations(kTimedFrames)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("BM_CrowdEntityWalk_Anchor" + size).c_str(), BM_CrowdEntityWalk_Anchor, count)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
