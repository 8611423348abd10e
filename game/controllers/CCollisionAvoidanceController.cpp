#include "game/controllers/CCollisionAvoidanceController.h"

#include "game/controllers/IController.h"
#include "game/entities/CCharacter.h"
#include "math/GameMath.h"
#include "math/Matrix4.h"
#include "math/Ray.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

constexpr float kPi = 3.14159265358979f;
// Members this far ahead (in radii) are still looked at when they block the way to the target.
constexpr float kAheadReachSquared = 1.5625f;
// How far out along the steering the members are sent.
constexpr float kSteerReach = 15.0f;
// Added to the squared reach before the grid's cells are sized from it: where the squared
// distances are so small that they lose precision, the cells stay wide enough.
constexpr float kTinySquared = 1.0e-30f;

bool IsFree(const CCharacter& character) { return !(character.m_StunTimer > 0.0f) && !character.m_Suspend; }

CVector3D VelocityOf(const CCharacter& character)
{
    CVector3D velocity;
    character.GetLinearVelocity(velocity);
    return velocity;
}

// True when the other member's box lies on the way from the member to its target.
bool BlocksTheWay(const CRay& way, const CAABB& box)
{
    float distance = 0.0f;
    return RayIntersectAABB(way, box, &distance) && distance >= 0.0f && distance <= 1.0f;
}

} // namespace

void CCollisionAvoidanceController::Init(const std::string& name)
{
    ISharedCharacterController::Init(name);
    m_AvoidanceRadius = kDefaultRadius;
}

void CCollisionAvoidanceController::ViewMembers(float dt, float reachSquared)
{
    m_Views.resize(m_Crowd.size());
    // Nobody can be nearer than a squared reach of 0 (or one that is not a number).
    m_Grid.Begin(reachSquared > 0.0f ? std::sqrt(reachSquared + kTinySquared) : 0.0f);
    for (size_t i = 0; i < m_Crowd.size(); ++i) {
        const CCharacter& member = *m_Crowd[i];
        MemberView& view = m_Views[i];
        view.free = IsFree(member);
        view.position = member.GetPosition();
        view.velocity = VelocityOf(member);
        member.GetBoundingBox(view.box);
        view.boxAhead = view.box;
        view.boxAhead.SetCenter(view.position + view.velocity * dt);
        if (view.free)
            m_Grid.Add(static_cast<uint32_t>(i), view.position.x, view.position.z);
    }
    m_Grid.Finish();
}

// Pushes the member away from every near member whose box it is about to touch, by the inverse
// squared distance, on the ground plane.
CVector3D CCollisionAvoidanceController::NearSteering(const MemberView& member) const
{
    CVector3D steer = member.velocity;
    for (const uint32_t index : m_Near) {
        const MemberView& other = m_Views[index];
        const float distanceSquared = DistanceSquared(member.position, other.position);
        if (!member.boxAhead.Intersects(other.boxAhead) || !(distanceSquared > 0.0f))
            continue;
        const CVector3D away = (other.position - member.position).GetNormalized();
        steer.x -= away.x / distanceSquared;
        steer.z -= away.z / distanceSquared;
        steer.y = 0.0f;
        steer.Normalize();
    }
    return steer;
}

void CCollisionAvoidanceController::Update(float dt)
{
    if (!m_Enabled)
        return;
    CollectMembers(m_Crowd);
    const float radiusSquared = m_AvoidanceRadius * m_AvoidanceRadius;
    const float aheadSquared = kAheadReachSquared * radiusSquared;
    ViewMembers(dt, std::max(radiusSquared, aheadSquared));
    m_Steering.assign(m_Crowd.size(), Steering{});

    for (size_t i = 0; i < m_Crowd.size(); ++i) {
        const MemberView& member = m_Views[i];
        if (!member.free)
            continue;
        const auto* controller = dynamic_cast<const CCharacterController*>(m_Crowd[i]->GetController());
        const CEntity* target = controller ? controller->GetTarget() : nullptr;
        const CVector3D toTarget = target ? target->GetPosition() - member.position : CVector3D();
        const CRay way(member.position, toTarget);

        // The grid holds only free members, in the order they joined.
        m_Near.clear();
        m_Ahead.clear();
        m_Grid.Gather(member.position.x, member.position.z, m_Candidates);
        for (const uint32_t index : m_Candidates) {
            if (index == i)
                continue;
            const MemberView& other = m_Views[index];
            const float distanceSquared = DistanceSquared(member.position, other.position);
            if (distanceSquared < radiusSquared)
                m_Near.push_back(index);
            if (target && distanceSquared < aheadSquared && BlocksTheWay(way, other.box))
                m_Ahead.push_back(index);
        }

        m_Steering[i].m_Vector = NearSteering(member);
        if (m_Ahead.empty())
            continue;
        CVector3D aheadHeading;
        for (const uint32_t index : m_Ahead)
            aheadHeading += m_Views[index].velocity.GetNormalized();
        aheadHeading /= static_cast<float>(m_Ahead.size());
        aheadHeading.Normalize();
        const CVector3D heading = member.velocity.GetNormalized();
        const float angle = std::acos(std::clamp(aheadHeading.Dot(heading), -1.0f, 1.0f));
        if (angle <= kPi * 0.5f) {
            const float share = m_Ahead.size() == 1 ? 0.25f : 0.75f;
            m_Steering[i].m_Vector = RotatedAboutUp(heading, share * (kPi * 0.5f - angle));
            m_Steering[i].m_Face = true;
        }
    }

    for (size_t i = 0; i < m_Crowd.size(); ++i) {
        CCharacter& member = *m_Crowd[i];
        if (!IsFree(member))
            continue;
        CVector3D steer = m_Steering[i].m_Vector;
        steer.y = 0.0f;
        member.MoveTo(member.GetPosition() + steer * kSteerReach, m_Steering[i].m_Face);
    }
}

} // namespace Game
