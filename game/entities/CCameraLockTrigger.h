// CCameraLockTrigger: a game trigger that locks the side-scrolling camera on the fight while one of
// its triggering entities is inside its box.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CCameraLockTrigger : public CGameTrigger {
public:
    int GetType() const override { return CAMERA_LOCK_TRIGGER; }
    bool CheckCondition() override { return HasEntityWithEvent(COLLISION_INSIDE); }
    void Fire() override;
};

} // namespace Game
