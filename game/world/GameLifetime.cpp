#include "game/world/GameLifetime.h"

#include "frame/CGameManager.h"
#include "game/base/DebugSwitches.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/fx/CSprite3DManager.h"
#include "game/gui/CGuiManager.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"
#include "game/world/GameStartup.h"

namespace Game {

namespace {

template <typename Manager>
Vesk::ManagerStep Step(const char* name)
{
    return {name, [] { return Manager::GetInstance().Init(); }, [] { Manager::GetInstance().Shutdown(); }};
}

} // namespace

void ShutdownGame()
{
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.PopAllStates();
    GameManagerTable().Stop();
    game.Shutdown();
}

Vesk::CManagerTable GameManagerTable()
{
    Vesk::ManagerStep types{"game types",
                            [] {
                                RegisterGameTypes();
                                return true;
                            },
                            [] {
                                ReleaseCubeRenderer();
                                ReleaseCubeMeshResources();
                            }};
    Vesk::ManagerStep prefabs{
        "prefab settings",
        [] { return CGamePrefabSettings::GetInstance().LoadFromXml(CGamePrefabSettings::kDefaultPath); },
        [] { CGamePrefabSettings::GetInstance().Shutdown(); }};
    Vesk::ManagerStep attacks{"attack definitions",
                              [] {
                                  // Without them no attack is made; the game still runs.
                                  CAttackPool::GetInstance().LoadDefinitions(CAttackPool::kAttackFile);
                                  return true;
                              },
                              [] { CAttackPool::GetInstance().ClearDefinitions(); }};
    Vesk::ManagerStep pickups{"pickups", nullptr, [] { CPickupCatalogue::GetInstance().Shutdown(); }};
    Vesk::ManagerStep gui{"gui", nullptr, [] { CGuiManager::GetInstance().Shutdown(); }};
    Vesk::ManagerStep switches{"developer switches", nullptr,
                               [] { CDebugSwitches::GetInstance().m_DrawEntityBodies = false; }};
    Vesk::CManagerTable table({types, switches, prefabs, attacks, pickups, gui, Step<CLevelManager>("levels")});
    // Whatever a state left up goes before the program's own managers.
    const Vesk::CManagerTable session = GameSessionTable(SessionKind::Play, std::string());
    for (const Vesk::ManagerStep& step : session.GetSteps())
        table.Append(Vesk::CManagerTable({{step.name, nullptr, step.stop}}));
    return table;
}

Vesk::CManagerTable GameSessionTable(SessionKind kind, const std::string& levelPath)
{
    const bool play = kind == SessionKind::Play;
    Vesk::CManagerTable table;
    if (play)
        table.Append(Vesk::CManagerTable({{"prefab settings",
                                           [] {
                                               CGamePrefabSettings::GetInstance().LoadFromXml(
                                                   CGamePrefabSettings::kDefaultPath);
                                               return true;
                                           },
                                           [] { CGamePrefabSettings::GetInstance().Shutdown(); }}}));
    table.Append(Vesk::CManagerTable({Step<CSprite3DManager>("3D sprites"), Step<CEntityFactory>("entities"),
                                      Step<CControllerManager>("controllers"), Step<CAttackPool>("attacks")}));
    if (play)
        table.Append(Vesk::CManagerTable({Step<CGameMaster>("game master"), Step<CGlobalSkillList>("skills")}));
    table.Append(Vesk::CManagerTable({{"level",
                                       [levelPath] {
                                           CLevelManager::GetInstance().LoadLevel(levelPath);
                                           return true;
                                       },
                                       [] { CLevelManager::GetInstance().UnloadLevel(); }}}));
    if (play)
        table.Append(Vesk::CManagerTable({{"waves",
                                           [] {
                                               // A level without waves plays without them.
                                               CWaveManager::GetInstance().Init();
                                               return true;
                                           },
                                           [] { CWaveManager::GetInstance().Shutdown(); }}}));
    return table;
}

} // namespace Game
