// CFireGeyser: a swing that raises three fire geysers in front of the character and punches the
// camera sideways; the character is held in place while it lasts.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CFireGeyser : public CMove {
public:
    static constexpr float kPunch = 2.0f;

    CFireGeyser(CCharacter* owner, float seconds);
    bool Update(float dt) override { return HoldInPlace(dt); }
};

} // namespace Game
