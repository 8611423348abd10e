#include "game/moves/CFireGeyser.h"

#include "game/base/ICameraJolts.h"
#include "game/combat/CAttackPool.h"
#include "game/entities/CCharacter.h"

namespace Game {

CFireGeyser::CFireGeyser(CCharacter* owner, float seconds) : CMove("firegeyser", owner, seconds)
{
    if (!owner)
        return;
    KeepVerticalVelocity();
    PlayOnce("SWINGTHREE");
    for (const char* geyser : {"FireGeyser1", "FireGeyser2", "FireGeyser3"})
        CAttackPool::GetInstance().SpawnAttack(owner, geyser);
    if (ICameraJolts* camera = ICameraJolts::Current())
        camera->AddPunch(kPunch, 1.0f, 0.0f);
}

} // namespace Game
