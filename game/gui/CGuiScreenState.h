// The base of every game state whose picture is a GUI screen file: it loads the screen on Enter
// and destroys it on Exit, keeps the screen's buttons in file order with one selected button, and
// each frame moves the cursor, goes back, moves the selection and presses the selected button
// from the keyboard and pad 0 as its ScreenControls say. The mouse clicks buttons by itself;
// hovering a button with the mouse also makes it the selected one, so a press always runs exactly
// one callback. Owns the screen's keyboard listener when the controls go back through one.
#pragma once

#include "core/IGameState.h"
#include "game/gui/ScreenControls.h"

#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CButton;
class CGUIListener;

class CGuiScreenState : public Vesk::IGameState {
public:
    // No button is marked on Enter (the selection starts at 0).
    static constexpr int kNoFirstSelection = -1;

    // screenFile: the file's name under "assets/scripts/gui/" without ".xml". firstSelection:
    // the button marked on Enter, taken modulo the button count, or kNoFirstSelection. addsLight:
    // whether Enter adds a default light to a renderer that has none.
    CGuiScreenState(std::string name, std::string screenFile, ScreenControls controls, int firstSelection,
                    bool addsLight = true);
    ~CGuiScreenState() override;

    void Enter() override;
    void Exit() override;
    // Back on top: keys and clicks that were pending while another screen was on top are dropped.
    void Resume() override;
    void Update(float dt) override;
    // A screen laid over a level holds it still until the screen goes.
    bool HoldsWorldStill() const override { return true; }

    unsigned GetSelectedIndex() const { return m_SelectedIndex; }
    const std::vector<CButton*>& GetButtons() const { return m_Buttons; }

protected:
    // Every button shows "idle"; then the hover sound plays once.
    void ResetButtonHover();
    void SelectPrevious();
    void SelectNext();
    // Runs the callback of the selected button when it shows "mouseover".
    void PressSelected();
    void MarkButton(unsigned index);

    std::vector<Vesk::CDisplayObject2D*> m_ScreenElements;
    std::vector<int> m_ScreenLayers;
    std::vector<CButton*> m_Buttons;
    unsigned m_SelectedIndex = 0;

private:
    bool BackRequested() const;
    // The selection moves to a button that the mouse put into "mouseover"; the button that was
    // selected before goes back to "idle".
    void FollowMouseHover();
    // One step of the selection in the direction (+1 or -1), over hidden buttons when the
    // controls skip them; false when no button can take the selection.
    bool Step(int direction);
    void ClearLatchedInput();

    std::string m_ScreenFile;
    ScreenControls m_Controls;
    int m_FirstSelection;
    bool m_AddsLight;
    std::unique_ptr<CGUIListener> m_pListener;
};

} // namespace Game
