// The enemy controller's targets: the scan for the player, the choice of a target and the
// conditions on it (reach, flight, safety).
#include "game/controllers/CEnemyController.h"

#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "math/GameMath.h"
#include "math/Random.h"

#include <cfloat>
#include <cmath>

namespace Game {

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

} // namespace Game
