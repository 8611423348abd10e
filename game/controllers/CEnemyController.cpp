#include "game/controllers/CEnemyController.h"

#include "game/controllers/CControllerManager.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "math/GameMath.h"
#include "math/Random.h"
#include "physics/CRigidBody.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace Game {

namespace {

// Activation state of a body taken out of the simulation.
constexpr int kSimulationDisabled = 5;

CVector3D Horizontal(const CVector3D& v) { return CVector3D(v.x, 0.0f, v.z).GetNormalized(); }

} // namespace

CEnemyController::~CEnemyController() { CEnemyController::Detach(); }

void CEnemyController::Attach(const ControllerSetting& setting)
{
    CCharacterController::Attach(setting);
    m_DetectionRadius = setting.m_DetectionRadius;
    m_FovLength = setting.m_FovLength;
    m_HalfFovDegrees = setting.m_FovDegrees * 0.5f;
    m_AttackCooldown = setting.m_AttackCooldown;
    m_TargetKind = TARGET_NONE;

    m_Behaviour = std::make_unique<Machine>(this);
    BuildCommonStates();
    BuildBehaviour();

    if (CCharacter* owner = GetOwner()) {
        m_HomePosition = owner->GetPosition();
        if (Vesk::CRigidBody* body = owner->GetBody())
            body->SetAngularFactor(false, false, false);
    }

    m_Animation = std::make_unique<Machine>(this);
    m_Clips.clear();
    m_PlayingState = nullptr;
    m_HeldAnimation.clear();
    BuildAnimations();
    FinishAnimations();
}

void CEnemyController::Detach()
{
    CCharacterController::Detach();
    m_AttackCountdown = 0.0f;
    m_Behaviour.reset();
    m_Animation.reset();
    m_PlayingState = nullptr;
    m_TargetKind = TARGET_NONE;
    m_NearTargets.clear();
    m_SeenTargets.clear();
}

void CEnemyController::Update(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || !m_Behaviour)
        return;
    if (!IsBehaviourFrozen(*owner))
        m_Behaviour->Update(dt);
    // The behaviour may have ended the controller's owner or machines.
    if (GetOwner() && m_Animation)
        UpdateAnimations(dt);
}

bool CEnemyController::IsBehaviourFrozen(const CCharacter& owner) const { return owner.m_ActionLockTimer > 0.0f; }

void CEnemyController::BuildCommonStates()
{
    if (HasSpawnState())
        AddBehaviourState("spawnstate", &CEnemyController::SpawnEnter, &CEnemyController::SpawnUpdate,
                          &CEnemyController::SpawnExit, "");
    AddBehaviourState("alivestate", nullptr, &CEnemyController::AliveUpdate, nullptr, "");
    AddBehaviourState("deathstate", nullptr, nullptr, nullptr, "");
    AddBehaviourState("death_dying", &CEnemyController::DyingEnter, nullptr, nullptr, "deathstate");
    AddBehaviourState("death_dead", &CEnemyController::DeadEnter, nullptr, nullptr, "deathstate");
    AddBehaviourTransition("spawnstate", "alivestate", &CEnemyController::IsSpawnFinished);
    AddBehaviourTransition("alivestate", "deathstate", &CEnemyController::ShouldDie);
    AddBehaviourTransition("death_dying", "death_dead", &CEnemyController::IsDyingDone);
}

CEnemyController::State* CEnemyController::AddBehaviourState(const std::string& name, Callback enter,
                                                             UpdateCallback update, Callback exit,
                                                             const std::string& parent)
{
    State* parentState = parent.empty() ? nullptr : m_Behaviour->FindState(parent);
    return m_Behaviour->AddState(name, enter, update, exit, parentState);
}

void CEnemyController::AddBehaviourTransition(const std::string& from, const std::string& to, Condition condition)
{
    State* source = m_Behaviour->FindState(from);
    State* target = m_Behaviour->FindState(to);
    if (source && target)
        source->AddTransition(target, condition);
}

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

// Targets.

void CEnemyController::ScanForTargets(std::vector<CEntity*>& nearTargets, std::vector<CEntity*>& seenTargets) const
{
    const CCharacter* owner = GetOwner();
    if (!owner)
        return;
    const float nearSquared = m_DetectionRadius * m_DetectionRadius;
    const float sightSquared = m_FovLength * m_FovLength;
    const CVector3D facing = owner->GetDirection().GetNormalized();
    for (CEntity* player : CEntityFactory::GetInstance().FindPlayer()) {
        const CVector3D d = player->GetPosition() - owner->GetPosition();
        const float distanceSquared = d.Dot(d);
        if (distanceSquared < nearSquared) {
            nearTargets.push_back(player);
            continue;
        }
        if (!(distanceSquared < sightSquared))
            continue;
        const float c = facing.Dot(d.GetNormalized());
        if (c < 0.0f)
            continue;
        const float angle = c >= 1.0f ? 0.0f : std::acos(c) * kDegreesPerRadian;
        if (m_HalfFovDegrees > angle)
            seenTargets.push_back(player);
    }
}

bool CEnemyController::RefreshTargets()
{
    std::vector<CEntity*> nearTargets;
    std::vector<CEntity*> seenTargets;
    ScanForTargets(nearTargets, seenTargets);
    m_NearTargets.clear();
    m_SeenTargets.clear();
    for (const CEntity* target : nearTargets)
        m_NearTargets.emplace_back(target);
    for (const CEntity* target : seenTargets)
        m_SeenTargets.emplace_back(target);
    return !nearTargets.empty() || !seenTargets.empty();
}

CCharacter* CEnemyController::ChooseTarget()
{
    std::vector<CCharacter*> nearTargets;
    for (const EntityHandle& handle : m_NearTargets)
        if (auto* character = handle.GetAs<CCharacter>())
            nearTargets.push_back(character);
    if (!nearTargets.empty())
        return nearTargets[static_cast<size_t>(Random15()) % nearTargets.size()];

    const CCharacter* owner = GetOwner();
    if (!owner)
        return nullptr;
    CCharacter* best = nullptr;
    float bestDistance = FLT_MAX;
    for (const EntityHandle& handle : m_SeenTargets) {
        auto* character = handle.GetAs<CCharacter>();
        if (!character)
            continue;
        const float distance = DistanceSquared(character->GetPosition(), owner->GetPosition());
        if (distance < bestDistance) {
            bestDistance = distance;
            best = character;
        }
    }
    return best;
}

bool CEnemyController::GetTargetPoint(CVector3D& out) const
{
    if (m_TargetKind == TARGET_ENTITY) {
        if (const CEntity* target = GetTarget()) {
            out = target->GetPosition();
            return true;
        }
        return false;
    }
    if (m_TargetKind == TARGET_POINT) {
        out = m_TargetPosition;
        return true;
    }
    return false;
}

bool CEnemyController::GetTargetDistanceSquared(float& out) const
{
    const CCharacter* owner = GetOwner();
    CVector3D point;
    if (!owner || !GetTargetPoint(point))
        return false;
    out = DistanceSquared(point, owner->GetPosition());
    return true;
}

CCharacter* CEnemyController::GetTargetCharacter() const { return m_Target.GetAs<CCharacter>(); }

bool CEnemyController::IsAlive(const CCharacter& character)
{
    return character.m_Health >= 1 && character.m_LifeState < LIFE_DYING;
}

void CEnemyController::FaceTarget()
{
    CCharacter* owner = GetOwner();
    CVector3D point;
    if (!owner || !GetTargetPoint(point))
        return;
    owner->FaceTowards(point);
}

bool CEnemyController::IsTargetInReach()
{
    const CCharacter* owner = GetOwner();
    CVector3D point;
    if (!owner || !GetTargetPoint(point))
        return false;
    return DistanceSquared(point, owner->GetPosition()) <= owner->m_AttackRadius * owner->m_AttackRadius;
}

bool CEnemyController::IsTargetOutOfReach()
{
    const CCharacter* owner = GetOwner();
    CVector3D point;
    if (!owner || !GetTargetPoint(point))
        return true;
    return DistanceSquared(point, owner->GetPosition()) >= owner->m_AttackRadius * owner->m_AttackRadius;
}

bool CEnemyController::ShouldFlee()
{
    const CCharacter* owner = GetOwner();
    const CCharacter* target = GetTargetCharacter();
    return owner && target && owner->GetHealthRatio() <= kFleeOwnRatio && target->GetHealthRatio() >= kFleeTargetRatio;
}

bool CEnemyController::IsSafeFromTarget()
{
    const CCharacter* owner = GetOwner();
    const CEntity* target = GetTarget();
    return owner && target &&
           DistanceSquared(target->GetPosition(), owner->GetPosition()) > kFleeSafeDistance * kFleeSafeDistance;
}

// Animations.

void CEnemyController::AddAnimation(const std::string& state, const std::string& clip, int mode, bool stunnable)
{
    m_Animation->AddState(state, nullptr, nullptr, state == m_HoldState ? &CEnemyController::HoldExit : nullptr,
                          nullptr);
    m_Clips.push_back({state, clip, mode, stunnable && state != m_HoldState});
}

void CEnemyController::AddAnimationReturn(const std::string& from, const std::string& to)
{
    State* source = m_Animation->FindState(from);
    State* target = m_Animation->FindState(to);
    if (source && target)
        source->AddTransition(target, &CEnemyController::ClipFinished);
}

void CEnemyController::FinishAnimations()
{
    State* hold = m_Animation->FindState(m_HoldState);
    if (!hold)
        return;
    std::vector<State*> returns;
    for (const Clip& clip : m_Clips) {
        if (!clip.stunnable)
            continue;
        State* state = m_Animation->FindState(clip.state);
        state->AddTransition(hold, &CEnemyController::StunBegins);
        returns.push_back(state);
    }
    hold->AddSelectorTransition(returns, &CEnemyController::StunEndsSelector);
}

bool CEnemyController::StunBegins()
{
    const CCharacter* owner = GetOwner();
    if (!owner || !(owner->m_StunTimer > 0.0f))
        return false;
    if (const State* leaving = m_Animation->GetEnteredState(0))
        m_HeldAnimation = leaving->GetName();
    return true;
}

int CEnemyController::StunEndsSelector()
{
    const CCharacter* owner = GetOwner();
    if (!owner || owner->m_StunTimer > 0.0f)
        return State::kNoTransition;
    const State* hold = m_Animation->GetEnteredState(0);
    const auto* selector = hold ? hold->GetCurrentSelector() : nullptr;
    if (!selector)
        return State::kNoTransition;
    for (size_t i = 0; i < selector->targets.size(); ++i)
        if (selector->targets[i]->GetName() == m_HeldAnimation)
            return static_cast<int>(i);
    return State::kNoTransition;
}

void CEnemyController::HoldExit() { m_HeldAnimation.clear(); }

void CEnemyController::RequestAnimation(const std::string& name)
{
    if (!m_Animation)
        return;
    const State* active = m_Animation->GetEnteredState(0);
    if (active && active->GetName() == m_HoldState && m_Animation->GetCurrentState(0) == active) {
        m_HeldAnimation = name;
        return;
    }
    m_Animation->ChangeState(name);
}

void CEnemyController::ForceAnimation(const std::string& name)
{
    if (!m_Animation)
        return;
    m_HeldAnimation.clear();
    m_Animation->ChangeState(name);
}

void CEnemyController::UpdateAnimations(float dt)
{
    m_Animation->Update(dt);
    const State* state = m_Animation->GetCurrentState(0);
    if (!state || state == m_PlayingState)
        return;
    m_PlayingState = state;
    const std::string name = state->GetName();
    const auto clip = std::find_if(m_Clips.begin(), m_Clips.end(), [&](const Clip& c) { return c.state == name; });
    CCharacter* owner = GetOwner();
    Vesk::IAnimationController* animation = owner ? owner->GetAnimationController() : nullptr;
    if (clip != m_Clips.end() && animation)
        animation->SetAnimation(clip->clip, clip->mode, 0.0f);
}

bool CEnemyController::IsAnimationFinished() const
{
    const CCharacter* owner = GetOwner();
    const auto* cubes =
        owner ? dynamic_cast<const CVeskCubeAnimationController*>(owner->GetAnimationController()) : nullptr;
    return !cubes || cubes->IsFinished();
}

std::string CEnemyController::GetStateName(unsigned level) const
{
    const State* state = m_Behaviour ? m_Behaviour->GetEnteredState(level) : nullptr;
    return state ? state->GetName() : std::string();
}

std::string CEnemyController::GetAnimationState() const
{
    const State* state = m_Animation ? m_Animation->GetEnteredState(0) : nullptr;
    return state ? state->GetName() : std::string();
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
