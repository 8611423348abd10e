// CApparationController: drives a ghost (apparition).
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CApparationController : public CCharacterController {
public:
    int GetControllerType() const override { return APPARATION; }
};

} // namespace Game
