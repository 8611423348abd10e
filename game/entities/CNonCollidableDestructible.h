// CNonCollidableDestructible: a destructible that other bodies pass through (no contact response,
// no gravity) and that breaks at the first hit.
#pragma once

#include "game/entities/CDestructible.h"

namespace Game {

class CNonCollidableDestructible : public CDestructible {
public:
    int GetType() const override { return NO_COLLISION_DESTRUCTIBLE_OBJECT; }
    void Init(const std::string& name, const EntitySetting& setting) override;

protected:
    int StartHitPoints() const override { return 1; }
};

} // namespace Game
