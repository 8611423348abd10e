#include "game/states/CMenuBoundScreen.h"

#include "frame/CGameManager.h"
#include "game/controllers/CControllerManager.h"
#include "game/gui/CGuiManager.h"
#include "game/states/CMenuState.h"
#include "input/CInputManager.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"

namespace Game {

bool CMenuBoundScreen::ConfirmReleased()
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    for (uint32_t code : {pad::VK_PAD_START, pad::VK_PAD_A})
        if (input.IsPadButtonReleased(0, code))
            return true;
    for (uint32_t key : {win::VK_SPACE, win::VK_ESCAPE, win::VK_RETURN})
        if (input.IsKeyReleased(key, 0))
            return true;
    return input.IsMouseButtonReleased(0) || input.IsMouseButtonReleased(1);
}

void CMenuBoundScreen::GoToMenu() { Vesk::CGameManager::GetInstance().ChangeState(new CMenuState("MenuState", 0)); }

void CMenuBoundScreen::LoadScreen(const std::string& file)
{
    CGuiManager::GetInstance().LoadGui(m_ScreenElements, m_ScreenLayers, "assets/scripts/gui/" + file + ".xml");
}

void CMenuBoundScreen::Update(float)
{
    if (ConfirmReleased())
        GoToMenu();
}

void CMenuBoundScreen::Exit()
{
    CGuiManager::GetInstance().DestroyElements(m_ScreenElements, m_ScreenLayers);
    CControllerManager::GetInstance().Shutdown();
}

} // namespace Game
