// The three swings of the sword combo: each plays its swing once and lasts its time; the attack
// itself is launched by the player's actions.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

// A move that plays one animation once when it starts and then only counts down.
class CTimedSwing : public CMove {
public:
    CTimedSwing(const std::string& name, const std::string& clip, CCharacter* owner, float seconds);
    bool Update(float dt) override { return CountDownTime(dt); }
};

class CSwingOne : public CTimedSwing {
public:
    CSwingOne(CCharacter* owner, float seconds) : CTimedSwing("swingone", "SWINGONE", owner, seconds) {}
};

class CSwingTwo : public CTimedSwing {
public:
    CSwingTwo(CCharacter* owner, float seconds) : CTimedSwing("swingTwo", "SWINGTWO", owner, seconds) {}
};

class CSwingThree : public CTimedSwing {
public:
    CSwingThree(CCharacter* owner, float seconds) : CTimedSwing("swingThree", "SWINGTHREE", owner, seconds) {}
};

} // namespace Game
