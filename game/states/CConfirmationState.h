// CConfirmationState ("ConfirmationState"): the yes-or-no question of "confirmation.xml", laid
// over the menu or the pause screen. Its kind says what "Yes" does, in the update after the yes
// button's action (callback 2) confirmed it: quit the game (the options saved first), leave the
// level for the main menu, or restart the level. The screen shows the question of its kind
// ("ConfirmQuit", "ConfirmMenu" or "ConfirmRestart") and starts on "No". Left and Right (A, D,
// the pad's D-pad and sticks) move the selection, Enter or pad A or B presses, Escape or pad
// START goes back.
#pragma once

#include "game/gui/CGuiScreenState.h"

#include <string>

namespace Game {

class CConfirmationState : public CGuiScreenState {
public:
    enum Kind {
        KindQuit = 1,    // save the options, then quit after the frame
        KindToMenu = 2,  // this screen and the one below go, then a transition to a new menu
        KindRestart = 4, // this screen and the one below go, then the state below them restarts
    };

    CConfirmationState(int kind, const std::string& name);

    // The screen with its second button marked and only the question of its kind shown.
    void Enter() override;
    // Carries out a confirmation once, then the screen's own input.
    void Update(float dt) override;

    void Confirm() { m_Confirmed = true; }
    bool IsConfirmed() const { return m_Confirmed; }
    int GetKind() const { return m_Kind; }

    // The element that asks the question of a kind (null for a kind without one).
    static const char* QuestionElement(int kind);

private:
    // What "Yes" does; true when the update ends with it.
    bool CarryOut();

    int m_Kind;
    bool m_Confirmed = false;
};

} // namespace Game
