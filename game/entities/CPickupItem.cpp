#include "game/entities/CPickupItem.h"

#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CPickupCatalogue.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "physics/CRigidBody.h"

#include <cmath>

namespace Game {

namespace {

const float kTwoPi = 6.2831853f;
const float kBlinkRate = 7.0f;
const int kEffectParticles = 10;
const int kEffectMode = 0;

} // namespace

CPickupItem::CPickupItem() = default;

CPickupItem::~CPickupItem() { CPickupItem::Release(); }

void CPickupItem::Init(const std::string& name, const EntitySetting& setting)
{
    m_FirstSound = setting.m_SpawnSound;
    m_SecondSound = setting.m_HurtSound;
    CEntity::Init(name, setting);
    SetDirection(CVector3D(1.0f, 0.0f, 1.0f).GetNormalized());
    m_Collectable = true;
    m_Carrier.Reset();
    m_SpinAngle = 0.0f;
    m_BlinkPhase = 0.0f;
    m_CollectedState = PICKUP_LYING;
    m_TakenTimer = 0.0f;
    m_Shattered = false;
    if (m_pBody)
        m_pBody->SetBodyType(Vesk::BODY_DYNAMIC);

    const PickupValues& values = CPickupCatalogue::GetInstance().Find(setting.m_MeshName);
    m_Hp = values.m_Hp;
    m_Mana = values.m_Mana;
    m_Dmg = values.m_Dmg;
    m_MoveSpeed = values.m_MoveSpeed;
    m_AtkSpeed = values.m_AtkSpeed;
    m_DeathMod = values.m_DeathMod;
    m_LastingTime = values.m_LastingTime;

    m_Effect.reset();
    if (IPickupServices* services = CPickupCatalogue::GetInstance().GetServices())
        m_Effect = services->CreateEffect(values.m_EffectName, kEffectParticles, kEffectMode);
    if (m_Effect)
        m_Effect->SetPosition(m_Position);
}

void CPickupItem::Release()
{
    m_Effect.reset();
    CEntity::Release();
}

void CPickupItem::Update(float dt)
{
    if (m_Collectable)
        Spin(dt);
    UpdateTaking(dt);
    // A collected item no longer runs out of time.
    if (!IsHeld() && m_CollectedState == PICKUP_LYING)
        UpdateLifetime(dt);
    CEntity::Update(dt);
}

void CPickupItem::Spin(float dt)
{
    SetDirection(CVector3D(std::sin(m_SpinAngle), m_Direction.y, std::cos(m_SpinAngle) / 1.5f));
    m_SpinAngle += dt * (m_Name == "smallcoin" ? kCoinSpinSpeed : kOtherSpinSpeed);
    if (m_SpinAngle >= kTwoPi)
        m_SpinAngle = 0.0f;
}

void CPickupItem::UpdateTaking(float dt)
{
    if (IsHeld())
        return;
    if (m_CollectedState == PICKUP_BEING_TAKEN) {
        m_TakenTimer += dt;
        if (const CEntity* player = CEntityFactory::GetInstance().GetEntityByName("player")) {
            const CVector3D& target = player->GetPosition();
            SetPosition(CVector3D(target.x, m_Position.y, target.z));
        }
        if (m_TakenTimer > kTakingSeconds)
            m_CollectedState = PICKUP_TAKEN;
    }
    if (m_CollectedState == PICKUP_TAKEN) {
        SetVisible(false);
        if (m_pBody)
            m_pBody->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
        m_TakenTimer += dt;
        if (m_TakenTimer > kRemoveAfterTaken)
            CEntityFactory::GetInstance().QueueDestroy(this);
    }
}

void CPickupItem::UpdateLifetime(float dt)
{
    m_LastingTime -= dt;
    if (m_LastingTime < kExpiredBelow) {
        m_Collectable = false;
        StartTaking();
    } else if (m_LastingTime >= kBlinkFrom) {
        return;
    } else if (m_LastingTime >= 0.0f) {
        m_BlinkPhase += dt * kBlinkRate;
        if (m_BlinkPhase > 2.0f)
            m_BlinkPhase = 0.0f;
        SetVisible(m_BlinkPhase >= 1.0f);
    } else if (!m_Shattered) {
        // Shatters once; the skill count goes down once.
        m_Shattered = true;
        m_Collectable = false;
        ShatterAndDrop();
        if (!dynamic_cast<CVeskCubeAnimationController*>(m_pAnimationController))
            SetVisible(false); // nothing to shatter: gone at once
        LowerSkillCount();
    }
}

void CPickupItem::Collect(CCharacter* collector)
{
    if (!m_Collectable || !collector || IsHeld())
        return;
    m_Collectable = false;
    LowerSkillCount();
    collector->Heal(static_cast<float>(m_Hp));
    if (m_Effect) {
        m_Effect->SetPosition(m_Position);
        m_Effect->Restart();
    }
    SetPosition(collector->GetPosition() + CVector3D(0.0f, kCollectHeight, 0.0f));
    StartTaking();
}

void CPickupItem::LowerSkillCount() const
{
    if (m_Name == CGlobalSkillList::kSkillPickupName)
        CGlobalSkillList::GetInstance().LowerWorldCount();
}

void CPickupItem::StartTaking()
{
    m_CollectedState = PICKUP_BEING_TAKEN;
    m_TakenTimer = 0.0f;
    if (m_LastingTime > 0.0f)
        CGameServices::GetInstance().GameMaster().PlaySound(m_SecondSound);
}

void CPickupItem::SetCarrier(CCharacter* carrier) { m_Carrier = EntityHandle(carrier); }

CCharacter* CPickupItem::GetCarrier() const { return m_Carrier.GetAs<CCharacter>(); }

} // namespace Game
