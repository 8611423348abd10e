#include "game/cameras/CSideScrollCamera.h"

#include "core/Log.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "render/CRenderer.h"

#include <cmath>

namespace Game {

CSideScrollCamera::CSideScrollCamera() : m_StateMachine(std::make_unique<StateMachine>(this))
{
    m_StateMachine->AddState("FollowEntitiesState", nullptr, &CSideScrollCamera::UpdateFollowEntities, nullptr,
                             nullptr);
    m_StateMachine->AddState("FollowWaypointsState", nullptr, &CSideScrollCamera::UpdateFollowWaypoints, nullptr,
                             nullptr);
    m_StateMachine->AddState("LockCameraState", nullptr, nullptr, nullptr, nullptr);
    m_Rate = kRate;
}

CSideScrollCamera::~CSideScrollCamera() = default;

bool CSideScrollCamera::GetPlayerGroupCentre(CVector3D& centre) const
{
    bool found = false;
    for (CEntity* entity : CEntityFactory::GetInstance().FindByName("player")) {
        const auto* player = dynamic_cast<const CCharacter*>(entity);
        if (!player || player->m_Health < 1 || player->m_LifeState != LIFE_ALIVE)
            continue;
        if (!found)
            centre = player->GetPosition();
        else
            centre += (player->GetPosition() - centre) * 0.5f;
        found = true;
    }
    return found;
}

CVector3D CSideScrollCamera::FollowEyeFor(const CVector3D& lookAt) const
{
    return lookAt + m_Offset * (kFollowDistance / m_Zoom);
}

void CSideScrollCamera::UpdateFollowEntities(float dt)
{
    (void)dt;
    CVector3D centre;
    if (!GetPlayerGroupCentre(centre))
        return;
    m_TargetLookAt = CVector3D(centre.x, centre.y - kLookBelow, centre.z + kFollowLookAhead);
    m_TargetEye = FollowEyeFor(m_TargetLookAt);
}

void CSideScrollCamera::UpdateFollowWaypoints(float dt)
{
    UpdateFollowEntities(dt);
    const std::vector<CEntity*> waypoints = GetWaypoints();
    if (waypoints.empty())
        return;
    // A later segment that holds the x wins; segments that do not run towards +x hold none.
    for (size_t i = 1; i < waypoints.size(); ++i) {
        const CVector3D& a = waypoints[i - 1]->GetPosition();
        const CVector3D& b = waypoints[i]->GetPosition();
        if (a.x < m_TargetLookAt.x && m_TargetLookAt.x < b.x) {
            const float t = (m_TargetLookAt.x - a.x) / (b.x - a.x);
            m_TargetLookAt = a + (b - a) * t;
        }
    }
    m_TargetEye = FollowEyeFor(m_TargetLookAt);
}

void CSideScrollCamera::Reset()
{
    CVector3D centre;
    if (!GetPlayerGroupCentre(centre))
        return;
    m_Eye = centre + m_Offset * m_Zoom;
    m_LookAt = CVector3D(centre.x, centre.y - kLookBelow, centre.z + kResetLookAhead);
    m_TargetLookAt = CVector3D(centre.x, centre.y - kLookBelow, centre.z);
    m_TargetEye = FollowEyeFor(m_TargetLookAt);
    m_StateMachine->ChangeState("FollowEntitiesState");
    UpdateAnglesFromLookAt();
}

void CSideScrollCamera::Update(float dt)
{
    m_StateMachine->Update(dt);
    UpdateAnglesFromLookAt();
    if (Vesk::CLight* light = Vesk::CRenderer::GetInstance().GetLight(0)) {
        light->m_Position[0] = m_TargetLookAt.x;
        light->m_Position[1] = m_TargetLookAt.y + kLightAbove;
        light->m_Position[2] = m_TargetLookAt.z + kLightBehind;
    }
    CGameCamera::Update(dt);
}

void CSideScrollCamera::ChangeState(const std::string& name) { m_StateMachine->ChangeState(name); }

std::string CSideScrollCamera::GetStateName() const
{
    const StateMachine::State* state = m_StateMachine->GetCurrentState(0);
    return state ? state->GetName() : std::string();
}

void CSideScrollCamera::SetTarget(CEntity* entity)
{
    m_Target = EntityHandle(entity);
    if (!entity)
        return;
    const CVector3D view = m_LookAt - m_Eye;
    m_LookAt = entity->GetPosition();
    m_Eye = m_LookAt - view;
    m_TargetLookAt = entity->GetPosition();
    m_TargetEye = m_TargetLookAt - view;
    UpdateAnglesFromLookAt();
}

void CSideScrollCamera::SetWaypoints(const std::vector<CEntity*>& waypoints)
{
    m_Waypoints.clear();
    for (CEntity* waypoint : waypoints)
        m_Waypoints.emplace_back(waypoint);
}

std::vector<CEntity*> CSideScrollCamera::GetWaypoints() const
{
    std::vector<CEntity*> living;
    for (const EntityHandle& handle : m_Waypoints)
        if (CEntity* waypoint = handle.Get())
            living.push_back(waypoint);
    return living;
}

void CSideScrollCamera::SetZoom(float zoom)
{
    if (!(zoom > 0.0f) || !std::isfinite(zoom)) {
        Vesk::LogLine("CSideScrollCamera: ignored the zoom " + std::to_string(zoom));
        return;
    }
    m_Zoom = zoom;
}

} // namespace Game
