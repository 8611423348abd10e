// CLocationBasedSpawnerTrigger: a game trigger that spawns queued templates at random wave locations.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CLocationBasedSpawnerTrigger : public CGameTrigger {
public:
    int GetType() const override { return LOCATIONBASED_SPAWNER_TRIGGER; }
};

} // namespace Game
