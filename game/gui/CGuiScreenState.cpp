#include "game/gui/CGuiScreenState.h"

#include "audio/CAudioSystem.h"
#include "frame/CGameManager.h"
#include "game/gui/CButton.h"
#include "game/gui/CGUIListener.h"
#include "game/gui/CGuiManager.h"
#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CRenderer.h"

#include <algorithm>

namespace Game {

namespace {

const char* const kScreenFolder = "assets/scripts/gui/";

bool AnyKeyReleased(const std::vector<uint32_t>& keys)
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    return std::any_of(keys.begin(), keys.end(), [&](uint32_t key) { return input.IsKeyReleased(key, 0); });
}

bool AnyPadReleased(const std::vector<uint32_t>& codes)
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    return std::any_of(codes.begin(), codes.end(), [&](uint32_t code) { return input.IsPadButtonReleased(0, code); });
}

void ShowIdle(CButton& button)
{
    button.SetAnimation("idle");
    button.SetButtonState("idle");
}

} // namespace

CGuiScreenState::CGuiScreenState(std::string name, std::string screenFile, ScreenControls controls, int firstSelection,
                                 bool addsLight)
    : IGameState(std::move(name)), m_ScreenFile(std::move(screenFile)), m_Controls(std::move(controls)),
      m_FirstSelection(firstSelection), m_AddsLight(addsLight)
{
}

CGuiScreenState::~CGuiScreenState() = default;

void CGuiScreenState::Enter()
{
    // Screens pushed over one another, or entered again, share the one default light.
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    if (m_AddsLight && renderer.GetLightCount() == 0)
        renderer.AddLight();
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.LoadGui(m_ScreenElements, m_ScreenLayers, kScreenFolder + m_ScreenFile + ".xml");
    m_Buttons = gui.TakeButtons();
    if (m_Controls.backByListener)
        m_pListener = std::make_unique<CGUIListener>(m_Name);
    // A screen without buttons keeps index 0 and marks nothing.
    m_SelectedIndex = 0;
    if (!m_Buttons.empty() && m_FirstSelection != kNoFirstSelection) {
        m_SelectedIndex = static_cast<unsigned>(m_FirstSelection) % m_Buttons.size();
        MarkButton(m_SelectedIndex);
    }
}

void CGuiScreenState::Exit()
{
    CGuiManager::GetInstance().DestroyElements(m_ScreenElements, m_ScreenLayers);
    m_pListener.reset();
    m_Buttons.clear();
}

void CGuiScreenState::Resume() { ClearLatchedInput(); }

void CGuiScreenState::Update(float)
{
    CGuiManager::GetInstance().UpdateCursor();
    FollowMouseHover();
    if (BackRequested())
        Vesk::CGameManager::GetInstance().PopState();
    if (!m_Buttons.empty()) {
        if (AnyKeyReleased(m_Controls.PreviousKeys()) || AnyPadReleased(m_Controls.PreviousPadCodes()))
            SelectPrevious();
        else if (AnyKeyReleased(m_Controls.NextKeys()) || AnyPadReleased(m_Controls.NextPadCodes()))
            SelectNext();
    }
    if (AnyKeyReleased(m_Controls.pressKeys) || AnyPadReleased(m_Controls.pressPadCodes))
        PressSelected();
}

void CGuiScreenState::ResetButtonHover()
{
    for (CButton* button : m_Buttons)
        ShowIdle(*button);
    Vesk::CAudioSystem::GetInstance().PlaySound("MouseOver", false).SetVolume(0.5f);
}

void CGuiScreenState::SelectPrevious()
{
    ResetButtonHover();
    if (Step(-1))
        MarkButton(m_SelectedIndex);
}

void CGuiScreenState::SelectNext()
{
    ResetButtonHover();
    if (Step(+1))
        MarkButton(m_SelectedIndex);
}

void CGuiScreenState::PressSelected()
{
    if (m_SelectedIndex >= m_Buttons.size())
        return;
    CButton* button = m_Buttons[m_SelectedIndex];
    if (button->GetButtonState() == "mouseover")
        button->RunCallback();
}

void CGuiScreenState::MarkButton(unsigned index)
{
    if (index >= m_Buttons.size())
        return;
    m_Buttons[index]->SetButtonState("mouseover");
    m_Buttons[index]->SetAnimation("mouseover");
}

bool CGuiScreenState::BackRequested() const
{
    if (m_Controls.backByListener && m_pListener && m_pListener->IsKeyReleased(win::VK_ESCAPE))
        return true;
    return AnyKeyReleased(m_Controls.backKeys) || AnyPadReleased(m_Controls.backPadCodes);
}

void CGuiScreenState::FollowMouseHover()
{
    for (unsigned i = 0; i < m_Buttons.size(); ++i) {
        CButton& button = *m_Buttons[i];
        if (i == m_SelectedIndex || !button.IsVisible() || button.GetButtonState() != "mouseover")
            continue;
        if (m_SelectedIndex < m_Buttons.size() && m_Buttons[m_SelectedIndex]->GetButtonState() == "mouseover")
            ShowIdle(*m_Buttons[m_SelectedIndex]);
        m_SelectedIndex = i;
        return;
    }
}

bool CGuiScreenState::Step(int direction)
{
    const unsigned count = static_cast<unsigned>(m_Buttons.size());
    unsigned index = m_SelectedIndex % count;
    for (unsigned tries = 0; tries < count; ++tries) {
        index = direction < 0 ? (index == 0 ? count - 1 : index - 1) : (index + 1) % count;
        if (!m_Controls.skipHidden || m_Buttons[index]->IsVisible()) {
            m_SelectedIndex = index;
            return true;
        }
    }
    return false;
}

void CGuiScreenState::ClearLatchedInput()
{
    if (m_pListener)
        m_pListener->ClearKeys();
    for (CButton* button : m_Buttons)
        button->ClearMouseRelease();
}

} // namespace Game
