// CBossEventTrigger: a game trigger that wakes the boss (its first slave) and starts the boss music.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CBossEventTrigger : public CGameTrigger {
public:
    int GetType() const override { return BOSS_EVENT_TRIGGER; }
};

} // namespace Game
