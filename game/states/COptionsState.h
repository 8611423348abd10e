// COptionsState ("OptionState"): the options screen of "options.xml", opened from the menu or
// over the pause screen. It shows the music volume as a bar of ten steps ("OptionsVolume" playing
// "vol0" to "vol10") between its two arrow buttons, and holds the buttons for mute, full screen,
// the three resolutions and back. Muting hides the arrows and dims the bar. Left and Right (or
// A and D, the pad's D-pad and sticks) walk the visible buttons; Enter or pad A or B presses;
// Escape or pad START goes back.
#pragma once

#include "game/gui/CGuiScreenState.h"

#include <string>

namespace Game {

class COptionsState : public CGuiScreenState {
public:
    // openedFromMenu: pushed while the menu was on top; otherwise it lies over the pause screen,
    // which halves the master volume.
    COptionsState(const std::string& name, bool openedFromMenu);

    // The screen with no button marked, the bar showing the volume, the mute shown.
    void Enter() override;

    bool IsOpenedFromMenu() const { return m_OpenedFromMenu; }
    bool IsMuted() const;
    // Mutes or unmutes the sound, shows it on the screen and saves the options.
    void ToggleMute();

    // The bar's animation for a volume heard at `masterVolume` ("vol" and 0 to 10).
    std::string VolumeLabel(float masterVolume) const;

private:
    void ShowMuted(bool muted) const;

    bool m_OpenedFromMenu;
};

} // namespace Game
