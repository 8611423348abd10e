// CBossEventTrigger: a game trigger that starts the boss fight: it enables the boss controller of
// its first slave, asks the game master for the boss music and locks the side-scrolling camera.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CBossEventTrigger : public CGameTrigger {
public:
    int GetType() const override { return BOSS_EVENT_TRIGGER; }
    bool CheckCondition() override { return CheckEntityCondition(); }
    void Fire() override;
};

} // namespace Game
