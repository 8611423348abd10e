// CRotationTweenController: turns a GUI object over time.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CRotationTweenController : public IController {
public:
    int GetControllerType() const override { return ROTATIONTWEEN; }
};

} // namespace Game
