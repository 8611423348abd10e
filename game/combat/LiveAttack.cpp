#include "game/combat/LiveAttack.h"

#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/combat/CAttackPool.h"
#include "game/entities/CEntity.h"
#include "game/fx/CSprite3D.h"
#include "math/GameMath.h"
#include "physics/CRigidBody.h"

namespace Game {

namespace LiveAttack {

void PlaceBesideUser(AttackRecord& attack, const CEntity& user)
{
    CVector3D offset;
    FacingOffsetToWorld(offset, user.GetDirection(), attack.m_OffsetFromUser);
    attack.m_pBody->SetPosition(user.GetPosition() + offset);
}

void PlaceSprite(AttackRecord& attack, const CEntity& user)
{
    if (!attack.m_pSprite)
        return;
    CVector3D direction;
    if (attack.m_MovementType == ATTACK_STAYS || attack.m_MovementType == ATTACK_FOLLOWS)
        direction = user.GetDirection();
    else if (attack.m_MovementType == ATTACK_FLIES)
        direction = attack.m_pBody->GetLinearVelocity();
    else
        return;
    attack.m_pSprite->SetTransform(attack.m_pBody->GetPosition(), direction, CVector3D(0.0f, 1.0f, 0.0f));
    attack.m_pSprite->SetVisible(attack.m_Delay <= 0.0f);
}

void End(AttackRecord& attack)
{
    attack.m_Active = false;
    CAttackPool::GetInstance().QueueRemoval(&attack);
}

void Update(AttackRecord& attack, float dt)
{
    if (!attack.m_Active)
        return;
    const CEntity* user = attack.m_User.Get();
    if (!user) {
        End(attack);
        return;
    }
    if (attack.m_MovementType == ATTACK_FOLLOWS)
        PlaceBesideUser(attack, *user);
    // A staying attack's sprite keeps what it was given at the spawn.
    if (attack.m_MovementType == ATTACK_FOLLOWS || attack.m_MovementType == ATTACK_FLIES)
        PlaceSprite(attack, *user);

    if (!CountDown(&attack.m_Delay, dt))
        return;
    if (!attack.m_UseSoundPlayed) {
        CGameServices::GetInstance().GameMaster().PlaySound(attack.m_UseSound);
        attack.m_UseSoundPlayed = true;
    }
    if (CountDown(&attack.m_Persist, dt)) {
        End(attack);
        CGameServices::GetInstance().GameMaster().PlaySound(attack.m_DieSound);
    }
}

} // namespace LiveAttack

} // namespace Game
