#include "game/states/CSplashState.h"

#include "frame/CGameManager.h"
#include "game/fx/SceneLights.h"
#include "game/states/CMenuState.h"
#include "game/states/MusicVolumeOption.h"
#include "render/CCameraManager.h"

namespace Game {

bool LogoTransition::Update(float dt)
{
    m_Elapsed += dt;
    return m_Elapsed >= kDuration;
}

CSplashState::CSplashState(const std::string& name) : CMenuBoundScreen(name) {}

CSplashState::~CSplashState() = default;

void CSplashState::Enter()
{
    EnsureSceneLight();
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("viewercam", true);
    LoadScreen("splash");
    m_pTransition = std::make_unique<LogoTransition>(new CMenuState("MenuState", 0));
    ApplyStoredMusicVolume();
}

void CSplashState::Update(float dt)
{
    if (ConfirmReleased()) {
        GoToMenu();
        m_pTransition.reset();
    } else if (m_pTransition && m_pTransition->Update(dt)) {
        Vesk::CGameManager::GetInstance().ChangeState(m_pTransition->TakeTarget());
        m_pTransition.reset();
    }
}

void CSplashState::Exit()
{
    m_pTransition.reset();
    CMenuBoundScreen::Exit();
}

} // namespace Game
