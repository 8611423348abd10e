// CHoverController: makes a GUI object hover up and down.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CHoverController : public IController {
public:
    int GetControllerType() const override { return HOVERTWEEN; }
};

} // namespace Game
