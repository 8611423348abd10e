// The behaviour blocks the enemy kinds compose: the common alive and death states, facing the
// target, wandering, seeking, the melee attack, flight, groups and shedding model parts.
#include "game/controllers/CEnemyController.h"

#include "game/controllers/CControllerManager.h"
#include "game/entities/CCharacter.h"
#include "game/skills/CGlobalSkillList.h"
#include "math/GameMath.h"
#include "math/Random.h"
#include "physics/CRigidBody.h"

namespace Game {

namespace {

// Activation state of a body taken out of the simulation.
constexpr int kSimulationDisabled = 5;

CVector3D Horizontal(const CVector3D& v) { return CVector3D(v.x, 0.0f, v.z).GetNormalized(); }

} // namespace

// The common states.

void CEnemyController::AliveUpdate(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (owner && owner->m_Health < 1)
        owner->Die();
}

bool CEnemyController::ShouldDie()
{
    const CCharacter* owner = GetOwner();
    return owner && owner->m_Health <= 0 && !owner->m_Suspend;
}

bool CEnemyController::IsDyingDone()
{
    const CCharacter* owner = GetOwner();
    return owner && owner->m_LifeState >= LIFE_DYING;
}

void CEnemyController::DeadEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    CGlobalSkillList::GetInstance().TryDropSkill(owner->GetPosition(), CVector3D(0.0f, kSkillDropSpeed, 0.0f));
    owner->Die();
    m_Enabled = false;
    owner->ShatterAndDrop();
    StopContacts();
}

void CEnemyController::StopContacts()
{
    CCharacter* owner = GetOwner();
    if (Vesk::CRigidBody* body = owner ? owner->GetBody() : nullptr) {
        body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
        body->SetActivationState(kSimulationDisabled);
    }
}

void CEnemyController::DeathAnimationEnter()
{
    ForceAnimation("DIE");
    StopContacts();
}

CVector3D CEnemyController::RandomHorizontalDirection()
{
    return CVector3D(RandomRange(-1.0f, 1.0f), 0.0f, RandomRange(-1.0f, 1.0f)).GetNormalized();
}

void CEnemyController::FaceTarget()
{
    CCharacter* owner = GetOwner();
    CVector3D point;
    if (!owner || !GetTargetPoint(point))
        return;
    owner->FaceTowards(point);
}

// Wander.

bool CEnemyController::ChooseIdleTurn()
{
    if (m_IdleTurn)
        return false;
    return (Random15() & 1) != 0;
}

void CEnemyController::WanderEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    LeaveGroup(CControllerManager::kCollisionAvoidanceName);
    owner->StopMoving();
    owner->m_CurrentSpeed = owner->m_WanderSpeed;
    m_IdleTurn = ChooseIdleTurn();
    if (!m_IdleTurn) {
        if (DistanceSquared(owner->GetPosition(), m_HomePosition) < m_WanderRadius * m_WanderRadius) {
            m_WanderDirection = RandomHorizontalDirection();
        } else {
            m_WanderDirection = -m_WanderDirection;
        }
        m_HomePosition = owner->GetPosition();
        RequestAnimation("WALK");
    }
    m_WanderTimer = RandomRange(0.0f, kWanderTurnTime);
    if (m_IdleTurn) {
        m_WanderTimer *= m_IdleTurnFactor;
        RequestAnimation("IDLE");
    }
    ClearTarget();
}

void CEnemyController::WanderExit() { m_WanderTimer = 0.0f; }

void CEnemyController::WanderStep(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    if (CountDown(&m_WanderTimer, dt)) {
        m_Behaviour->RestartState(Machine::kDeepest);
        return;
    }
    if (!m_IdleTurn)
        owner->MoveTo(owner->GetPosition() + m_WanderDirection * kWanderStep, true);
}

void CEnemyController::WanderUpdate(float dt)
{
    WanderStep(dt);
    if (RefreshTargets())
        SetTarget(ChooseTarget());
}

// Seek, melee attack and flight.

void CEnemyController::SeekEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    JoinGroup(CControllerManager::kCollisionAvoidanceName);
    owner->m_CurrentSpeed = owner->m_PursueSpeed;
    RequestAnimation("WALK");
}

void CEnemyController::SeekUpdate(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    CVector3D point;
    if (!owner || owner->m_StunTimer > 0.0f || owner->m_Suspend || !GetTargetPoint(point))
        return;
    const CVector3D through = point + Horizontal(point - owner->GetPosition()) * kRunThrough;
    owner->MoveTo(through, true);
}

void CEnemyController::MeleeAttackEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    if (GetTarget())
        owner->StopMoving();
    RequestAnimation("IDLE");
    JoinGroup(CControllerManager::kAttackFlockName);
    m_AttackCountdown = m_AttackCooldown;
}

void CEnemyController::MeleeAttackUpdate(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || owner->m_StunTimer > 0.0f || owner->m_Suspend || !owner->GetMoveQueue().IsEmpty())
        return;
    FaceTarget();
    if (CountDown(&m_AttackCountdown, dt)) {
        const CCharacter* target = GetTargetCharacter();
        if (target && IsAlive(*target)) {
            owner->m_Attacking = true;
            m_AttackCountdown = m_AttackCooldown;
            return;
        }
        ClearTarget();
    }
    owner->m_Attacking = false;
}

void CEnemyController::MeleeAttackExit()
{
    if (CCharacter* owner = GetOwner())
        owner->m_Attacking = false;
    LeaveGroup(CControllerManager::kAttackFlockName);
}

void CEnemyController::FleeEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    LeaveGroup(CControllerManager::kCollisionAvoidanceName);
    const CEntity* target = GetTarget();
    CVector3D away = target ? Horizontal(owner->GetPosition() - target->GetPosition()) : CVector3D();
    if (away.Dot(away) == 0.0f)
        away = -Horizontal(owner->GetDirection());
    SetTargetPosition(owner->GetPosition() + away * kFleeDistance);
    RequestAnimation("WALK");
}

void CEnemyController::FleeUpdate(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (owner && m_TargetKind == TARGET_POINT && owner->MoveTo(m_TargetPosition, true))
        m_Behaviour->RestartState(Machine::kDeepest);
}

// Groups and parts.

void CEnemyController::JoinGroup(const char* name)
{
    if (CCharacter* owner = GetOwner())
        owner->JoinSharedController(CControllerManager::GetInstance().GetSharedController(name));
}

void CEnemyController::LeaveGroup(const char* name)
{
    if (CCharacter* owner = GetOwner())
        owner->LeaveSharedControllerByName(name);
}

void CEnemyController::ShedParts(const std::vector<std::pair<int, const char*>>& marks)
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    for (const auto& [health, submesh] : marks)
        if (owner->m_Health < health)
            owner->ShatterSubmesh(submesh);
}

} // namespace Game
