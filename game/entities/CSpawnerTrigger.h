// CSpawnerTrigger: a game trigger that clones its slave templates group by group when it fires.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CSpawnerTrigger : public CGameTrigger {
public:
    int GetType() const override { return SPAWNER_TRIGGER; }
};

} // namespace Game
