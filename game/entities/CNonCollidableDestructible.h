// CNonCollidableDestructible: a destructible that other bodies pass through.
#pragma once

#include "game/entities/CDestructible.h"

namespace Game {

class CNonCollidableDestructible : public CDestructible {
public:
    int GetType() const override { return NO_COLLISION_DESTRUCTIBLE_OBJECT; }
};

} // namespace Game
