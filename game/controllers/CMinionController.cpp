#include "game/controllers/CMinionController.h"

#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CPickupItem.h"
#include "physics/CRigidBody.h"

#include <utility>
#include <vector>

namespace Game {

CMinionController::~CMinionController() { ReleaseItem(); }

void CMinionController::BuildBehaviour()
{
    using C = CMinionController;
    AddBehaviourState("alive_wander", On<C>(&C::WanderEnter), On<C>(&C::WanderUpdate), On<C>(&C::WanderExit),
                      "alivestate");
    AddBehaviourState("alive_seek", On<C>(&C::SeekEnter), On<C>(&C::SeekUpdate), nullptr, "alivestate");
    AddBehaviourState("alive_attack", On<C>(&C::MeleeAttackEnter), On<C>(&C::MeleeAttackUpdate),
                      On<C>(&C::MeleeAttackExit), "alivestate");
    AddBehaviourState("alive_flee", On<C>(&C::FleeEnter), On<C>(&C::FleeUpdate), nullptr, "alivestate");
    AddBehaviourState("alive_stealitem", On<C>(&C::StealEnter), nullptr, On<C>(&C::StealExit), "alivestate");
    AddBehaviourState("alive_stealitem_acquire", nullptr, On<C>(&C::AcquireUpdate), nullptr, "alive_stealitem");
    AddBehaviourState("alive_stealitem_drop", On<C>(&C::RunOffEnter), On<C>(&C::CarryUpdate), nullptr,
                      "alive_stealitem");

    AddBehaviourTransition("alive_wander", "alive_seek", When<C>(&C::HasTargetSet));
    AddBehaviourTransition("alive_seek", "alive_attack", When<C>(&C::IsTargetInReach));
    AddBehaviourTransition("alive_seek", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack", "alive_seek", When<C>(&C::IsTargetOutOfReach));
    AddBehaviourTransition("alive_attack", "alive_wander", When<C>(&C::FindsNobody));
    AddBehaviourTransition("alive_attack", "alive_flee", When<C>(&C::ShouldFlee));
    AddBehaviourTransition("alive_flee", "alive_wander", When<C>(&C::IsSafeFromTarget));
    AddBehaviourTransition("alive_flee", "alive_stealitem", When<C>(&C::ClaimItem));
    AddBehaviourTransition("alive_stealitem", "alive_wander", When<C>(&C::HasLostItem));
    AddBehaviourTransition("alive_stealitem_acquire", "alive_stealitem_drop", When<C>(&C::IsCarryingUndropped));
}

void CMinionController::BuildAnimations()
{
    AddAnimation("IDLE", "IDLE", 0);
    AddAnimation("WALK", "WALK", 0);
    AddAnimation("STUN", "STUN", 0);
    AddAnimation("FEEDBACK", "FEEDBACK", 1);
    AddAnimation("ATTACK", "ATTACK", 1);
    AddAnimation("DIE", "DEATH", 1, false);
    AddAnimationReturn("ATTACK", "IDLE");
}

void CMinionController::Detach()
{
    ReleaseItem();
    CEnemyController::Detach();
}

void CMinionController::Update(float dt)
{
    static const std::vector<std::pair<int, const char*>> kParts = {{30, "ears"}, {25, "tail"}, {12, "bodyparts"}};
    ShedParts(kParts);
    CEnemyController::Update(dt);
}

void CMinionController::OnHit(const int& damage)
{
    (void)damage;
    m_AttackCountdown = m_AttackCooldown;
}

void CMinionController::OnFlockLaunch() { RequestAnimation("ATTACK"); }

bool CMinionController::ShouldDie()
{
    const CCharacter* owner = GetOwner();
    return CEnemyController::ShouldDie() && !(owner->m_StunTimer > 0.0f) && owner->GetMoveQueue().IsEmpty();
}

// Theft.

CPickupItem* CMinionController::GetStolenItem() const { return m_StolenItem.GetAs<CPickupItem>(); }

bool CMinionController::ClaimItem()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return false;
    for (CEntity* entity : CEntityFactory::GetInstance().FindByType(PICKUPITEM)) {
        const CVector3D offset = entity->GetPosition() - owner->GetPosition();
        if (!entity->IsVisible() || offset.Dot(offset) > m_WanderRadius * m_WanderRadius)
            continue;
        auto* item = dynamic_cast<CPickupItem*>(entity);
        if (!item || item->IsHeld() || !item->IsCollectable())
            return false;
        item->SetCarrier(owner);
        m_StolenItem = EntityHandle(item);
        return true;
    }
    return false;
}

bool CMinionController::HasLostItem()
{
    const CPickupItem* item = GetStolenItem();
    if (!item || !item->IsCollectable())
        return true;
    const CCharacter* carrier = item->GetCarrier();
    return carrier && carrier != GetOwner();
}

void CMinionController::StealEnter()
{
    // A new theft starts from scratch, whatever the last one left behind.
    m_ItemAcquired = false;
    m_ItemDropped = false;
    m_CarryTimer = 0.0f;
    const CCharacter* owner = GetOwner();
    const CPickupItem* item = GetStolenItem();
    if (!owner || !item)
        return;
    const CVector3D& at = item->GetPosition();
    SetTargetPosition(CVector3D(at.x, owner->GetPosition().y, at.z));
}

void CMinionController::AcquireUpdate(float dt)
{
    (void)dt;
    CCharacter* owner = GetOwner();
    CPickupItem* item = GetStolenItem();
    if (!owner || !item || m_ItemAcquired)
        return;
    if (owner->MoveTo(m_TargetPosition, true)) {
        item->SetCarrier(owner);
        m_ItemAcquired = true;
    }
}

void CMinionController::RunOffEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    if (HasTargetSet())
        SetTargetPosition(owner->GetPosition() + RandomHorizontalDirection() * kRunOffDistance);
    if (CPickupItem* item = GetStolenItem()) {
        item->SetPosition(owner->GetPosition() + CVector3D(0.0f, kCarryHeight, 0.0f));
        if (Vesk::CRigidBody* body = item->GetBody())
            body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
    }
}

void CMinionController::CarryUpdate(float dt)
{
    CCharacter* owner = GetOwner();
    CPickupItem* item = GetStolenItem();
    if (!owner || !item || m_ItemDropped)
        return;
    m_CarryTimer += dt;
    if (!owner->MoveTo(m_TargetPosition, true) && m_CarryTimer < kCarryLimit) {
        item->SetPosition(owner->GetPosition() + CVector3D(0.0f, kCarryHeight, 0.0f));
        // Carried, not falling: the body keeps no speed of its own for when it is let go.
        item->SetLinearVelocity(CVector3D());
        return;
    }
    m_ItemDropped = true;
    ReleaseItem();
}

void CMinionController::ReleaseItem()
{
    CPickupItem* item = GetStolenItem();
    m_StolenItem.Reset();
    m_ItemAcquired = false;
    m_CarryTimer = 0.0f;
    if (!item)
        return;
    const CCharacter* carrier = item->GetCarrier();
    if (carrier && carrier != GetOwner())
        return;
    item->SetCarrier(nullptr);
    if (Vesk::CRigidBody* body = item->GetBody())
        body->SetBodyType(Vesk::BODY_DYNAMIC);
}

} // namespace Game
