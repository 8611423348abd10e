// CTrampolineController: drives a trampoline trap that throws characters up.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CTrampolineController : public CCharacterController {
public:
    int GetControllerType() const override { return TRAMPOLINE; }
};

} // namespace Game
