#include "game/controllers/CUndeadController.h"

#include "game/controllers/CControllerManager.h"
#include "game/entities/CCharacter.h"

#include <utility>
#include <vector>

namespace Game {

void CUndeadController::Attach(const ControllerSetting& setting)
{
    m_FakeDeathsUsed = 0;
    m_FakeDeathTimer = 0.0f;
    CEnemyController::Attach(setting);
}

void CUndeadController::BuildBehaviour()
{
    using C = CUndeadController;
    AddBehaviourState("fakedeathstate", On<C>(&C::FakeDeathEnter), On<C>(&C::FakeDeathUpdate), On<C>(&C::FakeDeathExit),
                      "");
    AddBehaviourState("alive_wander", On<C>(&C::WanderEnter), On<C>(&C::WanderUpdate), On<C>(&C::WanderExit),
                      "alivestate");
    AddBehaviourState("alive_seek", On<C>(&C::SeekEnter), On<C>(&C::SeekUpdate), nullptr, "alivestate");
    AddBehaviourState("alive_attack", On<C>(&C::MeleeAttackEnter), On<C>(&C::WindUpAttackUpdate),
                      On<C>(&C::MeleeAttackExit), "alivestate");

    AddBehaviourTransition("alivestate", "fakedeathstate", When<C>(&C::ShouldFakeDeath));
    AddBehaviourTransition("fakedeathstate", "alivestate", When<C>(&C::IsFakeDeathOver));
    AddBehaviourTransition("alive_wander", "alive_seek", When<C>(&C::HasTargetSet));
    AddBehaviourTransition("alive_seek", "alive_attack", When<C>(&C::IsTargetInReach));
    AddBehaviourTransition("alive_seek", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack", "alive_seek", When<C>(&C::IsTargetOutOfReach));
    AddBehaviourTransition("alive_attack", "alive_wander", When<C>(&C::FindsNobody));
}

void CUndeadController::BuildAnimations()
{
    SetHoldAnimation("HIT");
    AddAnimation("IDLE", "IDLE", 0);
    AddAnimation("WALK", "WALK", 0);
    AddAnimation("SPIN", "SPIN", 0);
    AddAnimation("FAKEDEATH", "FAKEDEATH", 1, false);
    AddAnimation("HIT", "HITTED", 0);
    AddAnimation("ATTACKDELAY", "ATTACKDELAY", 1);
    AddAnimation("ATTACKSTRIKE", "ATTACKSTRIKE", 1);
    AddAnimation("DIE", "DEATH", 1, false);
}

void CUndeadController::Update(float dt)
{
    static const std::vector<std::pair<int, const char*>> kParts = {{7, "rib1"}};
    ShedParts(kParts);
    CEnemyController::Update(dt);
}

void CUndeadController::OnHit(const int& damage)
{
    (void)damage;
    m_AttackCountdown = 0.0f;
}

void CUndeadController::OnFlockLaunch() { RequestAnimation("ATTACKSTRIKE"); }

bool CUndeadController::IsFakeDead() const { return GetStateName(0) == "fakedeathstate"; }

// Death and fake death.

bool CUndeadController::HasNoHealthLeft() const
{
    const CCharacter* owner = GetOwner();
    return owner && owner->m_Health <= 0 && !owner->m_Suspend && owner->GetMoveQueue().IsEmpty();
}

void CUndeadController::AliveUpdate(float dt)
{
    if (m_FakeDeathsUsed >= kFakeDeathsAllowed)
        CEnemyController::AliveUpdate(dt);
}

bool CUndeadController::ShouldDie() { return m_FakeDeathsUsed >= kFakeDeathsAllowed && HasNoHealthLeft(); }

bool CUndeadController::ShouldFakeDeath() { return m_FakeDeathsUsed < kFakeDeathsAllowed && HasNoHealthLeft(); }

void CUndeadController::FakeDeathEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->m_Invulnerable = true;
    owner->m_Attacking = false;
    // Lying still: out of the groups that would steer it or launch its attacks.
    LeaveGroup(CControllerManager::kCollisionAvoidanceName);
    LeaveGroup(CControllerManager::kAttackFlockName);
    ForceAnimation("FAKEDEATH");
    ++m_FakeDeathsUsed;
    m_FakeDeathTimer = 0.0f;
}

void CUndeadController::FakeDeathUpdate(float dt)
{
    m_FakeDeathTimer += dt;
    if (CCharacter* owner = GetOwner())
        owner->StopMoving();
}

void CUndeadController::FakeDeathExit()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->m_Invulnerable = false;
    owner->m_Health = static_cast<int>(static_cast<float>(owner->m_MaxHealth) * kRiseHealthShare);
    owner->SetLifeState(LIFE_ALIVE);
}

// The wind-up attack: the timer counts up; past the cooldown the attack is due.

void CUndeadController::WindUpAttackUpdate(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || owner->m_Suspend)
        return;
    FaceTarget();
    m_AttackCountdown += dt;
    const float due = m_AttackCooldown;
    if (GetAnimationState() == "ATTACKSTRIKE" && kRaiseShare * due < m_AttackCountdown && m_AttackCountdown < due)
        RequestAnimation("ATTACKDELAY");
    if (GetTarget() && m_AttackCountdown > due) {
        const CCharacter* target = GetTargetCharacter();
        if (target && IsAlive(*target)) {
            owner->m_Attacking = true;
            m_AttackCountdown = 0.0f;
            return;
        }
        ClearTarget();
    }
    owner->m_Attacking = false;
}

} // namespace Game
