#include "game/states/CPauseState.h"

#include "game/gui/CGuiManager.h"
#include "game/states/PlayerOptions.h"
#include "ui2d/CDisplayObject2D.h"

namespace Game {

CPauseState::CPauseState(const std::string& name) : CGuiScreenState(name, "pause", ScreenControls::Pause(), 0) {}

void CPauseState::Enter()
{
    CGuiManager::GetInstance().SetCursorHidden(false);
    CGuiScreenState::Enter();
    SetPauseAttenuation(kVolumeFactor);
}

void CPauseState::Exit()
{
    m_Covered.clear();
    CGuiScreenState::Exit();
    SetPauseAttenuation(1.0f);
}

void CPauseState::Pause()
{
    m_Covered.clear();
    for (Vesk::CDisplayObject2D* element : m_ScreenElements)
        if (element && element->IsVisible()) {
            element->SetVisible(false);
            m_Covered.push_back(element);
        }
}

void CPauseState::Resume()
{
    for (Vesk::CDisplayObject2D* element : m_Covered)
        element->SetVisible(true);
    m_Covered.clear();
    CGuiScreenState::Resume();
}

} // namespace Game
