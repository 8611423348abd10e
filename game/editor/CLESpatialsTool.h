// The spatials tool, the level editor's tool on the Spatials layer: places collision boxes and
// game-trigger boxes drawn with three clicks against a horizontal placement plane (Q and E move
// it), and camera waypoints clicked onto a vertical plane (the Up and Down arrows move it). Each
// placement is an undoable creation packet. Owns its "SpatialsBar", the box being drawn, the
// record of placed boxes and its listener.
#pragma once

#include "devgui/CDevGUIBar.h"
#include "input/IKeyboardListener.h"
#include "input/IMouseListener.h"
#include "math/AABB.h"
#include "math/Ray.h"

#include <memory>
#include <vector>

namespace Game {

class CLESpatialsTool;

class CLESpatialsListener : public Vesk::IKeyboardListener, public Vesk::IMouseListener {
public:
    explicit CLESpatialsListener(CLESpatialsTool* tool) : m_Tool(tool) {}

    void OnKeyDown(const Vesk::KeyEvent&) override {}
    void OnKeyUp(const Vesk::KeyEvent&) override {}
    void OnMouseDown(const Vesk::MouseEvent&) override {}
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent&) override {}
    void OnMouseMove(const Vesk::MouseEvent& event) override;

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return Vesk::IMouseListener::m_Enabled; }
    // Back to idle: no corner placed, the box hidden.
    void Cancel();
    bool IsDrawingFootprint() const { return m_Footprint && !m_Height; }
    bool IsDrawingHeight() const { return m_Height; }

private:
    CLESpatialsTool* m_Tool;
    bool m_Footprint = false;
    bool m_Height = false;
    float m_PointerY = 0.0f; // pixels, when the height step began
    float m_BottomY = 0.0f;  // the box's min y then
};

class CLESpatialsTool {
public:
    enum SpatialsMode : uint32_t { CollisionBoxes = 0, GameTriggerBoxes = 1, PathfindSpatials = 2, Waypoints = 3 };
    enum WaypointType : uint32_t { CameraWaypoints = 0, AIWaypoints = 1 };
    // Plane movement per second while its key is held.
    static constexpr float kPlaneSpeed = 35.0f;
    static constexpr float kGrid = 3.0f;

    CLESpatialsTool();
    ~CLESpatialsTool();

    void Show();
    void Hide();
    void Update(float dt);

    void SetSpatialsMode(uint32_t mode);
    uint32_t GetSpatialsMode() const { return m_SpatialsMode; }
    void SetTriggerType(uint32_t type);
    uint32_t GetTriggerType() const { return m_TriggerType; }
    // Loads the prefab settings again and rebuilds the trigger prefab list.
    void ReloadPrefabs();

    // Where the ray meets the horizontal or the vertical placement plane; false when it does not.
    bool PointOnHorizontalPlane(const CRay& ray, CVector3D& out) const;
    bool PointOnVerticalPlane(const CRay& ray, CVector3D& out) const;
    // Creates the entity of the current box (corners put in order first), or, in a mode that
    // has no entity type or for a box without volume, says so on the message line.
    void CreateSpatial();
    // A camera waypoint at the point.
    void CreateWaypoint(const CVector3D& position);
    // The value after grid alignment: a remainder of 3 below 0.5 is taken off.
    static float AlignToGrid(float value);

    // Camera waypoints are placed by single clicks on the vertical plane.
    bool IsInWaypointPlacement() const { return m_SpatialsMode == Waypoints && m_WaypointType == CameraWaypoints; }
    const std::vector<CAABB>& GetPlacedBoxes() const { return m_PlacedBoxes; }
    const Vesk::CDevGUIBar& GetBar() const { return m_Bar; }
    CLESpatialsListener& GetListener() { return *m_Listener; }

    // The box being drawn, the planes and the bar's values.
    bool m_BoxShown = false;
    CAABB m_Box;
    float m_PlaneHeight = 0.0f;    // the horizontal plane's y ("SpatialsPlaneY")
    float m_VerticalPlaneZ = 0.0f; // the vertical plane's z
    uint32_t m_GameTriggerPrefabIndex = 0;
    uint32_t m_WaypointType = CameraWaypoints;
    uint32_t m_RegionType = 0; // offered in the bar; placement does not read it

private:
    void RemoveModeVariables();

    std::vector<CAABB> m_PlacedBoxes;
    uint32_t m_TriggerType = 12; // SOUND_TRIGGER
    uint32_t m_SpatialsMode = CollisionBoxes;
    Vesk::CDevGUIBar m_Bar;
    std::unique_ptr<CLESpatialsListener> m_Listener;
};

} // namespace Game
