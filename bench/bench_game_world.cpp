// Game-world costs with the shipped prefabs, pickups and voxel models: one frame in which ten
// enemies die at once, shatter and drop their pickups (anchored by the same frame in which
// nobody dies), and the enemy query over 500 live entities (anchored by a plain walk of the live
// list). Run from anywhere (with SDL_AUDIODRIVER=dummy when headless): it works in the project's
// bin/ directory.
#include "BenchSupport.h"
#include "game/base/CSlotHash.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/world/CGameMaster.h"
#include "game/world/TypeRegistration.h"

#include "audio/CAudioSystem.h"
#include "physics/CPhysicsSystem.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <vector>

namespace {

using Game::CCharacter;
using Game::CEntityFactory;

const float kFrame = 1.0f / 60.0f;

CEntityFactory& Factory() { return CEntityFactory::GetInstance(); }

Game::EntitySetting Prefab(int type, const char* name)
{
    return Game::CGamePrefabSettings::GetInstance().GetEntitySetting(type, name);
}

// The world as a level has it, minus rendering: types, physics, scene, resources and prefabs.
void StartWorld()
{
    benchsupport::StartGameWorld();
    Game::CPickupCatalogue::GetInstance().Load(Game::CPickupCatalogue::kDefaultPath);
    Vesk::CAudioSystem::GetInstance().Init();
    Game::CGameMaster::GetInstance().Init();
    Game::CGameMaster::GetInstance().LoadSoundList("assets/soundList.xml");
}

void StopWorld()
{
    Factory().Shutdown();
    Game::CControllerManager::GetInstance().Shutdown();
    Game::CGamePrefabSettings::GetInstance().Shutdown();
    Game::CPickupCatalogue::GetInstance().Shutdown();
    Game::CGameMaster::GetInstance().Shutdown();
    Vesk::CAudioSystem::GetInstance().Shutdown();
    Vesk::CResourceManager::GetInstance().Shutdown();
    Vesk::CPhysicsSystem::GetInstance().Shutdown();
    Vesk::CSceneGraph::GetInstance().Shutdown();
}

// A player at 30 % health (so potions may drop) and ten minions on the floor.
std::vector<CCharacter*> MakeScene()
{
    auto* player = dynamic_cast<CCharacter*>(
        Factory().CreateEntity(Game::GENERIC_CHARACTER, "player", Prefab(Game::GENERIC_CHARACTER, "player")));
    player->m_Health = player->m_MaxHealth * 3 / 10;
    std::vector<CCharacter*> enemies;
    for (int i = 0; i < 10; ++i) {
        Game::EntitySetting setting = Prefab(Game::GENERIC_CHARACTER, "koboldminion");
        setting.m_StartPosition = CVector3D(10.0f * i, 5.0f, 0.0f);
        enemies.push_back(dynamic_cast<CCharacter*>(Factory().CreateEntity(Game::GENERIC_CHARACTER, "", setting)));
    }
    return enemies;
}

// One frame of the world: physics, entity updates, queued destructions.
void Frame()
{
    Vesk::CPhysicsSystem::GetInstance().StepSimulation(kFrame, 1, kFrame);
    Factory().UpdateAll(kFrame);
    Factory().ProcessPendingDestroys();
}

void FrameWithDeaths(benchmark::State& state, bool deaths)
{
    StartWorld();
    size_t dropped = 0;
    for (auto _ : state) {
        state.PauseTiming();
        Factory().Clear();
        std::vector<CCharacter*> enemies = MakeScene();
        Frame();
        state.ResumeTiming();
        if (deaths) {
            for (CCharacter* enemy : enemies) {
                enemy->TakeDamage(enemy->m_Health);
                enemy->Die();
                enemy->ShatterAndDrop();
            }
        }
        Frame();
        state.PauseTiming();
        dropped += Factory().FindByType(Game::PICKUPITEM).size();
        state.ResumeTiming();
    }
    state.counters["pickups/frame"] = benchmark::Counter(static_cast<double>(dropped) / state.iterations());
    StopWorld();
}

void BM_FrameTenEnemiesDieAndDrop(benchmark::State& state) { FrameWithDeaths(state, true); }

void BM_FrameTenEnemiesAlive_Anchor(benchmark::State& state) { FrameWithDeaths(state, false); }

// 500 live entities, none of them a live enemy, so the query walks them all: 250 characters
// (half dead, half dormant templates with their controllers off) and 250 coins.
void Make500()
{
    for (int i = 0; i < 250; ++i) {
        Game::EntitySetting setting = Prefab(Game::GENERIC_CHARACTER, "koboldminion");
        setting.m_StartPosition = CVector3D(4.0f * i, 5.0f, 0.0f);
        Game::CEntity* character = Factory().CreateEntity(Game::GENERIC_CHARACTER, "", setting);
        if (i % 2)
            character->m_LifeState = Game::LIFE_DEAD;
        else if (character->GetController())
            character->GetController()->m_Enabled = false;
        Factory().CreateEntity(Game::PICKUPITEM, "smallcoin", Prefab(Game::PICKUPITEM, "smallcoin"));
    }
}

void BM_AllEnemiesDefeated500(benchmark::State& state)
{
    StartWorld();
    Make500();
    for (auto _ : state)
        benchmark::DoNotOptimize(Game::CGameMaster::GetInstance().AllEnemiesDefeated());
    state.counters["live"] = static_cast<double>(Factory().GetLiveEntities().size());
    StopWorld();
}

void BM_LiveListWalk500_Anchor(benchmark::State& state)
{
    StartWorld();
    Make500();
    for (auto _ : state) {
        int characters = 0;
        for (const auto& entry : Factory().GetLiveEntities())
            characters += entry.second->GetType() == Game::GENERIC_CHARACTER;
        benchmark::DoNotOptimize(characters);
    }
    StopWorld();
}

} // namespace

BENCHMARK(BM_FrameTenEnemiesDieAndDrop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameTenEnemiesAlive_Anchor)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_AllEnemiesDefeated500)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LiveListWalk500_Anchor)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
