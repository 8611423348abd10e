#include "game/controllers/CGolemController.h"

#include "game/combat/CAttackPool.h"
#include "game/entities/CCharacter.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"

namespace Game {

CGolemController::CGolemController() { m_IdleTurnFactor = kIdleTurnFactor; }

void CGolemController::BuildBehaviour()
{
    using C = CGolemController;
    AddBehaviourState("alive_wander", On<C>(&C::WanderEnter), On<C>(&C::WanderUpdate), On<C>(&C::WanderExit),
                      "alivestate");
    AddBehaviourState("alive_seek", On<C>(&C::SeekEnter), On<C>(&C::SeekUpdate), nullptr, "alivestate");
    AddBehaviourState("alive_attack", On<C>(&C::AttackEnter), On<C>(&C::AttackUpdate), nullptr, "alivestate");
    AddBehaviourState("alive_attack_charging", On<C>(&C::ChargingEnter), On<C>(&C::ChargingUpdate), nullptr,
                      "alive_attack");
    AddBehaviourState("alive_attack_strike", On<C>(&C::StrikeEnter), On<C>(&C::StrikeUpdate), nullptr, "alive_attack");

    AddBehaviourTransition("alive_wander", "alive_seek", When<C>(&C::HasTargetSet));
    AddBehaviourTransition("alive_seek", "alive_attack", When<C>(&C::IsTargetInReach));
    AddBehaviourTransition("alive_seek", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack", "alive_seek", When<C>(&C::IsStrikeOver));
    AddBehaviourTransition("alive_attack", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack_charging", "alive_attack_strike", When<C>(&C::IsChargeDone));
}

void CGolemController::BuildAnimations()
{
    AddAnimation("IDLE", "IDLE", 1);
    AddAnimation("WALK", "MOVING", 0);
    AddAnimation("STUN", "STUN", 0);
    AddAnimation("ATTACKCHARGE", "CHARGING", 1);
    AddAnimation("ATTACKSTRIKE", "ATTACKING", 1);
}

void CGolemController::Attach(const ControllerSetting& setting)
{
    m_BoomEmitter.reset();
    CEnemyController::Attach(setting);
    m_StrikePending = false;
    m_ChargeTime = 0.0f;
    m_ChargeDuration = kChargeDuration;
    m_BoomEmitter = MakeRegisteredEmitter("golemboom_effect", kBoomParticles, 0);
}

void CGolemController::Detach()
{
    m_BoomEmitter.reset();
    CEnemyController::Detach();
}

// Attack.

void CGolemController::AttackEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner || !GetTarget())
        return;
    owner->StopMoving();
    m_StrikePending = true;
}

void CGolemController::AttackUpdate(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->StopMoving();
    const CCharacter* target = GetTargetCharacter();
    if (target && !IsAlive(*target))
        ClearTarget();
}

bool CGolemController::IsStrikeOver()
{
    return GetTarget() && IsAnimationFinished() && !m_StrikePending && IsTargetOutOfReach();
}

void CGolemController::ChargingEnter()
{
    FaceTarget();
    RequestAnimation("ATTACKCHARGE");
    m_ChargeTime = 0.0f;
    m_ChargeDuration = kChargeDuration;
}

void CGolemController::ChargingUpdate(float dt) { m_ChargeTime += dt; }

bool CGolemController::IsChargeDone() { return IsAnimationFinished() && m_ChargeTime > m_ChargeDuration; }

void CGolemController::StrikeEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    RequestAnimation("ATTACKSTRIKE");
    CAttackPool::GetInstance().SpawnAttack(owner, kSlamAttack);
    m_StrikePending = false;
    if (m_BoomEmitter) {
        const float drop = owner->GetDimensions().y * 0.5f + kBoomDrop;
        m_BoomEmitter->SetPosition(owner->GetPosition() - CVector3D(0.0f, drop, 0.0f));
        m_BoomEmitter->Restart();
    }
}

void CGolemController::StrikeUpdate(float dt)
{
    (void)dt;
    if (IsTargetInReach())
        m_Behaviour->RestartState(1);
}

} // namespace Game
