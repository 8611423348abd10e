// CBigBossController: drives the boss; the boss event trigger enables it.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CBigBossController : public CCharacterController {
public:
    int GetControllerType() const override { return BIGBOSS; }
};

} // namespace Game
