// CPickupItem: an item the player collects (coins, potions, skills). Its spin, blink, lifetime
// and collection come with the pickups' work; for now it is an entity of its own type.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CPickupItem : public CEntity {
public:
    int GetType() const override { return PICKUPITEM; }
};

} // namespace Game
