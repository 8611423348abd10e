#include "game/moves/CHop.h"

#include "game/entities/CCharacter.h"

namespace Game {

CHop::CHop(CCharacter* owner, float seconds) : CMove("hop", owner, seconds * kTimeShare)
{
    if (!owner)
        return;
    owner->m_SpeedFactor = kSpeedFactor;
    MoveAlongFacing();
}

CHop::~CHop()
{
    if (CCharacter* owner = GetOwner()) {
        owner->m_SpeedFactor = 1.0f;
        owner->StopMoving();
    }
}

} // namespace Game
