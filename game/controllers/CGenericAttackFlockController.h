// CGenericAttackFlockController: a shared group controller that lets at most a few members of a
// group attack at a time.
#pragma once

#include "game/controllers/ISharedCharacterController.h"

namespace Game {

class CGenericAttackFlockController : public ISharedCharacterController {
public:
    int GetType() const override { return GENERIC_ATTACK_FLOCK; }
};

} // namespace Game
