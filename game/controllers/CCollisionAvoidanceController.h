// CCollisionAvoidanceController: a shared group controller that keeps the members of a group
// from walking into each other.
#pragma once

#include "game/controllers/ISharedCharacterController.h"

namespace Game {

class CCollisionAvoidanceController : public ISharedCharacterController {
public:
    int GetType() const override { return COLLISION_AVOIDANCE; }
};

} // namespace Game
