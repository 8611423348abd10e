// CLevelSelectionState ("CLevelSelectionState"): the three levels of "levelselection.xml" as a
// vertical list of buttons over the menu; a level button starts that level through the menu,
// Escape goes back. Pad START presses the marked button here.
#pragma once

#include "game/gui/CGuiScreenState.h"

namespace Game {

class CLevelSelectionState : public CGuiScreenState {
public:
    explicit CLevelSelectionState(const std::string& name)
        : CGuiScreenState(name, "levelselection", ScreenControls::LevelSelection(), 0)
    {
    }
};

} // namespace Game
