#include "game/moves/DrillMoves.h"

#include "game/entities/CCharacter.h"

namespace Game {

namespace {

// Drilling: out of reach of hits and out of any stun.
void StartDrilling(CCharacter* owner)
{
    if (!owner)
        return;
    owner->m_Spawning = true;
    owner->m_StunTimer = 0.0f;
}

void StopDrilling(CCharacter* owner)
{
    if (!owner)
        return;
    owner->m_Spawning = false;
    owner->m_SpeedFactor = 1.0f;
}

} // namespace

CChargeDrill::CChargeDrill(CCharacter* owner, float seconds) : CMove("chargeDrill", owner, seconds)
{
    StartDrilling(owner);
    PlayOnce("DRILLATK");
}

CChargeDrill::~CChargeDrill() { StopDrilling(GetOwner()); }

bool CChargeDrill::Update(float dt)
{
    Replay("DRILLATK");
    CCharacter* owner = GetOwner();
    if (owner && m_TimeLeft > 0.0f) {
        owner->m_SpeedFactor = kSpeedFactor;
        MoveAlongFacing();
    }
    return CountDownTime(dt);
}

CWeakDrill::CWeakDrill(CCharacter* owner, float seconds) : CMove("weakDrill", owner, seconds), m_TotalTime(seconds)
{
    StartDrilling(owner);
    PlayOnce("MINIDRILLATK");
}

CWeakDrill::~CWeakDrill() { StopDrilling(GetOwner()); }

bool CWeakDrill::Update(float dt)
{
    Replay("MINIDRILLATK");
    if (CCharacter* owner = GetOwner()) {
        if (m_TimeLeft > kRunningShare * m_TotalTime) {
            owner->m_SpeedFactor = kSpeedFactor;
            MoveAlongFacing();
        } else {
            owner->m_SpeedFactor = 1.0f;
            owner->StopMoving();
        }
    }
    return CountDownTime(dt);
}

} // namespace Game
