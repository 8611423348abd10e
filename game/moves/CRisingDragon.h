// CRisingDragon: the uppercut leap, thrown steeply up and a little forward along the facing.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CRisingDragon : public CMove {
public:
    static constexpr float kForwardSpeed = 10.0f;
    static constexpr float kRiseSpeed = 90.0f;

    CRisingDragon(CCharacter* owner, float seconds);
    bool Update(float dt) override;
};

} // namespace Game
