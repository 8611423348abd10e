// CMinionController: drives a kobold minion (pursuit, attacks, fleeing with stolen pickups).
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CMinionController : public CCharacterController {
public:
    int GetControllerType() const override { return MINION; }
};

} // namespace Game
