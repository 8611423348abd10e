// The simulation of a play frame with a crowd: level 1 in the play state with the player and N
// kobold minions (10 to 2,000) standing on a lattice 5.5 units apart, in two scenarios:
// - Converging: the lattice fills the floor outwards from the floor's centre, and the crowd
//   closes in on the player and piles up around it, as a whole level's enemies do.
// - Spread: the lattice fills the floor outwards from the player, so the crowd's density stays
//   the same as it grows and only the nearest of it reach the player, as a wave does.
// One frame is what the game manager runs besides drawing: the collision pass, the play state's
// update (controllers, shared group controllers, entities, waves), the triggers, the physics step
// and the animations. Each run reports the CPU time per frame and per enemy, split into the
// physics library's part (the collision pass and the step: "physics ms") and the game's own
// (everything else: "game ms"), each per frame. Beside them, the contact load the physics
// library meets after the last frame, per enemy: overlapping broadphase pairs ("pairs"), contact
// manifolds ("manifolds") and pairs of bodies touching ("touches"), and the physics time per
// manifold ("physics ns/manifold"), a measure of the physics cost that a denser pile does not
// raise by itself. The anchor walks the same live entities once,
// reading each one's position, and reports the time per frame and per entity. The frames are
// counted, not timed, so every build runs the same simulation. Headless (offscreen video, dummy
// audio); it works in the project's bin/ directory. Build it in a release build.
#include "BenchSupport.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/states/GameStates.h"

#include "frame/CGameManager.h"
#include "math/Random.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "scene/CSceneGraph.h"
#include "triggers/CTriggerManager.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <ctime>
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

enum class Scenario { Converging, Spread };

const char* ScenarioName(Scenario scenario) { return scenario == Scenario::Converging ? "Converging" : "Spread"; }

// The lattice points of the floor nearest to `from`, nearest first; the player's spot stays free.
std::vector<CVector3D> CrowdPlaces(int count, const CVector3D& from, const CVector3D& player)
{
    const CVector3D centre(from.x, kStandHeight, from.z);
    const CVector3D playerSpot(player.x, kStandHeight, player.z);
    std::vector<CVector3D> places;
    for (float x = kFloorMinX; x <= kFloorMaxX; x += kSpacing)
        for (float z = kFloorMinZ; z <= kFloorMaxZ; z += kSpacing)
            if (DistanceSquared(CVector3D(x, kStandHeight, z), playerSpot) >= kSpacing * kSpacing)
                places.emplace_back(x, kStandHeight, z);
    std::stable_sort(places.begin(), places.end(), [&](const CVector3D& a, const CVector3D& b) {
        return DistanceSquared(a, centre) < DistanceSquared(b, centre);
    });
    places.resize(std::min(places.size(), static_cast<size_t>(count)));
    return places;
}

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The thread's processor time spent in the physics library's part of the frames and in the rest.
struct FrameSplit {
    double physics = 0.0;
    double game = 0.0;
};

void SimulateFrame(FrameSplit& split)
{
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    const double start = ThreadSeconds();
    physics.ProcessCollisions();
    const double collided = ThreadSeconds();
    Game().GetCurrentState()->Update(kFrame);
    Vesk::CTriggerManager::GetInstance().Update(kFrame);
    const double updated = ThreadSeconds();
    physics.StepSimulation(kFrame, 1, kFrame);
    const double stepped = ThreadSeconds();
    Vesk::CSceneGraph::GetInstance().AdvanceAnimations(kFrame);
    const double end = ThreadSeconds();
    split.physics += (collided - start) + (stepped - updated);
    split.game += (updated - collided) + (end - stepped);
}

// A fresh play of level 1 with the crowd, run past its first frames, unless that crowd is already
// playing; false when it did not start.
bool StartCrowd(Scenario scenario, int count)
{
    static int playing = -1;
    static Scenario playingScenario = Scenario::Converging;
    if (count == playing && scenario == playingScenario)
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
    const CVector3D floorCentre((kFloorMinX + kFloorMaxX) / 2.0f, kStandHeight, (kFloorMinZ + kFloorMaxZ) / 2.0f);
    const CVector3D from = scenario == Scenario::Converging ? floorCentre : player->GetPosition();
    const std::vector<CVector3D> places = CrowdPlaces(count, from, player->GetPosition());
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
    FrameSplit warmUp;
    for (int i = 0; i < kWarmUpFrames; ++i)
        SimulateFrame(warmUp);
    playing = count;
    playingScenario = scenario;
    return true;
}

void ReportPerEnemy(benchmark::State& state, int count)
{
    state.counters["enemies"] = count;
    state.counters["per enemy"] = benchsupport::TimePerItem(count);
    state.counters["live"] = static_cast<double>(Game::CEntityFactory::GetInstance().GetLiveEntities().size());
}

// The pairs, manifolds and touches of the last frame per enemy, and the physics time per manifold.
void ReportContactLoad(benchmark::State& state, int count, double physicsSecondsPerFrame)
{
    const Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    size_t touches = 0;
    for (const Vesk::CRigidBody* body : physics.GetBodies())
        touches += body->GetContactInfo().m_TouchingBodies.size();
    const double manifolds = physics.GetContactManifoldCount();
    state.counters["pairs"] = physics.GetOverlappingPairCount() / static_cast<double>(count);
    state.counters["manifolds"] = manifolds / count;
    // Each touch is recorded on both bodies.
    state.counters["touches"] = static_cast<double>(touches) / 2.0 / count;
    if (manifolds > 0.0)
        state.counters["physics ns/manifold"] = physicsSecondsPerFrame * 1e9 / manifolds;
}

void BM_CrowdSimulationFrame(benchmark::State& state, Scenario scenario, int count)
{
    if (!StartCrowd(scenario, count)) {
        state.SkipWithError("level 1 or its crowd did not start");
        return;
    }
    FrameSplit split;
    for (auto _ : state)
        SimulateFrame(split);
    ReportPerEnemy(state, count);
    state.counters["physics ms"] = benchmark::Counter(split.physics * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["game ms"] = benchmark::Counter(split.game * 1e3, benchmark::Counter::kAvgIterations);
    ReportContactLoad(state, count, split.physics / static_cast<double>(state.iterations()));
}

void BM_CrowdEntityWalk_Anchor(benchmark::State& state, Scenario scenario, int count)
{
    if (!StartCrowd(scenario, count)) {
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

// For each scenario, each crowd size's frames, then the walk of the same crowd.
int main(int argc, char** argv)
{
    for (Scenario scenario : {Scenario::Converging, Scenario::Spread})
        for (int count : {10, 50, 200, 1000, 2000}) {
            const std::string name = std::string("/") + ScenarioName(scenario) + "/" + std::to_string(count);
            benchmark::RegisterBenchmark(("BM_CrowdSimulationFrame" + name).c_str(), BM_CrowdSimulationFrame, scenario,
                                         count)
                ->Iterations(kTimedFrames)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("BM_CrowdEntityWalk_Anchor" + name).c_str(), BM_CrowdEntityWalk_Anchor,
                                         scenario, count)
                ->Unit(benchmark::kMicrosecond);
        }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
