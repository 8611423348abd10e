#include "game/states/COptionsState.h"

#include "audio/CAudioSystem.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/states/PlayerOptions.h"
#include "ui2d/CDisplayObject2D.h"

namespace Game {

namespace {

constexpr float kMutedAlpha = 0.4f;

} // namespace

COptionsState::COptionsState(const std::string& name, bool openedFromMenu)
    : CGuiScreenState(name, "options", ScreenControls::Options(), kNoFirstSelection), m_OpenedFromMenu(openedFromMenu)
{
}

std::string COptionsState::VolumeLabel(float masterVolume) const
{
    // Over the pause screen the master volume is half of what the player chose.
    const float factor = m_OpenedFromMenu ? 1.0f : 2.0f;
    return "vol" + std::to_string(static_cast<int>(factor * masterVolume * 10.0f + 0.5f));
}

void COptionsState::Enter()
{
    CGuiScreenState::Enter();
    const bool muted = IsMuted();
    // A muted bar shows, dimmed, the volume that unmuting gives back.
    const float heard =
        muted ? GetPlayerVolume() * GetPauseAttenuation() : Vesk::CAudioSystem::GetInstance().GetMasterVolume();
    if (Vesk::CDisplayObject2D* bar = CGuiManager::GetInstance().FindElement(0, "OptionsVolume"))
        bar->SetAnimation(VolumeLabel(heard));
    ShowMuted(muted);
}

bool COptionsState::IsMuted() const { return IsSoundMuted(); }

void COptionsState::ToggleMute()
{
    const bool muted = !IsSoundMuted();
    SetSoundMuted(muted);
    ShowMuted(muted);
    SavePlayerOptions();
}

void COptionsState::ShowMuted(bool muted) const
{
    const CGuiManager& gui = CGuiManager::GetInstance();
    for (const char* arrow : {"OptionsVolumeLeft", "OptionsVolumeRight"})
        if (CButton* button = gui.FindButton(arrow))
            button->SetVisible(!muted);
    if (Vesk::CDisplayObject2D* bar = gui.FindElement(0, "OptionsVolume"))
        bar->SetColor(muted ? kMutedAlpha : 1.0f, 1.0f, 1.0f, 1.0f);
}

} // namespace Game
