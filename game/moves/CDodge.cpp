#include "game/moves/CDodge.h"

#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/entities/CCharacter.h"

namespace Game {

CDodge::CDodge(CCharacter* owner, float seconds) : CMove("dodge", owner, seconds)
{
    if (!owner)
        return;
    owner->m_Spawning = true;
    owner->m_SpeedFactor = kSpeedFactor;
    MoveAlongFacing();
    PlayOnce("ROLL");
    owner->ExtendActionLock(seconds);
    CGameServices::GetInstance().GameMaster().PlaySound("dodge_roll");
}

CDodge::~CDodge()
{
    if (CCharacter* owner = GetOwner()) {
        owner->m_Spawning = false;
        owner->m_SpeedFactor = 1.0f;
        owner->StopMoving();
    }
}

bool CDodge::Update(float dt)
{
    Replay("ROLL");
    return CountDownTime(dt);
}

} // namespace Game
