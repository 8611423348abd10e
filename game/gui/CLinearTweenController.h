// CLinearTweenController: moves a GUI object along a line over time.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CLinearTweenController : public IController {
public:
    int GetControllerType() const override { return LINEARTWEEN; }
};

} // namespace Game
