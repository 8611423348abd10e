#include "game/moves/CRisingDragon.h"

#include "game/entities/CCharacter.h"

namespace Game {

CRisingDragon::CRisingDragon(CCharacter* owner, float seconds) : CMove("risingDragon", owner, seconds)
{
    if (!owner)
        return;
    PlayOnce("ATTACKUPPERCUT");
    const CVector3D& facing = owner->GetDirection();
    owner->SetLinearVelocity(CVector3D(facing.x * kForwardSpeed, kRiseSpeed, facing.z * kForwardSpeed));
}

bool CRisingDragon::Update(float dt)
{
    Replay("ATTACKUPPERCUT");
    return CountDownTime(dt);
}

} // namespace Game
