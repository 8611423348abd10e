#include "game/states/CConfirmationState.h"

#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "game/states/CMenuState.h"
#include "game/states/CTransitStates.h"
#include "game/states/PlayerOptions.h"
#include "ui2d/CDisplayObject2D.h"

namespace Game {

namespace {

const int kKinds[] = {CConfirmationState::KindQuit, CConfirmationState::KindToMenu, CConfirmationState::KindRestart};

} // namespace

CConfirmationState::CConfirmationState(int kind, const std::string& name)
    : CGuiScreenState(name, "confirmation", ScreenControls::Confirmation(), 1), m_Kind(kind)
{
}

const char* CConfirmationState::QuestionElement(int kind)
{
    switch (kind) {
    case KindQuit: return "ConfirmQuit";
    case KindToMenu: return "ConfirmMenu";
    case KindRestart: return "ConfirmRestart";
    default: return nullptr;
    }
}

void CConfirmationState::Enter()
{
    CGuiScreenState::Enter();
    const CGuiManager& gui = CGuiManager::GetInstance();
    for (int kind : kKinds)
        if (Vesk::CDisplayObject2D* question = gui.FindElement(0, QuestionElement(kind)))
            question->SetVisible(kind == m_Kind);
}

void CConfirmationState::Update(float dt)
{
    if (m_Confirmed) {
        m_Confirmed = false;
        if (CarryOut())
            return;
    }
    CGuiScreenState::Update(dt);
}

bool CConfirmationState::CarryOut()
{
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    switch (m_Kind) {
    case KindQuit:
        SavePlayerOptions();
        game.m_Status = Vesk::CGameManager::StatusQuit;
        return false;
    case KindToMenu:
        game.PopState();
        game.PopState();
        game.PushState(new CTransitInState(new CMenuState("MenuState", 0), "TransitInState"));
        return false;
    case KindRestart:
        game.PopState();
        game.PopState();
        game.m_Status = Vesk::CGameManager::StatusRestart;
        return true;
    default: return false;
    }
}

} // namespace Game
