// CStunned: the character reels where it stands (it may still fall) and, when the stun ends,
// goes back to standing or running.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CStunned : public CMove {
public:
    // Up to this current speed the stun ends standing ("IDLE"), above it running ("RUNTWO").
    static constexpr float kStandingSpeed = 1.0f;

    CStunned(CCharacter* owner, float seconds);
    ~CStunned() override;
    bool Update(float dt) override { return HoldInPlace(dt); }
};

} // namespace Game
