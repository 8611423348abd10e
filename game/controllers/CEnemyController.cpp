// The enemy controller's machines: attaching and detaching, the behaviour machine's common states and
// the way kinds add theirs, and the animation machine with its hold state. The behaviour blocks
// are in CEnemyBehaviours.cpp, the target scan and target conditions in CEnemyTargets.cpp.
#include "game/controllers/CEnemyController.h"

#include "game/entities/CCharacter.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "physics/CRigidBody.h"

#include <algorithm>

namespace Game {

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

} // namespace Game
