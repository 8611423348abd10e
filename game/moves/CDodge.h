// CDodge: the dodge roll. The character rolls along its facing, faster than it runs and out of
// reach of hits, and its actions stay locked for the roll; the end gives back the normal speed,
// stops it and makes it hittable again.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CDodge : public CMove {
public:
    static constexpr float kSpeedFactor = 1.7f;

    CDodge(CCharacter* owner, float seconds);
    ~CDodge() override;
    bool Update(float dt) override;
};

} // namespace Game
