// CSoundTrigger: a game trigger that plays its prefab's sound when it fires.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CSoundTrigger : public CGameTrigger {
public:
    int GetType() const override { return SOUND_TRIGGER; }
};

} // namespace Game
