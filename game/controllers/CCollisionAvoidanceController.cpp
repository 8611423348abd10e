#include "game/controllers/CCollisionAvoidanceController.h"

#include "game/controllers/IController.h"
#include "game/entities/CCharacter.h"
#include "math/AABB.h"
#include "math/GameMath.h"
#include "math/Matrix4.h"
#include "math/Ray.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Game {

namespace {

constexpr float kPi = 3.14159265358979f;
// Members this far ahead (in radii) are still looked at when they block the way to the target.
constexpr float kAheadReachSquared = 1.5625f;
// How far out along the steering the members are sent.
constexpr float kSteerReach = 15.0f;

struct Steering {
    bool m_Face = false;
    CVector3D m_Vector;
};

bool IsFree(const CCharacter& character) { return !(character.m_StunTimer > 0.0f) && !character.m_Suspend; }

CVector3D VelocityOf(const CCharacter& character)
{
    CVector3D velocity;
    character.GetLinearVelocity(velocity);
    return velocity;
}

// The character's box moved to where its velocity takes it within dt.
CAABB BoxAhead(const CCharacter& character, float dt)
{
    CAABB box;
    character.GetBoundingBox(box);
    box.SetCenter(character.GetPosition() + VelocityOf(character) * dt);
    return box;
}

float DistanceSquared(const CCharacter& a, const CCharacter& b)
{
    return ::DistanceSquared(a.GetPosition(), b.GetPosition());
}

// Pushes S away from every near member whose box M is about to touch, by the inverse squared
// distance, on the ground plane.
CVector3D NearSteering(const CCharacter& member, const std::vector<CCharacter*>& near, float dt)
{
    CVector3D steer = VelocityOf(member);
    const CAABB own = BoxAhead(member, dt);
    for (const CCharacter* other : near) {
        const float distanceSquared = DistanceSquared(member, *other);
        if (!own.Intersects(BoxAhead(*other, dt)) || !(distanceSquared > 0.0f))
            continue;
        const CVector3D away = (other->GetPosition() - member.GetPosition()).GetNormalized();
        steer.x -= away.x / distanceSquared;
        steer.z -= away.z / distanceSquared;
        steer.y = 0.0f;
        steer.Normalize();
    }
    return steer;
}

// True when the other member's box lies on the way from the member to its target.
bool BlocksTheWay(const CCharacter& member, const CVector3D& toTarget, const CCharacter& other)
{
    CAABB box;
    other.GetBoundingBox(box);
    float distance = 0.0f;
    return RayIntersectAABB(CRay(member.GetPosition(), toTarget), box, &distance) && distance >= 0.0f &&
           distance <= 1.0f;
}

} // namespace

void CCollisionAvoidanceController::Init(const std::string& name)
{
    ISharedCharacterController::Init(name);
    m_AvoidanceRadius = kDefaultRadius;
}

void CCollisionAvoidanceController::Update(float dt)
{
    if (!m_Enabled)
        return;
    const std::vector<CCharacter*> members = GetMembers();
    const float radiusSquared = m_AvoidanceRadius * m_AvoidanceRadius;
    std::vector<Steering> steering(members.size());

    for (std::size_t i = 0; i < members.size(); ++i) {
        const CCharacter& member = *members[i];
        if (!IsFree(member))
            continue;
        const auto* controller = dynamic_cast<const CCharacterController*>(member.GetController());
        const CEntity* target = controller ? controller->GetTarget() : nullptr;
        const CVector3D toTarget = target ? target->GetPosition() - member.GetPosition() : CVector3D();

        std::vector<CCharacter*> near;
        std::vector<CCharacter*> ahead;
        for (CCharacter* other : members) {
            if (other == &member || !IsFree(*other))
                continue;
            const float distanceSquared = DistanceSquared(member, *other);
            if (distanceSquared < radiusSquared)
                near.push_back(other);
            if (target && distanceSquared < kAheadReachSquared * radiusSquared &&
                BlocksTheWay(member, toTarget, *other))
                ahead.push_back(other);
        }

        steering[i].m_Vector = NearSteering(member, near, dt);
        if (ahead.empty())
            continue;
        CVector3D aheadHeading;
        for (const CCharacter* other : ahead)
            aheadHeading += VelocityOf(*other).GetNormalized();
        aheadHeading /= static_cast<float>(ahead.size());
        aheadHeading.Normalize();
        const CVector3D heading = VelocityOf(member).GetNormalized();
        const float angle = std::acos(std::clamp(aheadHeading.Dot(heading), -1.0f, 1.0f));
        if (angle <= kPi * 0.5f) {
            const float share = ahead.size() == 1 ? 0.25f : 0.75f;
            steering[i].m_Vector = RotatedAboutUp(heading, share * (kPi * 0.5f - angle));
            steering[i].m_Face = true;
        }
    }

    for (std::size_t i = 0; i < members.size(); ++i) {
        CCharacter& member = *members[i];
        if (!IsFree(member))
            continue;
        CVector3D steer = steering[i].m_Vector;
        steer.y = 0.0f;
        member.MoveTo(member.GetPosition() + steer * kSteerReach, steering[i].m_Face);
    }
}

} // namespace Game
