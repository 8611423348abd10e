#include "game/controllers/CApparationController.h"

#include "game/combat/CAttackPool.h"
#include "game/entities/CCharacter.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"
#include "math/GameMath.h"
#include "math/Random.h"

#include <cmath>
#include <limits>

namespace Game {

CApparationController::CApparationController()
{
    // A ghost does not keep to a home area: every walking turn heads in a new random direction.
    m_WanderRadius = std::numeric_limits<float>::infinity();
}

void CApparationController::Attach(const ControllerSetting& setting)
{
    m_Emitter.reset();
    m_TurnedAway = false;
    m_ShotsFired = 0;
    m_VolleySize = 0;
    m_BurstStarted = false;
    m_DodgeTime = 0.0f;
    m_DodgeLength = 0.0f;
    CEnemyController::Attach(setting);
    m_IdleTurn = true;

    m_Emitter = MakeRegisteredEmitter(kBurstEffect, kBurstParticles, kBurstMode);
}

void CApparationController::Detach()
{
    CEnemyController::Detach();
    m_Emitter.reset();
}

void CApparationController::Update(float dt)
{
    CCharacter* owner = GetOwner();
    if (owner && IsBehaviourFrozen(*owner))
        owner->StopMoving();
    CEnemyController::Update(dt);
}

void CApparationController::OnHit(const int& damage)
{
    (void)damage;
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->m_Dodging = true;
    m_DodgeTime = 0.0f;
    m_DodgeLength = kDodgeLength;
}

void CApparationController::BuildBehaviour()
{
    using C = CApparationController;
    AddBehaviourState("alive_wander", On<C>(&C::WanderEnter), On<C>(&C::WanderStep), On<C>(&C::WanderExit),
                      "alivestate");
    AddBehaviourState("alive_attack", On<C>(&C::VolleyEnter), On<C>(&C::VolleyUpdate), nullptr, "alivestate");

    AddBehaviourTransition("alive_wander", "alive_attack", When<C>(&C::RefreshTargets));
    AddBehaviourTransition("alive_attack", "alive_wander", When<C>(&C::VolleyIsOver));
}

void CApparationController::BuildAnimations()
{
    AddAnimation("IDLE", "IDLE", 0);
    AddAnimation("WALK", "MOVING", 0);
    AddAnimation("STUN", "STUN", 0);
    AddAnimation("DEATH", "DEATH", 1, false);
}

bool CApparationController::ChooseIdleTurn() { return !m_TurnedAway && CEnemyController::ChooseIdleTurn(); }

// The common states.

void CApparationController::AliveUpdate(float dt)
{
    CEnemyController::AliveUpdate(dt);
    CCharacter* owner = GetOwner();
    if (!owner || !owner->m_Dodging)
        return;
    m_DodgeTime += dt;
    if (m_DodgeTime > m_DodgeLength) {
        m_DodgeTime = 0.0f;
        owner->m_Dodging = false;
    }
}

bool CApparationController::ShouldDie()
{
    const CCharacter* owner = GetOwner();
    return owner && owner->m_Health < 1;
}

void CApparationController::DyingEnter()
{
    ForceAnimation("DEATH");
    StopContacts();
}

bool CApparationController::IsDyingDone() { return GetAnimationState() == "DEATH" && IsAnimationFinished(); }

// The volley.

void CApparationController::VolleyEnter()
{
    SetTarget(ChooseTarget());
    CCharacter* owner = GetOwner();
    if (!owner || !GetTarget())
        return;
    owner->StopMoving();
    RequestAnimation("IDLE");
    m_ShotsFired = 0;
    m_VolleySize = Random15() % kMaxVolley + 1;
    if (m_Emitter)
        m_Emitter->SetPosition(owner->GetPosition() +
                               CVector3D(0.0f, kBurstHeight - owner->GetDimensions().y * 0.5f, 0.0f));
    m_AttackCountdown = m_AttackCooldown;
}

void CApparationController::VolleyUpdate(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || !GetTarget())
        return;
    FaceTarget();
    if (m_AttackCountdown > m_AttackCooldown * 0.5f && !m_BurstStarted) {
        if (m_Emitter)
            m_Emitter->Restart();
        m_BurstStarted = true;
    }
    if (!CountDown(&m_AttackCountdown, dt))
        return;
    const CCharacter* target = GetTargetCharacter();
    if (!target || !IsAlive(*target)) {
        ClearTarget();
        return;
    }
    CAttackPool::GetInstance().SpawnAttack(owner, kFireball);
    ++m_ShotsFired;
    m_AttackCountdown = m_AttackCooldown;
    m_BurstStarted = false;
}

bool CApparationController::VolleyIsOver()
{
    if (GetTarget() && RefreshTargets() && m_ShotsFired < m_VolleySize)
        return false;
    TurnAway();
    return true;
}

void CApparationController::TurnAway()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    const float angle = RandomRange(-kTurnAwayAngle, kTurnAwayAngle);
    owner->SetDirection(-RotatedAboutUp(owner->GetDirection(), angle));
    m_IdleTurn = false;
    m_TurnedAway = true;
}

} // namespace Game
