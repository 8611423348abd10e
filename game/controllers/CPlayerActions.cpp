// The player's actions: the animation states, moving and dodging, the sword combo, the charged
// specials, pickups, dropped skills, and reviving.
#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/combat/AttackRecord.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CPlayerController.h"
#include "game/controllers/CPlayerListener.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CPickupItem.h"
#include "game/fx/CSprite3D.h"
#include "game/moves/CMove.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "math/AABB.h"
#include "math/Plane.h"
#include "math/Random.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "render/CCamera.h"
#include "render/CCameraManager.h"
#include "ui2d/CDisplayObject2D.h"

#include <string>

namespace Game {

namespace {

using Listener = CPlayerController::CPlayerListener;

constexpr int kLoop = 0;
constexpr int kPlayOnce = 1;
constexpr float kThirdPressLock = 0.175f;
constexpr float kPulseStart = 0.1f;
constexpr float kPulseLevel = 0.65f;
constexpr int kCoinPoints = 10;
constexpr float kDropHeight = 16.0f;
constexpr float kKeepInViewSpeed = 5.0f;
// The frustum's side planes: the left one pushes the player right, the right one left.
constexpr unsigned kLeftPlane = 2;
constexpr unsigned kRightPlane = 3;

// The timings of the attack just spawned (zero when the attack file lacks it).
struct Timings {
    float selfStun = 0.0f;
    float window = 0.0f;
};

Timings Spawn(CCharacter& owner, const char* name)
{
    const AttackRecord* attack = CAttackPool::GetInstance().SpawnAttack(&owner, name);
    if (!attack)
        return {};
    return {attack->m_SelfStun, attack->m_Delay + attack->m_Persist};
}

CVeskCubeAnimationController* CubeAnimationOf(const CCharacter& owner)
{
    return dynamic_cast<CVeskCubeAnimationController*>(owner.GetAnimationController());
}

bool IsMoving(const CCharacter& owner)
{
    CVector3D velocity;
    owner.GetLinearVelocity(velocity);
    return velocity.Length() > CPlayerController::kMovingSpeed;
}

bool AnimationFinished(const CCharacter& owner)
{
    const CVeskCubeAnimationController* cubes = CubeAnimationOf(owner);
    return !cubes || cubes->IsFinished();
}

void StopOwner(CCharacter& owner) { owner.SetLinearVelocity(CVector3D(0.0f, 0.0f, 0.0f)); }

// The hop's dash, like the dodge's roll, is set once as it starts: stopping the player in the
// same frame would leave it where it stood.
bool IsHopping(const CCharacter& owner)
{
    const CMove* running = owner.GetMoveQueue().GetFront();
    return running && running->GetName() == "hop";
}

CAABB BodyBox(const CEntity& entity)
{
    CAABB box;
    entity.GetBoundingBox(box);
    return box;
}

} // namespace

void CPlayerController::RequestState(int state)
{
    if (m_AnimState == state)
        return;
    m_NextAnimState = state;
    m_AnimPhase = PHASE_LEAVING;
}

void CPlayerController::UpdateAnimationState()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    if (m_AnimPhase == PHASE_LEAVING) {
        m_AnimState = m_NextAnimState;
        m_AnimPhase = PHASE_ENTERING;
        return;
    }
    Vesk::IAnimationController* animation = owner->GetAnimationController();
    if (m_AnimPhase == PHASE_ENTERING) {
        static const struct {
            int state;
            const char* clip;
            int mode;
        } kEntries[] = {
            {IDLE, "IDLE", kLoop},
            {RUNTWO, "RUNTWO", kLoop},
            {JUMP, "JUMP", kLoop},
            {ATTACKNORMAL, "ATTACKNORMAL", kLoop},
            {ATTACKUPPERCUT, "ATTACKUPPERCUT", kLoop},
            {SWINGONE, "SWINGONE", kPlayOnce},
            {SWINGTWO, "SWINGTWO", kPlayOnce},
            {SWINGTHREE, "SWINGTHREE", kPlayOnce},
            {STRETCH, "STRETCH", kLoop},
            {FIRESHOT, "FIRESHOT", kPlayOnce},
            {SPAWN, "SPAWN", kPlayOnce},
        };
        for (const auto& entry : kEntries)
            if (entry.state == m_AnimState && animation)
                animation->SetAnimation(entry.clip, entry.mode, 0.0f);
        if (m_AnimState == STRETCH)
            owner->SetDirection(CVector3D(1.0f, 0.0f, 0.0f));
        m_AnimPhase = PHASE_RUNNING;
        return;
    }

    const bool airborne = owner->m_Airborne;
    const bool moving = IsMoving(*owner);
    auto commonRule = [&]() { RequestState(airborne ? JUMP : (moving ? RUNTWO : IDLE)); };
    switch (m_AnimState) {
    case IDLE: {
        const CVeskCubeAnimationController* cubes = CubeAnimationOf(*owner);
        if (cubes && cubes->GetCurrentAnimationName() != "IDLE")
            animation->SetAnimation("IDLE", kLoop, 0.0f);
        if (airborne)
            RequestState(JUMP);
        else if (moving)
            RequestState(RUNTWO);
        break;
    }
    case RUNTWO:
        if (airborne)
            RequestState(JUMP);
        else if (!moving)
            RequestState(IDLE);
        break;
    case JUMP:
        if (!airborne)
            RequestState(moving ? RUNTWO : IDLE);
        break;
    case SWINGONE:
        if (AnimationFinished(*owner))
            commonRule();
        break;
    case SWINGTWO:
    case SWINGTHREE:
        if (owner->m_ActionLockTimer <= 0.0f)
            commonRule();
        break;
    case STRETCH:
        if (m_IdleTimer > 0.0f)
            commonRule();
        break;
    case FIRESHOT:
        if (AnimationFinished(*owner))
            RequestState(IDLE);
        break;
    case MOVE: commonRule(); break;
    case SPAWN:
        if (AnimationFinished(*owner)) {
            owner->m_Spawning = false;
            owner->m_ActionLockTimer = 0.0f;
            if (airborne)
                RequestState(JUMP);
            RequestState(moving ? RUNTWO : IDLE);
        }
        break;
    default: break;
    }
}

void CPlayerController::HandleMovementInput(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || !m_pListener)
        return;
    const CVector3D direction = m_pListener->GetMoveDirection();
    const float length = direction.Length();
    if (m_pListener->GetHeld() || m_pListener->GetReleased() || length > kStickThreshold)
        m_IdleTimer = kIdleTime;

    bool dodged = false;
    if (owner->m_StunTimer <= 0.0f && owner->m_ActionLockTimer <= 0.0f && IsPressed(Listener::ACTION_DODGE) &&
        !owner->m_Airborne) {
        owner->MoveAlong(length > kStickThreshold ? direction : owner->GetDirection(), true);
        ClearComboHistory();
        AppendComboHistory(kComboDodge, kDodgeWindow);
        RequestState(MOVE);
        owner->GetMoveQueue().PushMove(owner, CMoveQueue::MOVE_DODGE, kDodgeTime, nullptr);
        dodged = true;
    }

    const bool attacked = HandleAttackInput(dt);
    if (!attacked && owner->m_StunTimer <= 0.0f && owner->m_ActionLockTimer <= 0.0f && length > kStickThreshold) {
        RequestState(RUNTWO);
        owner->MoveAlong(direction, true);
    }

    CVector3D velocity;
    owner->GetLinearVelocity(velocity);
    if ((length < kStickThreshold || velocity.Length() <= kMovingSpeed) && !dodged && !IsHopping(*owner))
        owner->SetLinearVelocity(CVector3D(0.0f, velocity.y, 0.0f));
    KeepInView(*owner);
}

void CPlayerController::KeepInView(CCharacter& owner)
{
    const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return;
    const CFrustum frustum = camera->GetFrustum();
    const CAABB box = BodyBox(owner);
    float push = 0.0f;
    if (PlaneIntersectsAABB(frustum[kLeftPlane], box))
        push = kKeepInViewSpeed;
    else if (PlaneIntersectsAABB(frustum[kRightPlane], box))
        push = -kKeepInViewSpeed;
    if (push == 0.0f)
        return;
    CVector3D velocity;
    owner.GetLinearVelocity(velocity);
    owner.SetLinearVelocity(CVector3D(push, velocity.y, 0.0f));
}

bool CPlayerController::SwingCombo(CCharacter& owner, CCharacter* target, bool far)
{
    const size_t count = m_ComboHistory.size();
    const bool afterSwing = count > 0 && m_ComboHistory.back() == kComboSwing;
    static const struct {
        const char* attack;
        int move;
        bool faceAndHop;
        bool needsSwing;
    } kSteps[] = {
        {"FirstSwing", CMoveQueue::MOVE_SWING_ONE, true, false},
        {"SecondSwing", CMoveQueue::MOVE_SWING_TWO, true, true},
        {"FirstSwing", CMoveQueue::MOVE_SWING_ONE, true, false},
        {"SecondSwing", CMoveQueue::MOVE_SWING_TWO, true, true},
        {"ThirdSwing", CMoveQueue::MOVE_SWING_THREE, false, true},
    };
    if (count >= kMaxCombo)
        return false;
    const auto& step = kSteps[count];
    if (step.needsSwing && !afterSwing)
        return false;
    const Timings timings = Spawn(owner, step.attack);
    if (step.faceAndHop)
        FaceAndHop(far, target, timings.selfStun);
    RequestState(MOVE);
    owner.GetMoveQueue().PushMove(&owner, step.move, timings.selfStun, nullptr);
    AppendComboHistory(kComboSwing, timings.window);
    // The third press of a combo holds the player a moment longer.
    if (count == 2)
        owner.ExtendActionLock(kThirdPressLock);
    return true;
}

bool CPlayerController::HandleAttackInput(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (!owner || owner->m_StunTimer > 0.0f || owner->m_Airborne || owner->m_ActionLockTimer > 0.0f)
        return false;
    CCharacter* target = GetNearestTarget();
    const bool far = IsTargetFar(target);
    bool attacked = false;

    if (IsPressed(Listener::ACTION_ATTACK)) {
        attacked = SwingCombo(*owner, target, far);
        if (IsReleased(Listener::ACTION_SPECIAL))
            CancelCharge();
    } else if (IsReleased(Listener::ACTION_SPECIAL) || m_ChargeReleasedInDodge) {
        attacked = ReleaseSpecial(*owner, target);
    }

    if (IsHeld(Listener::ACTION_SPECIAL) && !m_SpecialLatch) {
        PressSpecial(*owner, target);
        attacked = true;
    }
    return attacked;
}

bool CPlayerController::ReleaseSpecial(CCharacter& owner, CCharacter* target)
{
    const int level = m_ChargeLevel;
    const bool afterDodge =
        !m_ComboHistory.empty() && (m_ComboHistory.back() == kComboDodge || m_ChargeReleasedInDodge);
    CMoveQueue& moves = owner.GetMoveQueue();
    if (afterDodge) {
        switch (level) {
        case 1:
            FaceTarget(&owner, target);
            moves.PushMove(&owner, CMoveQueue::MOVE_WEAK_DRILL, Spawn(owner, "MiniDrillAttack").selfStun, nullptr);
            break;
        case 2:
            FaceTarget(&owner, target);
            Spawn(owner, "DrillBackBlast");
            moves.PushMove(&owner, CMoveQueue::MOVE_CHARGE_DRILL, Spawn(owner, "DrillAttack").selfStun, nullptr);
            break;
        case 3:
            FaceTarget(&owner, target);
            Spawn(owner, "LeftDrillBackBlast");
            Spawn(owner, "RightDrillBackBlast");
            Spawn(owner, "LeftDrillAttack");
            moves.PushMove(&owner, CMoveQueue::MOVE_CHARGE_DRILL, Spawn(owner, "RightDrillAttack").selfStun, nullptr);
            break;
        default: break;
        }
    } else if (level >= 1 && level <= kMaxSkills) {
        static const char* const kBalls[] = {"MediumEnergyBall", "MediumEnergyBall2", "LargeEnergyBall"};
        FaceTarget(&owner, target);
        RequestState(FIRESHOT);
        Spawn(owner, kBalls[level - 1]);
        StopOwner(owner);
    }
    CancelCharge();
    m_SpecialLatch = false;
    return level >= 1 && level <= kMaxSkills;
}

void CPlayerController::PressSpecial(CCharacter& owner, CCharacter* target)
{
    m_SpecialLatch = true;
    FaceTarget(&owner, target);
    if (!m_ComboHistory.empty() && m_ComboHistory.back() == kComboDodge && !m_ChargeReleasedInDodge) {
        owner.GetMoveQueue().PushMove(&owner, CMoveQueue::MOVE_WEAK_DRILL, Spawn(owner, "NeedleAttack").selfStun,
                                      nullptr);
        return;
    }
    Spawn(owner, "SmallEnergyBall");
    RequestState(FIRESHOT);
    StopOwner(owner);
}

void CPlayerController::ClearComboHistory()
{
    if (m_ComboHistory.empty())
        return;
    m_ComboHistory.clear();
    m_ComboWindow = 0.0f;
    const CCharacter* owner = GetOwner();
    if (owner && owner->m_StunTimer <= 0.0f && m_AnimState != IDLE)
        RequestState(IDLE);
}

void CPlayerController::AppendComboHistory(int entry, float window)
{
    if (m_ComboHistory.size() >= kMaxCombo)
        return;
    m_ComboWindow = window;
    m_ComboHistory.push_back(entry);
    // A swing plants the player, unless it hops at a far target first.
    CCharacter* owner = GetOwner();
    if (owner && entry != kComboDodge && !IsHopping(*owner))
        StopOwner(*owner);
}

void CPlayerController::FaceTarget(CCharacter* character, CCharacter* target)
{
    if (character && target)
        character->FaceTowards(target->GetPosition());
}

bool CPlayerController::IsTargetFar(CCharacter* target)
{
    const CCharacter* owner = GetOwner();
    if (!owner || !target)
        return false;
    const CVector3D offset = target->GetPosition() - owner->GetPosition();
    return offset.Dot(offset) > kFarTarget * kFarTarget;
}

void CPlayerController::FaceAndHop(bool far, CCharacter* target, float seconds)
{
    CCharacter* owner = GetOwner();
    if (!owner || !target)
        return;
    // The facing stays a unit vector: the sensor and the attacks are placed along it.
    FaceTarget(owner, target);
    if (far)
        owner->GetMoveQueue().PushMove(owner, CMoveQueue::MOVE_HOP, seconds, nullptr);
}

void CPlayerController::UpdateCharging(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (!owner || !m_pListener)
        return;
    const int skills = m_CollectedSkills;
    if (skills == 0) {
        m_pListener->SetHoldTime(Listener::ACTION_SPECIAL, 0.0f);
        return;
    }
    if (!IsHeld(Listener::ACTION_SPECIAL)) {
        // A release the attack step did not take (a move was running): after a dodge it fires
        // the drill on the next free frame, otherwise the charge is dropped.
        if (!m_ChargingSoundName.empty()) {
            if (!m_ComboHistory.empty() && m_ComboHistory.back() == kComboDodge)
                m_ChargeReleasedInDodge = true;
            else if (!m_ChargeReleasedInDodge)
                CancelCharge();
        }
        return;
    }
    const float held = HoldTime(Listener::ACTION_SPECIAL);
    CVeskCubeAnimationController* cubes = CubeAnimationOf(*owner);
    if (cubes && held < kPulseStart)
        cubes->StartPulse(kPulseStart);
    if (held <= kPulseStart)
        return;
    if (m_ChargeLevel < skills) {
        PlayChargeSound("charging_" + std::to_string(m_ChargeLevel + 1));
        if (held > static_cast<float>(m_ChargeLevel + 1) * kChargeStep) {
            if (cubes)
                cubes->StartPulse(kPulseLevel);
            ++m_ChargeLevel;
            CGameServices::GetInstance().GameMaster().PlaySound("charge_achieve" + std::to_string(m_ChargeLevel));
            m_Hud.BlinkSlot(m_ChargeLevel);
        }
    } else if (m_ChargeLevel == skills) {
        PlayChargeSound("charging_full");
    }
}

void CPlayerController::PlayChargeSound(std::string name)
{
    if (name == m_ChargingSoundName)
        return;
    StopChargingSound();
    m_ChargingChannel = CGameServices::GetInstance().GameMaster().PlaySound(name);
    m_ChargingSoundName = std::move(name);
}

void CPlayerController::CancelCharge()
{
    StopChargingSound();
    m_ChargeLevel = 0;
    if (m_pListener)
        m_pListener->SetHoldTime(Listener::ACTION_SPECIAL, 0.0f);
    m_ChargingSoundName.clear();
    m_ChargeReleasedInDodge = false;
    m_Hud.ResetSlots();
    if (m_pChargeInward[0])
        m_pChargeInward[0]->SetVisible(false);
    if (const CCharacter* owner = GetOwner())
        if (CVeskCubeAnimationController* cubes = CubeAnimationOf(*owner))
            cubes->Flash(0.0f);
}

void CPlayerController::CollectPickups(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    const CAABB ownerBox = BodyBox(*owner);
    for (const char* name : {"potion", "fireskill", "smallcoin"}) {
        for (CEntity* entity : CEntityFactory::GetInstance().FindByName(name)) {
            auto* pickup = dynamic_cast<CPickupItem*>(entity);
            if (!pickup || !pickup->IsCollectable() || pickup->GetCollectedState() != PICKUP_LYING ||
                !ownerBox.Intersects(BodyBox(*pickup)))
                continue;
            const std::string kind = name;
            if (kind == "fireskill" && m_CollectedSkills < kMaxSkills)
                ++m_CollectedSkills;
            else if (kind == "smallcoin")
                CGameServices::GetInstance().GameMaster().AddPoints(owner, kCoinPoints);
            // The pickup heals and leaves the skill list's world count itself.
            pickup->Collect(owner);
            break;
        }
    }
}

void CPlayerController::DropSkills(int count)
{
    const CCharacter* owner = GetOwner();
    if (!owner)
        return;
    for (int i = 0; i < count; ++i) {
        const float x = RandomRangeChecked(-60.0f, 60.0f);
        const float y = RandomRangeChecked(50.0f, 130.0f);
        const float z = RandomRangeChecked(-60.0f, 60.0f);
        CGlobalSkillList::GetInstance().SpawnSkillPickup(owner->GetPosition() + CVector3D(0.0f, kDropHeight, 0.0f),
                                                         CVector3D(x, y, z));
    }
}

void CPlayerController::UpdateRevive(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    if (!owner || owner->m_StunTimer > 0.0f || owner->m_ActionLockTimer > 0.0f)
        return;
    // One revive per revive time: the rest of the time only keeps the player from acting. A
    // player who died again meanwhile may always revive.
    if (m_RevivedInTime && owner->m_Health >= 1)
        return;
    bool revive = false;
    for (unsigned bit : {Listener::ACTION_ATTACK, Listener::ACTION_DODGE, Listener::ACTION_SPECIAL})
        if (IsHeld(bit) || (IsReleased(bit) && HoldTime(bit) < kReviveTapTime))
            revive = true;
    if (revive)
        Revive(*owner);
}

void CPlayerController::Revive(CCharacter& owner)
{
    if (CVeskCubeAnimationController* cubes = CubeAnimationOf(owner))
        cubes->ResetShatter();
    owner.m_Health = owner.m_MaxHealth;
    owner.SetLifeState(LIFE_ALIVE);
    m_ReviveTimer = Spawn(owner, "PlayerRevive").selfStun;
    m_RevivedInTime = true;
    RequestState(SPAWN);
    owner.SetDirection(CVector3D(1.0f, 0.0f, 0.0f));
    owner.m_Spawning = true;
    owner.SetVisible(true);
    owner.StopMoving();
    owner.GetMoveQueue().Clear();
    if (Vesk::CRigidBody* body = owner.GetBody()) {
        body->SetBodyType(Vesk::BODY_DYNAMIC);
        body->SetGravity(Vesk::CPhysicsSystem::GetInstance().GetGravity());
    }
    if (m_pTombstone)
        m_pTombstone->SetVisible(false);
    if (Vesk::CDisplayObject2D* prompt = m_Hud.GetRevivePrompt())
        prompt->SetVisible(false);
    m_Dead = false;
}

} // namespace Game
