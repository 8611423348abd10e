#include "game/controllers/CBigBossController.h"

#include "audio/CAudioSystem.h"
#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/combat/AttackRecord.h"
#include "game/combat/CAttackPool.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/gui/CGuiManager.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "math/GameMath.h"
#include "physics/CRigidBody.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Game {

namespace {

struct CompanionSpec {
    const char* name;
    const char* mesh;
    CVector3D dimensions;
};

// Indexed by CBigBossController::Companion.
const CompanionSpec kCompanions[CBigBossController::COMPANION_COUNT] = {
    {"enemy", "emo_tired", CVector3D(25.0f, 17.0f, 12.0f)},
    {"enemy", "targetmarking", CVector3D(25.0f, 17.0f, 12.0f)},
    {"BigBossSmash", "BigBossSmash", CVector3D(5.0f, 1.0f, 5.0f)},
    {"earth", "dummy_explode", CVector3D(5.0f, 1.0f, 5.0f)},
};

const char* const kBarFrame = "BossHealthBarFrame";
const char* const kBarCurrent = "BossHealthBarCurrent";
const char* const kBarBacking = "BossHealthBarBacking";

const char* const kJumpSmashAttack = "TreantJumpSmash";
const char* const kSmashSound = "boss_smash";
const char* const kBreakSound = "crate_destroy";
const char* const kPlayerName = "player";

const CVector3D kCentre(755.0f, 78.0f, 48.0f);
const float kCentreReach = 8.0f;
const CVector3D kFront(0.0f, 0.0f, -1.0f);

Vesk::CDisplayObject2D* FindBarElement(const char* name) { return CGuiManager::GetInstance().FindElement(0, name); }

void PlayEffect(const char* name, float volume)
{
    Vesk::CAudioSystem::GetInstance().PlaySound(name, false).SetVolume(volume);
}

} // namespace

CBigBossController::~CBigBossController() { CBigBossController::Detach(); }

void CBigBossController::Attach(const ControllerSetting& setting)
{
    CCharacterController::Attach(setting);
    DestroyCompanions();
    m_Machine.reset();
    m_StateTimer = 0.0f;
    m_SmashCount = 0;
    m_MarkerTimer = 0.0f;
    m_GravitySaved = false;
    if (!GetOwner())
        return;
    CreateCompanions();
    BuildMachine();
    SetupHealthBar();
}

void CBigBossController::Detach()
{
    CCharacterController::Detach();
    m_StateTimer = 0.0f;
    m_Machine.reset();
    DestroyCompanions();
}

CEntity* CBigBossController::GetCompanion(Companion which) const
{
    return which >= 0 && which < COMPANION_COUNT ? m_Companions[which].Get() : nullptr;
}

void CBigBossController::CreateCompanions()
{
    CEntityFactory& factory = CEntityFactory::GetInstance();
    for (int i = 0; i < COMPANION_COUNT; ++i) {
        const CompanionSpec& spec = kCompanions[i];
        // Shown pieces only: they touch nothing and nothing touches them.
        EntitySetting setting(spec.mesh, spec.dimensions.x, spec.dimensions.y, spec.dimensions.z, 0, COLGRP_NOTHING,
                              COLGRP_NOTHING, CONTROLLER_TYPE_COUNT);
        setting.m_StartPosition = GetOwner()->GetPosition();
        setting.m_Direction = kFront;
        CEntity* companion = factory.CreateEntity(GENERIC_ENT, spec.name, setting);
        if (!companion)
            continue;
        companion->SetTransient(true);
        companion->SetVisible(false);
        if (Vesk::CRigidBody* body = companion->GetBody()) {
            body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
            body->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
        }
        m_Companions[i] = EntityHandle(companion);
    }
}

void CBigBossController::DestroyCompanions()
{
    for (EntityHandle& companion : m_Companions) {
        CEntityFactory::GetInstance().DestroyEntity(companion.Get());
        companion.Reset();
    }
}

void CBigBossController::BuildMachine()
{
    using B = CBigBossController;
    m_Machine = std::make_unique<Machine>(this);
    Machine& m = *m_Machine;
    Machine::State* alive = m.AddState("alivestate", &B::EnterAlive, nullptr, nullptr, nullptr);
    Machine::State* death = m.AddState("deathstate", nullptr, nullptr, nullptr, nullptr);
    Machine::State* find = m.AddState("alive_findplayer", nullptr, &B::UpdateFindPlayer, nullptr, alive);
    Machine::State* follow =
        m.AddState("alive_followtarget", &B::EnterFollowTarget, &B::UpdateFollowTarget, &B::ExitFollowTarget, alive);
    Machine::State* smash = m.AddState("alive_smash", &B::EnterSmash, &B::UpdateSmash, &B::ExitSmash, alive);
    m.AddState("alive_gocenter", &B::EnterGoCenter, &B::UpdateGoCenter, &B::ExitGoCenter, alive);
    Machine::State* highJump =
        m.AddState("alive_highjump", &B::EnterHighJump, &B::UpdateHighJump, &B::ExitHighJump, alive);
    Machine::State* detect =
        m.AddState("alive_jumpJumpSmashDetectdetect", &B::EnterDetect, &B::UpdateDetect, &B::ExitDetect, alive);
    Machine::State* jumpSmash =
        m.AddState("alive_jumpsmash", &B::EnterJumpSmash, &B::UpdateJumpSmash, &B::ExitJumpSmash, alive);
    Machine::State* rest = m.AddState("alive_rest", &B::EnterRest, &B::UpdateRest, &B::ExitRest, alive);
    Machine::State* dying = m.AddState("death_dying", &B::EnterDying, &B::UpdateDying, &B::ExitDying, death);
    Machine::State* dead = m.AddState("death_dead", &B::EnterDead, nullptr, nullptr, death);

    alive->AddTransition(death, &B::HealthGone);
    find->AddTransition(follow, &B::HasTarget);
    follow->AddTransition(smash, &B::FollowDone);
    smash->AddTransition(highJump, &B::SmashesDone);
    highJump->AddTransition(detect, &B::JumpedUp);
    detect->AddTransition(jumpSmash, &B::DetectDone);
    jumpSmash->AddTransition(rest, &B::JumpSmashDone);
    rest->AddTransition(find, &B::RestDone);
    dying->AddTransition(dead, &B::LifeIsDead);
}

void CBigBossController::ChangeState(const std::string& name)
{
    if (m_Machine)
        m_Machine->ChangeState(name);
}

std::string CBigBossController::GetStateName(unsigned level) const
{
    const Machine::State* state = m_Machine ? m_Machine->GetEnteredState(level) : nullptr;
    return state ? state->GetName() : std::string();
}

void CBigBossController::SetupHealthBar()
{
    m_BarLaidOut = false;
    Vesk::CDisplayObject2D* current = FindBarElement(kBarCurrent);
    if (current) {
        const int screenWidth = Vesk::CRenderer::GetInstance().GetScreenWidth();
        m_BarHalfWidth = screenWidth > 0 ? static_cast<float>(current->GetSpriteWidth()) * 0.5f * kBarScale /
                                               static_cast<float>(screenWidth)
                                         : 0.0f;
        m_BarTop = current->GetPosition().y;
        current->SetScale(kBarScale, current->GetScale().y);
        m_BarLaidOut = true;
    }
    ShowHealthBar(false);
}

void CBigBossController::ShowHealthBar(bool visible) const
{
    for (const char* name : {kBarFrame, kBarCurrent, kBarBacking})
        if (Vesk::CDisplayObject2D* element = FindBarElement(name))
            element->SetVisible(visible);
}

void CBigBossController::UpdateHealthBar() const
{
    const CCharacter* owner = GetOwner();
    Vesk::CDisplayObject2D* current = FindBarElement(kBarCurrent);
    if (!owner || !current || !m_BarLaidOut)
        return;
    const float f = owner->GetHealthRatio();
    // The bar shrinks towards its left end.
    current->SetScale(kBarScale * f, current->GetScale().y);
    current->SetPosition(f * m_BarHalfWidth + (0.5f - m_BarHalfWidth), m_BarTop);
}

void CBigBossController::Update(float dt)
{
    if (!GetOwner() || !m_Machine)
        return;
    UpdateHealthBar();
    m_Machine->Update(dt);
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->m_KnockupResist = kKnockupResist;
    owner->m_KnockbackResist = kKnockbackResist;
    UpdateCompanions(dt);
}

void CBigBossController::UpdateCompanions(float dt)
{
    const CCharacter* owner = GetOwner();
    if (CEntity* sign = GetCompanion(TIRED_SIGN)) {
        const bool tired = owner->m_StunTimer > 0.0f;
        if (tired)
            sign->SetPosition(owner->GetPosition() + CVector3D(0.0f, kTiredSignHeight, 0.0f));
        sign->SetVisible(tired);
    }
    if (CountDown(&m_MarkerTimer, dt))
        if (CEntity* marker = GetCompanion(SMASH_MARKER))
            marker->SetVisible(false);
    if (CEntity* dummy = GetCompanion(EXPLOSION_DUMMY))
        dummy->SetPosition(owner->GetPosition());
}

void CBigBossController::RestoreGravity()
{
    CCharacter* owner = GetOwner();
    if (!m_GravitySaved || !owner)
        return;
    if (Vesk::CRigidBody* body = owner->GetBody())
        body->SetGravity(m_SavedGravity);
    m_GravitySaved = false;
}

// Transitions.

bool CBigBossController::HealthGone()
{
    CCharacter* owner = GetOwner();
    if (!owner || owner->m_Health > 0)
        return false;
    owner->Die();
    return true;
}

bool CBigBossController::HasTarget() { return GetTarget() != nullptr; }

bool CBigBossController::FollowDone()
{
    const CEntity* target = GetTarget();
    const CCharacter* owner = GetOwner();
    if (!target || !owner)
        return false;
    return m_StateTimer <= 0.0f || DistanceSquared(owner->GetPosition(), target->GetPosition()) < kReach * kReach;
}

bool CBigBossController::SmashesDone() { return m_SmashCount >= kSmashesPerCycle; }

bool CBigBossController::JumpedUp() { return m_JumpedUp; }

bool CBigBossController::DetectDone() { return m_DetectDone; }

bool CBigBossController::JumpSmashDone() { return m_JumpSmashDone; }

bool CBigBossController::RestDone() { return m_StateTimer == 0.0f; }

bool CBigBossController::LifeIsDead()
{
    const CCharacter* owner = GetOwner();
    return owner && owner->m_LifeState == LIFE_DEAD;
}

// The cycle.

void CBigBossController::EnterAlive() { ShowHealthBar(true); }

void CBigBossController::UpdateFindPlayer(float)
{
    const CCharacter* owner = GetOwner();
    if (!owner || owner->m_StunTimer > 0.0f || GetTarget())
        return;
    CCharacter* nearest = nullptr;
    float best = std::numeric_limits<float>::max();
    for (CEntity* entity : CEntityFactory::GetInstance().FindByName(kPlayerName)) {
        auto* player = dynamic_cast<CCharacter*>(entity);
        if (!player)
            continue;
        const float distance = DistanceSquared(player->GetPosition(), owner->GetPosition());
        if (distance < best) {
            best = distance;
            nearest = player;
        }
    }
    if (nearest && nearest->m_Health >= 1)
        SetTarget(nearest);
}

void CBigBossController::EnterFollowTarget()
{
    if (CCharacter* owner = GetOwner())
        owner->m_CurrentSpeed = kRunSpeed;
    m_StateTimer = kFollowTime;
}

void CBigBossController::UpdateFollowTarget(float dt)
{
    CCharacter* owner = GetOwner();
    const CEntity* target = GetTarget();
    if (!owner || !target)
        return;
    CountDown(&m_StateTimer, dt);
    // Stop beside the target on the side the boss comes from. The point lies at the boss's own
    // height, whose centre stands higher than the target's, so that the move can arrive.
    const CVector3D aim = target->GetPosition();
    const CVector3D& position = owner->GetPosition();
    const float x = aim.x >= position.x ? aim.x - kFollowOffset : aim.x + kFollowOffset;
    owner->MoveTo(CVector3D(x, position.y, aim.z), true);
}

void CBigBossController::ExitFollowTarget()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    owner->m_CurrentSpeed = kWalkSpeed;
    CVector3D velocity;
    owner->GetLinearVelocity(velocity);
    owner->SetLinearVelocity(CVector3D(0.0f, velocity.y, 0.0f));
}

void CBigBossController::EnterSmash()
{
    m_StateTimer = kSmashInterval;
    m_SmashCount = 0;
}

void CBigBossController::UpdateSmash(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || !CountDown(&m_StateTimer, dt))
        return;
    // Each smash lands on the target's side, wherever the follow left the boss facing.
    if (const CEntity* target = GetTarget())
        owner->FaceTowards(target->GetPosition());
    CAttackPool& attacks = CAttackPool::GetInstance();
    const AttackRecord* smash = attacks.SpawnAttack(owner, kSmashAttack);
    Vesk::CAudioSystem::GetInstance().PlaySound(kSmashSound, false);
    ++m_SmashCount;
    m_StateTimer = kSmashInterval;
    // The marker shows where the smash lands for as long as the smash lasts.
    const AttackRecord* definition = smash ? attacks.FindDefinition(kSmashAttack) : nullptr;
    CEntity* marker = GetCompanion(SMASH_MARKER);
    if (!definition || !smash->m_pBody || !marker)
        return;
    marker->SetPosition(smash->m_pBody->GetPosition());
    marker->SetVisible(true);
    m_MarkerTimer = definition->m_Delay + definition->m_Persist;
}

void CBigBossController::ExitSmash() { m_SmashCount = 0; }

void CBigBossController::EnterGoCenter()
{
    if (CCharacter* owner = GetOwner())
        owner->m_CurrentSpeed = kRunSpeed;
    m_AtCentre = false;
}

void CBigBossController::UpdateGoCenter(float)
{
    CCharacter* owner = GetOwner();
    if (!owner || !Vesk::CCameraManager::GetInstance().GetCurrentCamera())
        return;
    const CVector3D position = owner->GetPosition();
    const float dx = kCentre.x - position.x;
    const float dz = kCentre.z - position.z;
    if (std::sqrt(dx * dx + dz * dz) > kCentreReach) {
        owner->MoveTo(CVector3D(kCentre.x, position.y + 1.0f, kCentre.z), true);
        return;
    }
    owner->SetPosition(kCentre);
    m_AtCentre = true;
}

void CBigBossController::ExitGoCenter()
{
    if (CCharacter* owner = GetOwner())
        owner->m_CurrentSpeed = kWalkSpeed;
}

void CBigBossController::EnterHighJump()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    m_JumpedUp = false;
    m_TakeOffPosition = owner->GetPosition();
    m_JumpPosition = m_TakeOffPosition + CVector3D(0.0f, kJumpHeight, 0.0f);
    if (Vesk::CRigidBody* body = owner->GetBody()) {
        // Weightless until the jump smash has landed.
        if (!m_GravitySaved)
            m_SavedGravity = body->GetGravity();
        m_GravitySaved = true;
        body->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
    }
    owner->SetDirection(kFront);
    owner->m_Charging = true;
}

void CBigBossController::UpdateHighJump(float)
{
    CCharacter* owner = GetOwner();
    if (!owner || m_JumpedUp)
        return;
    if (std::sqrt(DistanceSquared(owner->GetPosition(), m_JumpPosition)) > kJumpArrival) {
        owner->SetLinearVelocity(CVector3D(0.0f, kJumpSpeed, 0.0f));
        return;
    }
    owner->SetPosition(m_JumpPosition);
    owner->StopMoving();
    m_JumpedUp = true;
}

void CBigBossController::ExitHighJump()
{
    // A boss that dies in the air falls.
    const CCharacter* owner = GetOwner();
    if (owner && owner->m_LifeState > LIFE_ALIVE)
        RestoreGravity();
}

void CBigBossController::EnterDetect()
{
    m_StateTimer = kDetectTime;
    m_DetectDone = false;
    m_FallStart = m_JumpPosition;
    // Without a player to mark, the boss comes down where it took off.
    m_LandingPosition = m_TakeOffPosition;
    SetTarget(CEntityFactory::GetInstance().GetEntityByName(kPlayerName));
    if (CEntity* marking = GetCompanion(TARGET_MARKING)) {
        marking->SetPosition(m_LandingPosition);
        marking->SetVisible(true);
    }
}

void CBigBossController::UpdateDetect(float dt)
{
    if (m_DetectDone)
        return;
    if (CountDown(&m_StateTimer, dt)) {
        m_DetectDone = true;
        return;
    }
    if (const CEntity* target = GetTarget()) {
        m_LandingPosition = target->GetPosition();
        m_FallStart.x = m_LandingPosition.x;
        m_FallStart.z = m_LandingPosition.z;
    }
    if (CEntity* marking = GetCompanion(TARGET_MARKING))
        marking->SetPosition(m_LandingPosition);
}

void CBigBossController::ExitDetect()
{
    // A boss that dies while it hovers falls, and its mark goes.
    const CCharacter* owner = GetOwner();
    if (!owner || owner->m_LifeState <= LIFE_ALIVE)
        return;
    RestoreGravity();
    if (CEntity* marking = GetCompanion(TARGET_MARKING))
        marking->SetVisible(false);
}

void CBigBossController::EnterJumpSmash()
{
    if (CEntity* marking = GetCompanion(TARGET_MARKING)) {
        marking->SetPosition(m_LandingPosition);
        marking->SetVisible(true);
    }
    m_JumpSmashDone = false;
    CAttackPool& attacks = CAttackPool::GetInstance();
    attacks.SpawnAttack(GetOwner(), kJumpSmashAttack);
    // The fall lasts as long as the smash riding along; without it the boss lands at once.
    const AttackRecord* definition = attacks.FindDefinition(kJumpSmashAttack);
    m_FallLength = definition ? definition->m_Persist : 0.0f;
    m_FallTime = 0.0f;
}

void CBigBossController::UpdateJumpSmash(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || m_JumpSmashDone)
        return;
    m_FallTime += dt;
    if (!(m_FallTime < m_FallLength)) {
        Land();
        return;
    }
    owner->SetPosition(m_FallStart + (m_LandingPosition - m_FallStart) * (m_FallTime / m_FallLength));
}

void CBigBossController::Land()
{
    CCharacter* owner = GetOwner();
    owner->SetPosition(m_LandingPosition);
    m_FallTime = std::max(m_FallLength, 0.0f);
    m_JumpSmashDone = true;
    if (CEntity* dummy = GetCompanion(EXPLOSION_DUMMY)) {
        dummy->SetPosition(owner->GetPosition());
        dummy->SetVisible(true);
        dummy->ShatterAndDrop();
    }
    PlayEffect(kBreakSound, 1.0f);
    owner->m_Charging = false;
}

void CBigBossController::ExitJumpSmash()
{
    RestoreGravity();
    if (CEntity* marking = GetCompanion(TARGET_MARKING))
        marking->SetVisible(false);
}

void CBigBossController::EnterRest()
{
    m_StateTimer = kRestTime;
    if (CCharacter* owner = GetOwner())
        owner->m_Charging = false;
    ClearTarget();
}

void CBigBossController::UpdateRest(float dt) { CountDown(&m_StateTimer, dt); }

void CBigBossController::ExitRest()
{
    CEntity* dummy = GetCompanion(EXPLOSION_DUMMY);
    if (!dummy)
        return;
    dummy->SetVisible(false);
    if (auto* cubes = dynamic_cast<CVeskCubeAnimationController*>(dummy->GetAnimationController()))
        cubes->ResetShatter();
}

// Death.

void CBigBossController::EnterDying()
{
    m_ShatterTimer = kFirstShatter;
    m_ShatterIndex = 1;
    if (CCharacter* owner = GetOwner())
        owner->SetDirection(kFront);
    ShowHealthBar(false);
}

void CBigBossController::UpdateDying(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || owner->m_LifeState != LIFE_DYING || !CountDown(&m_ShatterTimer, dt))
        return;
    // The model comes apart piece by piece, the first piece staying for the final burst.
    const std::vector<std::string> pieces = owner->GetSubmeshNames();
    if (m_ShatterIndex >= pieces.size()) {
        owner->SetLifeState(LIFE_DEAD);
        return;
    }
    owner->ShatterSubmesh(pieces[m_ShatterIndex]);
    ++m_ShatterIndex;
    PlayEffect(kBreakSound, 0.5f);
    m_ShatterTimer = kShatterInterval;
}

void CBigBossController::ExitDying()
{
    if (CCharacter* owner = GetOwner())
        owner->ShatterAndDrop();
}

void CBigBossController::EnterDead()
{
    m_Enabled = false;
    CGameServices::GetInstance().GameMaster().MarkLevelComplete();
}

} // namespace Game
