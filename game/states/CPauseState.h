// CPauseState ("CPauseState"): the pause screen of "pause.xml" laid over a running level, with
// the buttons resume, options, restart, main menu and quit. While it is up the level stands
// still, the cursor shows and the music plays at half the player's volume; while the options or
// a question lie over it, its own picture is hidden. Left and Right
// (A, D, the pad's D-pad and sticks) move the selection, Enter or pad A or B presses, Escape or
// pad START resumes.
#pragma once

#include "game/gui/CGuiScreenState.h"

#include <string>
#include <vector>

namespace Game {

class CPauseState : public CGuiScreenState {
public:
    // What the pause lays on the player's volume while it is up.
    static constexpr float kVolumeFactor = 0.5f;

    explicit CPauseState(const std::string& name);

    // The cursor shown, the screen with its first button marked, the music attenuated.
    void Enter() override;
    // The screen taken down and the player's volume given back.
    void Exit() override;
    // Hides the screen under the one laid over it, and shows it again.
    void Pause() override;
    void Resume() override;

private:
    std::vector<Vesk::CDisplayObject2D*> m_Covered;
};

} // namespace Game
