#include "game/states/CUloSandboxState.h"

#include "core/Log.h"
#include "frame/CGameManager.h"
#include "game/base/GameEnums.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/IController.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/CSprite3DManager.h"
#include "game/fx/SceneLights.h"
#include "game/gui/CGuiManager.h"
#include "game/states/GameStates.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "input/CInputManager.h"
#include "math/GameMath.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "ui2d/CDisplayObject2D.h"

namespace Game {

namespace {

const CVector3D kLightPosition(0.0f, 150.0f, -100.0f);
const CVector3D kGravity(0.0f, -200.0f, 0.0f);
const CVector3D kBoxBodySize(3.0f, 3.0f, 3.0f);
constexpr float kBannerSeconds = 1.5f;
constexpr float kMusicVolume = 0.2f;
// The box body takes part in contacts without being pushed: no contact response.
constexpr int kNoContactResponse = 2;

// One hand-placed entity: at `at`, or at the player's position plus `at`.
struct Placement {
    int type;
    const char* name;
    const char* mesh;
    CVector3D dimensions;
    int controllerType;
    CVector3D at;
    bool nearPlayer;
};

const Placement kPlacements[] = {
    {GENERIC_CHARACTER, "enemy", "halfwoodboss", {25, 19, 12}, BIGBOSS, {850, 150, 30}, false},
    {GENERIC_CHARACTER, "enemy", "koboldminion_v3", {25, 17, 12}, MINION, {200, 0, 0}, true},
    {GENERIC_CHARACTER, "enemy", "koboldminion_v3", {8, 17, 8}, MINION, {250, 0, 20}, true},
    {GENERIC_CHARACTER, "enemy", "koboldminion_v3", {8, 17, 8}, MINION, {250, 0, 30}, true},
    {GENERIC_CHARACTER, "enemy", "koboldminion_v3", {8, 17, 8}, MINION, {250, 0, 40}, true},
    {PICKUPITEM, "potion", "potion_v2", {5, 12, 5}, CONTROLLER_TYPE_COUNT, {35, 10, 25}, true},
    {PICKUPITEM, "potion", "potion_v2", {5, 12, 5}, CONTROLLER_TYPE_COUNT, {15, 10, 25}, true},
    {DESTRUCTIBLE_OBJECT, "crate", "crateFull", {12, 12, 12}, CONTROLLER_TYPE_COUNT, {35, -10, -15}, true},
    {DESTRUCTIBLE_OBJECT, "crate", "crateFull", {12, 12, 12}, CONTROLLER_TYPE_COUNT, {35, -10, -35}, true},
    {DESTRUCTIBLE_OBJECT, "crate", "crateFull", {12, 12, 12}, CONTROLLER_TYPE_COUNT, {35, -10, -55}, true},
};

EntitySetting SettingFor(const std::string& mesh, const CVector3D& dimensions, int controllerType, const CVector3D& at)
{
    EntitySetting setting(mesh, dimensions.x, dimensions.y, dimensions.z, 0, 0xFFFF, 0xFFFF, controllerType);
    setting.m_StartPosition = at;
    return setting;
}

CGameMaster& Master() { return CGameMaster::GetInstance(); }

} // namespace

CUloSandboxState::CUloSandboxState() : IGameState("uloSandboxArena") {}

CUloSandboxState::~CUloSandboxState() = default;

void CUloSandboxState::Init() { Master().LoadSoundList("assets/soundList.xml"); }

void CUloSandboxState::Cleanup() { Master().StopMusic(); }

void CUloSandboxState::Enter()
{
    EnsureSceneLight();
    PlaceSceneLight(kLightPosition);
    CEntityFactory::GetInstance().Init();
    CControllerManager::GetInstance().Init();
    CSprite3DManager::GetInstance().Init();
    CAttackPool::GetInstance().Init();
    Master().Init();

    CGuiManager::GetInstance().LoadGui(m_ScreenElements, m_ScreenLayers, "assets/scripts/gui/gamehud.xml");
    for (Vesk::CDisplayObject2D* element : m_ScreenElements)
        element->SetVisible(false);
    m_Timer = 0.0f;

    CLevelManager& levels = CLevelManager::GetInstance();
    if (!levels.LoadCurrentLevel())
        Vesk::LogLine("CUloSandboxState: the level \"" + levels.GetLevelFileName() + "\" did not load");
    Vesk::CPhysicsSystem::GetInstance().SetGravity(kGravity);
    SpawnArena();
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("sidescrolling", true);

    m_pBoxBody = new Vesk::CRigidBody(kBoxBodySize, nullptr, 0.0f, false);
    if (Vesk::CPhysicsSystem::GetInstance().AddRigidBody(m_pBoxBody, -1, -1)) {
        m_pBoxBody->SetBodyType(kNoContactResponse);
    } else {
        delete m_pBoxBody;
        m_pBoxBody = nullptr;
    }

    BuildSubStates();
    Master().StartLevel();
}

void CUloSandboxState::SpawnArena()
{
    CEntityFactory& factory = CEntityFactory::GetInstance();
    CEntity* player = factory.GetEntityByName("player");
    CVector3D playerAt;
    if (player) {
        player->SetDirection(CVector3D(1.0f, 0.0f, 0.0f));
        playerAt = player->GetPosition();
    } else {
        Vesk::LogLine("CUloSandboxState: the level has no \"player\"; the arena is placed around the origin");
    }

    bool first = true;
    for (const Placement& p : kPlacements) {
        const bool boss = first;
        first = false;
        const CVector3D at = p.nearPlayer ? playerAt + p.at : p.at;
        CEntity* entity = factory.CreateEntity(p.type, p.name, SettingFor(p.mesh, p.dimensions, p.controllerType, at));
        // The boss waits for its trigger: its controller stays off.
        if (boss && entity && entity->GetController())
            entity->GetController()->m_Enabled = false;
        if (boss) {
            GameTriggerSetting trigger;
            for (CEntity* each : factory.FindByName("player"))
                trigger.m_TriggeringEntities.emplace_back(each);
            m_BossTrigger = EntityHandle(factory.CreateGameTrigger(
                BOSS_EVENT_TRIGGER, "",
                SettingFor("boss", CVector3D(10, 50, 150), CONTROLLER_TYPE_COUNT, CVector3D(750, 70, 30)), trigger));
        }
    }
}

void CUloSandboxState::Update(float dt)
{
    if (m_pSubStates)
        m_pSubStates->Update(dt);
    if (Vesk::CInputManager::GetInstance().IsKeyPressed(win::VK_ESCAPE))
        Vesk::CGameManager::GetInstance().PushState(new CPauseState("CPauseState"));
    CAttackPool::GetInstance().Update(dt);
    Master().Update(dt);
    CControllerManager::GetInstance().Update(dt);
    CEntityFactory& factory = CEntityFactory::GetInstance();
    factory.UpdateAll(dt);
    // Attacks leave markers and dead characters queue themselves for removal: both are let go
    // here, or they would pile up for as long as the sandbox runs.
    CSprite3DManager::GetInstance().Update(dt);
    factory.ProcessPendingDestroys();
}

void CUloSandboxState::Exit()
{
    CGuiManager::GetInstance().DestroyElements(m_ScreenElements, m_ScreenLayers);
    CLevelManager::GetInstance().UnloadLevel();
    CControllerManager::GetInstance().Shutdown();
    CEntityFactory::GetInstance().Shutdown();
    CAttackPool::GetInstance().Shutdown();
    CSprite3DManager::GetInstance().Shutdown();
    m_BossTrigger.Reset();
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    cameras.SetCurrentCamera("sidescrolling", true);
    if (auto* camera = dynamic_cast<CSideScrollCamera*>(cameras.GetCurrentCamera()))
        camera->SetWaypoints({});
    if (m_pBoxBody) {
        Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(m_pBoxBody);
        delete m_pBoxBody;
        m_pBoxBody = nullptr;
    }
    m_pSubStates.reset();
}

void CUloSandboxState::BuildSubStates()
{
    using Self = CUloSandboxState;
    m_pSubStates = std::make_unique<Vesk::CFiniteStateMachine<Self>>(this);
    m_pSubStates->AddState("start", &Self::StartEnter, &Self::StartUpdate, &Self::StartExit);
    m_pSubStates->AddState("running", nullptr, nullptr, nullptr);
    m_pSubStates->AddState("endgame", &Self::EndgameEnter, &Self::EndgameUpdate, &Self::EndgameExit);
    m_pSubStates->AddState("ended", &Self::EndedEnter, nullptr, nullptr);
    m_pSubStates->AddTransition("start", "running", &Self::IsRunning);
    m_pSubStates->AddTransition("running", "endgame", &Self::IsLevelComplete);
    m_pSubStates->AddTransition("endgame", "ended", &Self::IsPlayOver);
    m_pSubStates->AddTransition("ended", "start", &Self::IsPhaseReset);
}

void CUloSandboxState::StartEnter()
{
    if (!m_ScreenElements.empty())
        m_ScreenElements.front()->SetVisible(true);
    m_Timer = kBannerSeconds;
    Master().StopMusic();
    Master().PlayMusic("menubgm", kMusicVolume);
}

void CUloSandboxState::StartUpdate(float dt)
{
    if (CountDown(&m_Timer, dt))
        Master().SetPhase(PHASE_RUNNING);
}

void CUloSandboxState::StartExit()
{
    if (!m_ScreenElements.empty())
        m_ScreenElements.front()->SetVisible(false);
}

void CUloSandboxState::EndgameEnter()
{
    if (!m_ScreenElements.empty())
        m_ScreenElements.back()->SetVisible(true);
    m_Timer = kBannerSeconds;
}

void CUloSandboxState::EndgameUpdate(float dt)
{
    if (CountDown(&m_Timer, dt))
        Master().SetPhase(PHASE_GAME_OVER);
}

void CUloSandboxState::EndgameExit()
{
    if (!m_ScreenElements.empty())
        m_ScreenElements.back()->SetVisible(false);
}

void CUloSandboxState::EndedEnter() { Vesk::CGameManager::GetInstance().ChangeState(new CMenuState("MenuState", 0)); }

bool CUloSandboxState::IsRunning() { return Master().GetPhase() >= PHASE_RUNNING; }

bool CUloSandboxState::IsLevelComplete() { return Master().GetPhase() >= PHASE_LEVEL_COMPLETE; }

bool CUloSandboxState::IsPlayOver() { return Master().GetPhase() >= PHASE_GAME_OVER; }

bool CUloSandboxState::IsPhaseReset() { return Master().GetPhase() == PHASE_LEVEL_START; }

std::string CUloSandboxState::GetSubStateName() const
{
    return m_pSubStates ? m_pSubStates->GetCurrentStateName() : std::string();
}

} // namespace Game
