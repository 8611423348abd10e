#include "game/controllers/CBoarController.h"

#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CControllerManager.h"
#include "game/entities/CCharacter.h"

namespace Game {

void CBoarController::BuildBehaviour()
{
    using C = CBoarController;
    AddBehaviourState("alive_wander", On<C>(&C::WanderEnter), On<C>(&C::WanderUpdate), On<C>(&C::WanderExit),
                      "alivestate");
    AddBehaviourState("alive_seek", On<C>(&C::BoarSeekEnter), On<C>(&C::BoarSeekUpdate), On<C>(&C::BoarSeekExit),
                      "alivestate");
    AddBehaviourState("alive_attack", On<C>(&C::MeleeAttackEnter), On<C>(&C::MeleeAttackUpdate),
                      On<C>(&C::MeleeAttackExit), "alivestate");
    AddBehaviourState("alive_charge", On<C>(&C::ChargeEnter), On<C>(&C::ChargeUpdate), On<C>(&C::ChargeExit),
                      "alivestate");
    AddBehaviourState("alive_flee", On<C>(&C::FleeEnter), On<C>(&C::FleeUpdate), nullptr, "alivestate");

    State* wander = m_Behaviour->FindState("alive_wander");
    wander->AddSelectorTransition({m_Behaviour->FindState("alive_seek"), m_Behaviour->FindState("alive_charge")},
                                  Pick<C>(&C::PickSeekOrCharge));
    AddBehaviourTransition("alive_seek", "alive_charge", When<C>(&C::IsTargetInReach));
    AddBehaviourTransition("alive_seek", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_seek", "alive_charge", When<C>(&C::IsSeekPeriodOver));
    AddBehaviourTransition("alive_charge", "alive_seek", When<C>(&C::IsRecovered));
    // The melee attack and the flight are entered only by a change of state by name.
    AddBehaviourTransition("alive_attack", "alive_seek", When<C>(&C::IsTargetOutOfReach));
    AddBehaviourTransition("alive_attack", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack", "alive_flee", When<C>(&C::ShouldFlee));
    AddBehaviourTransition("alive_flee", "alive_wander", When<C>(&C::IsSafeFromTarget));
}

void CBoarController::BuildAnimations()
{
    AddAnimation("IDLE", "IDLE", 0);
    AddAnimation("WALK", "WALK", 0);
    AddAnimation("STUN", "STUN", 1);
    AddAnimation("PREPARECHARGE", "PREPARECHARGE", 0);
    AddAnimation("CHARGE", "CHARGE", 0);
}

void CBoarController::Attach(const ControllerSetting& setting)
{
    CEnemyController::Attach(setting);
    m_SeekTime = 0.0f;
    m_ChargeTime = 0.0f;
    m_RecoveryTime = 0.0f;
    m_ChargeStarted = false;
    m_ChargeFinished = false;
    if (CCharacter* owner = GetOwner())
        owner->m_CoinCount = kCoinCount;
}

void CBoarController::Update(float dt)
{
    ShedParts({{60, "tusks"}, {45, "flab1"}, {30, "flab2"}, {15, "flab3"}});
    CEnemyController::Update(dt);
}

void CBoarController::OnHit(const int& damage)
{
    (void)damage;
    m_AttackCountdown = m_AttackCooldown;
}

int CBoarController::PickSeekOrCharge()
{
    const CCharacter* target = GetTargetCharacter();
    float distanceSquared = 0.0f;
    if (m_TargetKind != TARGET_ENTITY || !target || target->m_Health < 1 || !GetTargetDistanceSquared(distanceSquared))
        return State::kNoTransition;
    if (distanceSquared < m_DetectionRadius * m_DetectionRadius)
        return 0;
    if (distanceSquared < m_FovLength * m_FovLength)
        return 1;
    return State::kNoTransition;
}

// Seek.

void CBoarController::BoarSeekEnter()
{
    SeekEnter();
    m_SeekTime = 0.0f;
}

void CBoarController::BoarSeekUpdate(float dt)
{
    const CCharacter* owner = GetOwner();
    if (owner && !(owner->m_StunTimer > 0.0f) && !owner->m_Suspend)
        m_SeekTime += dt;
    SeekUpdate(dt);
}

void CBoarController::BoarSeekExit() { m_SeekTime = 0.0f; }

bool CBoarController::IsSeekPeriodOver()
{
    const CCharacter* target = GetTargetCharacter();
    if (!target || target->m_Health < 1 || !(m_SeekTime > kSeekPeriod))
        return false;
    m_SeekTime = 0.0f;
    float distanceSquared = 0.0f;
    return GetTargetDistanceSquared(distanceSquared) && distanceSquared >= m_DetectionRadius * m_DetectionRadius &&
           distanceSquared < m_FovLength * m_FovLength;
}

// Charge.

void CBoarController::ChargeEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    LeaveGroup(CControllerManager::kCollisionAvoidanceName);
    // The boar stands while it winds up.
    owner->StopMoving();
    m_ChargeTime = 0.0f;
    m_SavedSpeedFactor = owner->m_SpeedFactor;
    m_ChargeStarted = false;
    m_ChargeFinished = false;
    CGameServices::GetInstance().GameMaster().PlaySound("boar_grunt");
    RequestAnimation("PREPARECHARGE");
    m_RecoveryTime = 0.0f;
}

void CBoarController::ChargeUpdate(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    m_ChargeTime += dt;
    if (m_ChargeTime < kPrepareTime) {
        FaceTarget();
        return;
    }
    if (m_ChargeFinished) {
        m_RecoveryTime += dt;
        return;
    }
    if (!m_ChargeStarted)
        StartRun(*owner);
    if (m_SavedSpeedFactor > 0.0f)
        owner->m_SpeedFactor = m_SavedSpeedFactor * kChargeSpeedFactor;
    const bool arrived = owner->MoveTo(m_ChargePoint, true);
    if (arrived || m_ChargeTime > 2.0f * kPrepareTime)
        FinishRun(*owner, dt);
}

void CBoarController::StartRun(CCharacter& owner)
{
    const CVector3D facing = owner.GetDirection();
    const CVector3D ahead = CVector3D(facing.x, 0.0f, facing.z).GetNormalized();
    m_ChargePoint = owner.GetPosition() + ahead * kChargeDistance;
    m_ChargeStarted = true;
    RequestAnimation("CHARGE");
    owner.m_Charging = true;
    CAttackPool::GetInstance().SpawnAttack(&owner, kHeadbuttAttack);
}

void CBoarController::FinishRun(CCharacter& owner, float dt)
{
    m_ChargeFinished = true;
    owner.m_Charging = false;
    // A run cut short by the time limit (blocked on the way) must not slide on.
    owner.StopMoving();
    RequestAnimation("IDLE");
    m_RecoveryTime += dt;
}

void CBoarController::ChargeExit()
{
    m_ChargeStarted = false;
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->m_Charging = false;
    if (m_SavedSpeedFactor > 0.0f)
        owner->m_SpeedFactor = m_SavedSpeedFactor;
}

bool CBoarController::IsRecovered() { return m_ChargeFinished && m_RecoveryTime > kRecoveryPeriod; }

} // namespace Game
