// CTrap: a level hazard driven by a trap controller (spike, trampoline).
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CTrap : public CEntity {
public:
    int GetType() const override { return GENERIC_TRAPS; }
};

} // namespace Game
