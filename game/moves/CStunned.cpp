#include "game/moves/CStunned.h"

#include "game/entities/CCharacter.h"

namespace Game {

CStunned::CStunned(CCharacter* owner, float seconds) : CMove("stun", owner, seconds)
{
    PlayOnce("STUNALT");
    KeepVerticalVelocity();
}

CStunned::~CStunned()
{
    const CCharacter* owner = GetOwner();
    if (!owner || IsCancelled())
        return;
    PlayLooping(owner->m_CurrentSpeed <= kStandingSpeed ? "IDLE" : "RUNTWO");
}

} // namespace Game
