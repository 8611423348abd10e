#include "game/moves/CDeath.h"

#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/entities/CCharacter.h"
#include "game/moves/ExtraFunction.h"
#include "physics/CRigidBody.h"

namespace Game {

CDeath::CDeath(CCharacter* owner, float seconds, ExtraFunction* extra) : CMove("death", owner, seconds, extra)
{
    if (!owner)
        return;
    owner->Die();
    PlayOnce("DEATH");
    if (Vesk::CRigidBody* body = owner->GetBody()) {
        body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
        body->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
    }
}

CDeath::~CDeath()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    if (!IsCancelled()) {
        CGameServices::GetInstance().GameMaster().PlaySound("minion_die");
        owner->ShatterAndDrop();
    }
    owner->StopMoving();
    owner->ExtendActionLock(kActionLockAfter);
    if (!IsCancelled() && GetExtra())
        GetExtra()->Run();
}

bool CDeath::Update(float dt)
{
    if (CCharacter* owner = GetOwner())
        owner->StopMoving();
    return CountDownTime(dt);
}

} // namespace Game
