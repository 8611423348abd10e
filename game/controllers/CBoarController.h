// CBoarController: drives a boar (charges across the arena).
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CBoarController : public CCharacterController {
public:
    int GetControllerType() const override { return BOAR; }
};

} // namespace Game
