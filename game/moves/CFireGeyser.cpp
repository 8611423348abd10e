#include "game/moves/CFireGeyser.h"

#include "game/cameras/ICameraJolts.h"
#include "game/entities/CCharacter.h"

namespace Game {

CFireGeyser::CFireGeyser(CCharacter* owner, float seconds) : CMove("firegeyser", owner, seconds)
{
    if (!owner)
        return;
    KeepVerticalVelocity();
    PlayOnce("SWINGTHREE");
    if (ICameraJolts* camera = ICameraJolts::Current())
        camera->AddPunch(kPunch, 1.0f, 0.0f);
}

} // namespace Game
