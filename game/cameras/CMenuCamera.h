// CMenuCamera ("menucamera"): the camera of the title and menu screens. It flies paths of points
// from the waypoint file: a chase point runs ahead along the path at 500 units a second and the
// eye glides after it; the flight ends when the eye has come within 0.5 of the last point. Path 1
// (the title flight) turns its view from its own look-at point towards path 0's and then tells
// the menu to show itself; path 0 (a level start) ends by starting the level. What happens at
// those ends is given by the menu as two plain functions. Every flight ends, whatever the
// points: repeated points, a step landing on a point and unreadable look-at points included.
// A developer pans it with Shift and the left mouse button.
#pragma once

#include "game/cameras/CameraDrag.h"
#include "game/cameras/CameraWaypoints.h"
#include "render/CCamera.h"

#include <memory>
#include <string>

namespace Game {

class CMenuCamera : public Vesk::CCamera {
public:
    static constexpr const char* kWaypointFile = "assets/scripts/camera/cameraWaypts.xml";
    static constexpr float kMaxFlightStep = 0.0166f;
    static constexpr float kMaxUpdateStep = 0.1667f;
    static constexpr float kChaseSpeed = 500.0f;
    static constexpr float kEyeRate = 5.0f;
    static constexpr float kArrival = 0.5f;
    static constexpr float kDragSensitivity = 0.4f;

    // Run at the end of path 0 with the stored level, and at the end of path 1.
    using LevelFlightEnd = void (*)(int level);
    using TitleFlightEnd = void (*)();

    CMenuCamera();
    ~CMenuCamera() override;

    // Reads the waypoint file the first time it is called; later calls do nothing.
    void LoadWaypoints(const std::string& path = kWaypointFile);
    // Flies path n from its first point. A path that is missing or has fewer than two points is
    // not flown (a log line): its end comes at once.
    void StartPath(int n);
    void SetLevel(int level) { m_Level = level; }
    int GetLevel() const { return m_Level; }
    void SetFlightEndActions(LevelFlightEnd levelEnd, TitleFlightEnd titleEnd);

    // Drag state cleared, then the angles from eye and look-at point.
    void Reset() override;
    void Update(float dt) override;

    bool IsMoving() const { return m_Moving; }
    int GetPathIndex() const { return m_PathIndex; }
    const CameraWaypoints& GetWaypoints() const { return m_Waypoints; }
    const CVector3D& GetChasePoint() const { return m_Chase; }

private:
    void FollowPath(float dt);
    void FinishPath();
    // Path 1 turns from its own look-at point (entry 1) towards entry 0 along each segment.
    void UpdateFlightLookAt(const std::vector<CVector3D>& points);

    CameraWaypoints m_Waypoints;
    bool m_WaypointsLoaded = false;
    CVector3D m_Chase;
    bool m_Moving = false;
    int m_PathIndex = 0;
    size_t m_Segment = 1;
    int m_Level = 1;
    bool m_FirstUpdate = true;
    LevelFlightEnd m_LevelEnd = nullptr;
    TitleFlightEnd m_TitleEnd = nullptr;
    std::unique_ptr<MouseDragListener> m_pListener;
};

} // namespace Game
