// CHop: a quick hop along the facing towards a target, at 2.5 times the speed for 0.6 of the
// time asked; the end gives back the normal speed and stops the character.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CHop : public CMove {
public:
    static constexpr float kSpeedFactor = 2.5f;
    static constexpr float kTimeShare = 0.6f;

    CHop(CCharacter* owner, float seconds);
    ~CHop() override;
    bool Update(float dt) override { return CountDownTime(dt); }
};

} // namespace Game
