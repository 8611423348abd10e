// CCameraLockTrigger: a game trigger that locks the side-scrolling camera while someone is inside.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CCameraLockTrigger : public CGameTrigger {
public:
    int GetType() const override { return CAMERA_LOCK_TRIGGER; }
};

} // namespace Game
