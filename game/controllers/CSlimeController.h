// CSlimeController: drives a slime.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CSlimeController : public CCharacterController {
public:
    int GetControllerType() const override { return SLIME; }
};

} // namespace Game
