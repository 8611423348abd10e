#include "game/controllers/CPlayerController.h"

#include "debug/CDebugOutputManager.h"
#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/combat/HitResolution.h"
#include "game/controllers/CPlayerListener.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/CSprite3D.h"
#include "game/fx/CSprite3DManager.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"
#include "resources/IAnimationController.h"
#include "ui2d/CDisplayObject2D.h"

#include "math/GameMath.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Game {

namespace {

constexpr short kAllGroups = -1;
constexpr int kLoop = 0;
constexpr int kPlayOnce = 1;
constexpr float kSensorSize = 75.0f;
constexpr unsigned kChargingDodgeLine = 16;
constexpr float kArrowSearchStart = 99999.0f;

bool IsOutOfPlay(const CEntity& entity) { return entity.m_LifeState == LIFE_DYING || entity.m_LifeState == LIFE_DEAD; }

} // namespace

void CPlayerController::SpawnTombStone::Run()
{
    CCharacter* owner = m_Owner.GetAs<CCharacter>();
    if (m_pTombstone && owner) {
        m_pTombstone->SetVisible(true);
        if (m_pTombstone->m_pAnimationController)
            m_pTombstone->m_pAnimationController->SetAnimation("CREATED", kPlayOnce, 0.0f);
        m_pTombstone->SetTransform(owner->GetPosition(), CVector3D(0.0f, 0.0f, -1.0f), CVector3D(0.0f, 1.0f, 0.0f));
    }
    if (m_pRevivePrompt)
        m_pRevivePrompt->SetVisible(true);
}

CPlayerController::CPlayerController() = default;

CPlayerController::~CPlayerController()
{
    if (m_pListener || m_pSensor)
        Detach();
}

void CPlayerController::Attach(const ControllerSetting& setting)
{
    CCharacterController::Attach(setting);
    m_AnimState = IDLE;
    m_AnimPhase = PHASE_ENTERING;
    m_NextAnimState = IDLE;
    m_Hud.Build();
    m_ChargingSoundName.clear();

    CCharacter* owner = GetOwner();
    m_pListener = std::make_unique<CPlayerListener>(owner);
    CreateSensor();
    m_HighestHealth = -1;
    if (owner)
        CGameServices::GetInstance().GameMaster().AddPlayer(owner);

    m_IdleTimer = kIdleTime;
    m_ReviveTimer = kReviveGrace;
    m_RevivedInTime = false;
    m_Dead = false;
    if (owner) {
        if (Vesk::IAnimationController* animation = owner->GetAnimationController())
            animation->SetAnimation("IDLE", kLoop, 0.0f);
        owner->m_Spawning = true;
    }
    m_ComboWindow = 0.0f;
    m_ComboHistory.clear();
    m_pListener->SetPlayerOne(!m_pListener->UsesGamepad());

    CreateMarkers();
    m_TombStone.m_Owner = EntityHandle(owner);
    m_TombStone.m_pTombstone = m_pTombstone;
    m_TombStone.m_pRevivePrompt = m_Hud.GetRevivePrompt();
    SetHudVisible(true);
    UpdateHud(0.0f);
    if (owner)
        if (Vesk::IAnimationController* animation = owner->GetAnimationController())
            animation->SetAnimation("IDLE", kLoop, 0.0f);
}

void CPlayerController::Detach()
{
    // The queued moves go first and quietly: the death move's tombstone callback must not run on
    // markers and prompts that are being taken down.
    CCharacter* owner = GetOwner();
    if (owner)
        owner->GetMoveQueue().Cancel();
    CCharacterController::Detach();
    m_pListener.reset();
    DestroySensor();
    StopChargingSound();
    ReleaseMarkers();
    m_TombStone = SpawnTombStone();
    if (owner)
        CGameServices::GetInstance().GameMaster().RemovePlayer(owner);
    m_Hud.Release();
    m_Targets.clear();
}

void CPlayerController::CreateSensor()
{
    m_pSensor = new Vesk::CRigidBody(CVector3D(kSensorSize, kSensorSize, kSensorSize), this, 1.0f, false);
    if (!Vesk::CPhysicsSystem::GetInstance().AddRigidBody(m_pSensor, kAllGroups, kAllGroups)) {
        delete m_pSensor;
        m_pSensor = nullptr;
        return;
    }
    m_pSensor->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
}

void CPlayerController::DestroySensor()
{
    if (!m_pSensor)
        return;
    Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(m_pSensor);
    delete m_pSensor;
    m_pSensor = nullptr;
}

void CPlayerController::CreateMarkers()
{
    CSprite3DManager& sprites = CSprite3DManager::GetInstance();
    m_pChargeInward[0] = sprites.CreateSprite("charge_inward");
    m_pChargeInward[1] = sprites.CreateSprite("charge_inward");
    m_pEnemyArrow = sprites.CreateSprite("enemy_arrow");
    m_pTargetMarker = sprites.CreateSprite("target");
    m_pTombstone = sprites.CreateSprite("tombstone");
    for (CSprite3D* sprite : {m_pChargeInward[0], m_pChargeInward[1], m_pTombstone, m_pTargetMarker, m_pEnemyArrow})
        if (sprite)
            sprite->SetVisible(false);
}

void CPlayerController::ReleaseMarkers()
{
    CSprite3DManager& sprites = CSprite3DManager::GetInstance();
    for (CSprite3D** sprite :
         {&m_pChargeInward[0], &m_pChargeInward[1], &m_pEnemyArrow, &m_pTargetMarker, &m_pTombstone}) {
        if (*sprite)
            sprites.RemoveSprite(*sprite);
        *sprite = nullptr;
    }
}

void CPlayerController::StopChargingSound()
{
    if (m_ChargingChannel.IsValid() && m_ChargingChannel.IsPlaying())
        m_ChargingChannel.Stop();
}

bool CPlayerController::IsPlayerOne() const { return m_pListener && m_pListener->GetPlayerOne(); }

void CPlayerController::SetPlayerOne(bool playerOne)
{
    if (m_pListener)
        m_pListener->SetPlayerOne(playerOne);
}

void CPlayerController::SetCollectedSkills(int count)
{
    m_CollectedSkills = count < 0 ? 0 : (count > kMaxSkills ? kMaxSkills : count);
}

HudInputs CPlayerController::GatherHudInputs() const
{
    HudInputs in;
    in.deathCount = m_DeathCount;
    in.collectedSkills = m_CollectedSkills;
    if (m_pListener)
        in.specialHoldTime = m_pListener->GetHoldTime(CPlayerListener::ACTION_SPECIAL);
    if (CCharacter* owner = GetOwner()) {
        in.health = owner->m_Health;
        in.maxHealth = owner->m_MaxHealth;
        in.skillPocket = owner->GetSkillPocket();
    }
    const PlayProgress progress = CGameServices::GetInstance().GameMaster().GetPlayProgress(GetOwner());
    in.shownPoints = progress.m_ShownPoints;
    in.combo = progress.m_Combo;
    in.comboMultiplier = progress.m_ComboMultiplier;
    in.comboTimer = progress.m_ComboTimer;
    in.hasWaves = progress.m_HasWaves;
    in.remainingEnemies = progress.m_RemainingEnemies;
    in.waveTotal = progress.m_WaveTotal;
    return in;
}

void CPlayerController::SetHudVisible(bool visible) { m_Hud.SetVisible(visible, GatherHudInputs()); }

void CPlayerController::UpdateHud(float dt) { m_Hud.Update(dt, GatherHudInputs()); }

void CPlayerController::UpdateHealthBar(float dt) { m_Hud.UpdateHealthBar(dt, GatherHudInputs()); }

void CPlayerController::UpdatePowerSlots(float dt) { m_Hud.UpdatePowerSlots(dt, GatherHudInputs()); }

void CPlayerController::ResetActions()
{
    CancelCharge();
    ClearComboHistory();
}

bool CPlayerController::IsHeld(unsigned bit) const { return m_pListener && m_pListener->IsHeld(bit); }

bool CPlayerController::IsReleased(unsigned bit) const { return m_pListener && m_pListener->IsReleased(bit); }

bool CPlayerController::IsPressed(unsigned bit) const { return m_pListener && m_pListener->IsPressed(bit); }

float CPlayerController::HoldTime(unsigned bit) const { return m_pListener ? m_pListener->GetHoldTime(bit) : 0.0f; }

void CPlayerController::Update(float dt)
{
    CCharacter* owner = GetOwner();
    if (!owner || !m_pListener)
        return;

    m_Hud.ShowPadPrompts(m_pListener->GetPadFlag() != 0);
    UpdateHud(dt);
    Vesk::CDebugOutputManager::GetInstance().SetLine(
        std::string("Charging Dodge ") + (m_ChargeReleasedInDodge ? "true" : "false"), kChargingDodgeLine);

    if (CountDown(&m_StunImmunityTimer, dt))
        owner->m_StunGuard = false;

    CollectTargets();
    m_pListener->Update(dt);
    if (Vesk::CRigidBody* body = owner->GetBody())
        body->SetAngularFactor(false, false, false);
    PlaceSensorAndChargeSprites(*owner);

    if (owner->GetMoveQueue().Update(dt)) {
        if (owner->m_Health < 1 || m_ReviveTimer > 0.0f)
            UpdateRevive(dt);
        else
            HandleMovementInput(dt);
        UpdateAnimationState();
    }

    if (CountDown(&m_ComboWindow, dt))
        ClearComboHistory();
    if (owner->m_Health > m_HighestHealth)
        m_HighestHealth = owner->m_Health;

    UpdateTargetMarker(*owner);
    UpdateEnemyArrow(*owner);

    if (owner->m_Health < 1) {
        m_IdleTimer = kIdleTime;
        if (!m_Dead)
            owner->Die();
    } else {
        UpdateAlive(dt);
    }

    // The special press latch follows the button: a release that no attack step saw (a move was
    // running) must not leave the special locked.
    if (!IsHeld(CPlayerListener::ACTION_SPECIAL))
        m_SpecialLatch = false;
    m_Targets.clear();
    m_pListener->ConsumeReleases();
}

void CPlayerController::UpdateAlive(float dt)
{
    if (CountDown(&m_IdleTimer, dt) && m_AnimState != STRETCH)
        RequestState(STRETCH);
    CollectPickups(dt);
    // A player who let the grace time after spawning pass without a press never played the
    // spawn animation that ends the spawning flag: it ends with the grace time.
    if (m_ReviveTimer > 0.0f && CountDown(&m_ReviveTimer, dt)) {
        m_RevivedInTime = false;
        if (m_AnimState != SPAWN && m_NextAnimState != SPAWN)
            if (CCharacter* owner = GetOwner())
                owner->m_Spawning = false;
    }
    UpdateCharging(dt);
}

void CPlayerController::CollectTargets()
{
    if (!m_pSensor)
        return;
    const std::vector<Vesk::CRigidBody*>& touching = m_pSensor->GetContactInfo().m_TouchingBodies;
    if (touching.empty())
        return;
    // Bodies are matched against the living characters rather than trusting a body's owner
    // pointer, which other bodies (attacks, this sensor) fill with objects of their own. The
    // touching bodies are sorted once so that a crowd pressing on the sensor costs a search per
    // character, not a walk of the whole crowd.
    m_SortedTouching.assign(touching.begin(), touching.end());
    std::sort(m_SortedTouching.begin(), m_SortedTouching.end());
    for (CEntity* entity : CEntityFactory::GetInstance().FindByType(GENERIC_CHARACTER)) {
        auto* character = static_cast<CCharacter*>(entity);
        if (character->GetName() == HitResolution::kPlayerName || character->m_Health <= 0 || !character->GetBody())
            continue;
        if (std::binary_search(m_SortedTouching.begin(), m_SortedTouching.end(), character->GetBody()))
            m_Targets.push_back(character);
    }
}

void CPlayerController::PlaceSensorAndChargeSprites(CCharacter& owner)
{
    const CVector3D& facing = owner.GetDirection();
    if (m_pSensor)
        m_pSensor->SetPosition(owner.GetPosition() + facing * kSensorAhead);
    const CVector3D up(0.0f, 1.0f, 0.0f);
    if (m_pChargeInward[0])
        m_pChargeInward[0]->SetTransform(owner.GetPosition(), facing, up);
    if (m_pChargeInward[1])
        m_pChargeInward[1]->SetTransform(owner.GetPosition(), facing * -1.0f, up);
}

CCharacter* CPlayerController::GetNearestTarget() const
{
    const CCharacter* owner = GetOwner();
    if (!owner)
        return nullptr;
    CCharacter* nearest = nullptr;
    float best = std::numeric_limits<float>::max();
    for (CCharacter* target : m_Targets) {
        const CVector3D offset = target->GetPosition() - owner->GetPosition();
        const float distance = offset.Dot(offset);
        if (distance < best) {
            best = distance;
            nearest = target;
        }
    }
    return nearest;
}

void CPlayerController::UpdateTargetMarker(CCharacter& owner)
{
    if (!m_pTargetMarker)
        return;
    const CCharacter* target = GetNearestTarget();
    m_pTargetMarker->SetVisible(target != nullptr);
    if (target)
        m_pTargetMarker->SetPosition(target->GetPosition().x, owner.GetPosition().y, target->GetPosition().z);
}

void CPlayerController::UpdateEnemyArrow(CCharacter& owner)
{
    if (!m_pEnemyArrow)
        return;
    m_pEnemyArrow->SetVisible(false);
    if (CGameServices::GetInstance().GameMaster().AllEnemiesDefeated() || IsOutOfPlay(owner))
        return;
    const CEntity* nearest = nullptr;
    float best = kArrowSearchStart;
    for (const CEntity* entity : CEntityFactory::GetInstance().FindByType(GENERIC_CHARACTER)) {
        if (entity->GetName() == HitResolution::kPlayerName || IsOutOfPlay(*entity))
            continue;
        const IController* controller = entity->GetController();
        if (!controller || !controller->m_Enabled)
            continue;
        const float dx = entity->GetPosition().x - owner.GetPosition().x;
        const float dz = entity->GetPosition().z - owner.GetPosition().z;
        const float distance = std::sqrt(dx * dx + dz * dz);
        if (distance < best) {
            best = distance;
            nearest = entity;
        }
    }
    if (!nearest)
        return;
    const CVector3D toward(nearest->GetPosition().x - owner.GetPosition().x, 0.0f,
                           nearest->GetPosition().z - owner.GetPosition().z);
    m_pEnemyArrow->SetTransform(owner.GetPosition(), toward, CVector3D(0.0f, 1.0f, 0.0f));
    m_pEnemyArrow->SetVisible(true);
}

void CPlayerController::OnHit(const int& damage)
{
    m_IdleTimer = kIdleTime;
    if (CCharacter* owner = GetOwner())
        CGameServices::GetInstance().GameMaster().AddDamageTaken(owner, damage);
    m_Hud.StartDamageTrail();
    m_ChargeLevel = 0;
    CancelCharge();
    if (m_CollectedSkills > 0) {
        --m_CollectedSkills;
        DropSkills(1);
    }
}

void CPlayerController::OnDying()
{
    CCharacter* owner = GetOwner();
    ++m_DeathCount;
    m_IdleTimer = kIdleTime;
    StopChargingSound();
    if (owner) {
        owner->GetMoveQueue().Interrupt();
        owner->GetMoveQueue().PushMove(owner, CMoveQueue::MOVE_DEATH, kDeathMoveTime, &m_TombStone);
        CGameServices::GetInstance().GameMaster().AddDeath(owner, 1);
    }
    m_Dead = true;
    DropSkills(m_CollectedSkills);
    m_CollectedSkills = 0;
    CancelCharge();
}

void CPlayerController::OnStunned(float seconds)
{
    CCharacter* owner = GetOwner();
    m_IdleTimer = kIdleTime;
    if (!owner || !owner->GetMoveQueue().Interrupt())
        return;
    owner->GetMoveQueue().PushMove(owner, CMoveQueue::MOVE_STUNNED, seconds, nullptr);
    if (m_AnimState != IDLE)
        RequestState(IDLE);
    owner->m_StunGuard = true;
    m_StunImmunityTimer = seconds + kStunImmunityExtra;
}

void CPlayerController::OnAttackLanded(CCharacter* target, const int& damage)
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    IGameMaster& master = CGameServices::GetInstance().GameMaster();
    if (target && target->m_Health < 1) {
        master.AddPoints(owner, 30);
        master.AddKill(owner);
    }
    master.AddDamageDealt(owner, damage);
    master.AddComboHit(owner);
}

} // namespace Game
