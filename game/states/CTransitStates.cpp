#include "game/states/CTransitStates.h"

#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"

namespace Game {

CTransitScreen::CTransitScreen(std::string name, std::string path)
    : IGameState(std::move(name)), m_Path(std::move(path))
{
}

void CTransitScreen::Enter() { CGuiManager::GetInstance().LoadGui(m_ScreenElements, m_ScreenLayers, m_Path); }

void CTransitScreen::Exit() { CGuiManager::GetInstance().DestroyElements(m_ScreenElements, m_ScreenLayers); }

CTransitInState::CTransitInState(Vesk::IGameState* next, const std::string& name)
    : CTransitScreen(name, "assets/scripts/gui/transitin.xml"), m_pNext(next)
{
}

CTransitInState::~CTransitInState() = default;

void CTransitInState::Enter()
{
    CGuiManager::GetInstance().SetCursorHidden(true);
    CTransitScreen::Enter();
}

void CTransitInState::Exit()
{
    CTransitScreen::Exit();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    if (m_pNext)
        game.ChangeState(m_pNext.release());
    game.PushState(new CTransitOutState("TransitOutState"));
}

CTransitOutState::CTransitOutState(const std::string& name) : CTransitScreen(name, "assets/scripts/gui/transitout.xml")
{
}

} // namespace Game
