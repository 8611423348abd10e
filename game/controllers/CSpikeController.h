// CSpikeController: drives a spike trap that rises and sinks on a period.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CSpikeController : public CCharacterController {
public:
    int GetControllerType() const override { return SPIKE; }
};

} // namespace Game
