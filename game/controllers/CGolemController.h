// CGolemController: drives a golem (slow, heavy strikes).
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CGolemController : public CCharacterController {
public:
    int GetControllerType() const override { return GOLEM; }
};

} // namespace Game
