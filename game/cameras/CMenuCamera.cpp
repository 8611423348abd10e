#include "game/cameras/CMenuCamera.h"

#include "core/Log.h"
#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"

#include <algorithm>
#include <cmath>

namespace Game {

CMenuCamera::CMenuCamera()
    : m_pListener(
          std::make_unique<MouseDragListener>([this](const Vesk::MouseEvent& event, const MouseDragState& drag) {
              // Shift and the left button pan the camera across its view.
              const bool shift = Vesk::CInputManager::GetInstance().IsKeyDown(win::VK_SHIFT);
              if (shift && drag.leftHeld && !drag.rightHeld)
                  PanAcrossView(*this, event.dx, event.dy, kDragSensitivity);
          }))
{
}

CMenuCamera::~CMenuCamera() = default;

void CMenuCamera::LoadWaypoints(const std::string& path)
{
    if (m_WaypointsLoaded)
        return;
    LoadCameraWaypoints(path, m_Waypoints);
    m_WaypointsLoaded = true;
}

void CMenuCamera::SetFlightEndActions(LevelFlightEnd levelEnd, TitleFlightEnd titleEnd)
{
    m_LevelEnd = levelEnd;
    m_TitleEnd = titleEnd;
}

void CMenuCamera::StartPath(int n)
{
    m_PathIndex = n;
    if (n < 0 || static_cast<size_t>(n) >= m_Waypoints.paths.size() || m_Waypoints.paths[n].size() < 2) {
        // The camera stays where it is, and the flight's end comes at once: the menu still shows
        // and the level still starts.
        Vesk::LogLine("CMenuCamera: path " + std::to_string(n) + " has fewer than two points; it is not flown");
        FinishPath();
        return;
    }
    m_Moving = true;
    m_Segment = 1;
    m_Chase = m_Waypoints.paths[n][0];
    Vesk::CCameraManager::GetInstance().SetCurrentCamera(GetName(), true);
    m_Eye = m_Chase;
}

void CMenuCamera::Reset()
{
    m_pListener->ReleaseButtons();
    CCamera::Reset();
}

void CMenuCamera::Update(float dt)
{
    if (m_FirstUpdate) {
        Reset();
        m_FirstUpdate = false;
    }
    // A frame time that is not a number counts as no time.
    dt = std::isfinite(dt) ? std::clamp(dt, 0.0f, kMaxUpdateStep) : 0.0f;
    if (m_Moving)
        FollowPath(dt);
    WrapCursorAtEdges(m_pListener->GetState());
    UpdateAnglesFromLookAt();
    CCamera::Update(dt);
}

void CMenuCamera::FollowPath(float dt)
{
    const std::vector<CVector3D>& points = m_Waypoints.paths[m_PathIndex];
    const size_t count = points.size();
    if (m_Segment >= count) {
        FinishPath();
        return;
    }
    dt = std::min(dt, kMaxFlightStep);
    UpdateFlightLookAt(points);
    m_Eye += (m_Chase - m_Eye) * (dt * kEyeRate);

    // The chase point lands on the point it heads for once the rest of the way is no longer than
    // a step, so repeated points and a step landing exactly on a point pass as well.
    const CVector3D toPoint = points[m_Segment] - m_Chase;
    const float remaining = toPoint.Length();
    const float step = dt * kChaseSpeed;
    if (remaining <= step) {
        m_Chase = points[m_Segment];
        ++m_Segment;
        if (m_Segment >= count && (m_Eye - points[count - 1]).Length() > 0.1f)
            m_Segment = count - 1;
    } else {
        m_Chase += toPoint * (step / remaining);
    }
    if (m_Segment == count - 1 && (m_Eye - points[count - 1]).Length() < kArrival)
        m_Segment = count;
}

void CMenuCamera::UpdateFlightLookAt(const std::vector<CVector3D>& points)
{
    const std::vector<CVector3D>& lookAts = m_Waypoints.lookAts;
    if (m_PathIndex == 0 && !lookAts.empty()) {
        m_LookAt = lookAts[0];
    } else if (m_PathIndex == 1 && lookAts.size() > 1) {
        const CVector3D& from = points[m_Segment - 1];
        const float length = (points[m_Segment] - from).Length();
        const float t = length > 1e-4f ? (m_Eye - from).Length() / length : 1.0f;
        m_LookAt = lookAts[1] + (lookAts[0] - lookAts[1]) * t;
    }
}

void CMenuCamera::FinishPath()
{
    m_Moving = false;
    m_Segment = 1;
    if (m_PathIndex == 0) {
        if (m_LevelEnd)
            m_LevelEnd(m_Level);
    } else if (m_PathIndex == 1) {
        if (!m_Waypoints.lookAts.empty())
            m_LookAt = m_Waypoints.lookAts[0];
        if (m_TitleEnd)
            m_TitleEnd();
    }
}

} // namespace Game
