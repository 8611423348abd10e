// The drill dashes of the charged attack: the full charge drill runs along the facing for its
// whole time, the weak drill only for its first fifth. The character cannot be hit while
// drilling; both give back the normal speed when they end.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CChargeDrill : public CMove {
public:
    static constexpr float kSpeedFactor = 1.4f;

    CChargeDrill(CCharacter* owner, float seconds);
    ~CChargeDrill() override;
    bool Update(float dt) override;
};

class CWeakDrill : public CMove {
public:
    static constexpr float kSpeedFactor = 1.8f;
    // The drill runs while more than this share of its time is left.
    static constexpr float kRunningShare = 0.8f;

    CWeakDrill(CCharacter* owner, float seconds);
    ~CWeakDrill() override;
    bool Update(float dt) override;

private:
    float m_TotalTime;
};

} // namespace Game
