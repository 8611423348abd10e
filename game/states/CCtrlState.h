// CCtrlState ("CtrlState"): the controls screen ("ctrl.xml") that the game opens with; the first
// confirming input goes on to the title and main menu.
#pragma once

#include "game/states/CMenuBoundScreen.h"

namespace Game {

class CCtrlState : public CMenuBoundScreen {
public:
    explicit CCtrlState(const std::string& name) : CMenuBoundScreen(name) {}

    // The system pointer hidden (the GUI draws its own), the viewer camera, the light, the screen.
    void Enter() override;
};

} // namespace Game
