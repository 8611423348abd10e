#include "game/controllers/CSlimeController.h"

#include "game/entities/CCharacter.h"

namespace Game {

void CSlimeController::BuildBehaviour()
{
    using C = CSlimeController;
    AddBehaviourState("alive_wander", On<C>(&C::WanderEnter), On<C>(&C::WanderUpdate), On<C>(&C::WanderExit),
                      "alivestate");
    AddBehaviourState("alive_seek", On<C>(&C::SeekEnter), On<C>(&C::SeekUpdate), nullptr, "alivestate");
    AddBehaviourState("alive_attack", On<C>(&C::MeleeAttackEnter), On<C>(&C::MeleeAttackUpdate),
                      On<C>(&C::MeleeAttackExit), "alivestate");

    AddBehaviourTransition("alive_wander", "alive_seek", When<C>(&C::HasTargetSet));
    AddBehaviourTransition("alive_seek", "alive_attack", When<C>(&C::IsTargetInReach));
    AddBehaviourTransition("alive_seek", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack", "alive_seek", When<C>(&C::IsTargetOutOfReach));
    AddBehaviourTransition("alive_attack", "alive_wander", When<C>(&C::FindsNobody));
}

void CSlimeController::BuildAnimations()
{
    AddAnimation("IDLE", "IDLE", 0);
    AddAnimation("WALK", "WALK", 0);
    AddAnimation("STUN", "STUN", 0);
    AddAnimation("FEEDBACK", "FEEDBACK", 0);
}

bool CSlimeController::IsBehaviourFrozen(const CCharacter& owner) const
{
    return owner.m_StunTimer > 0.0f || !owner.GetMoveQueue().IsEmpty();
}

bool CSlimeController::ShouldDie()
{
    const CCharacter* owner = GetOwner();
    return owner && owner->m_Health < 1;
}

} // namespace Game
