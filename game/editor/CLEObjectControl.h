// The level editor's object-control tool, active on the Units and Doodads layers. A left click
// in Create mode makes an entity of the chosen type and prefab standing on the terrain block
// under the pointer (nothing when the pointer meets no block); in Move and Rotate modes a left
// drag of one of the three axis handles drawn at the editor's selection moves it along that axis
// or turns it about Y. Creations and finished drags are undoable edit packets. The tool owns its
// bar ("ObjectControlBar"), its handles and its listener; the selection stays the editor's
// checked handle.
#pragma once

#include "game/entities/EntityHandle.h"

#include "devgui/CDevGUIBar.h"
#include "input/IKeyboardListener.h"
#include "input/IMouseListener.h"
#include "math/AABB.h"
#include "math/Ray.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <memory>

namespace Game {

class CEntity;
class CLevelEditor;
class CLEObjectControl;

// One drag handle: a cube of side 5 at the tip, 25 along its axis from the entity's position,
// and a shaft 25 long and 2 across between the two.
struct CLEAxisHandle {
    static constexpr float kLength = 25.0f;
    static constexpr float kTipSize = 5.0f;
    static constexpr float kShaftWidth = 2.0f;

    explicit CLEAxisHandle(uint32_t axisIndex) : axis(axisIndex) {}

    // The unit vector of the axis: X (1, 0, 0), Y (0, 1, 0), Z (0, 0, 1).
    CVector3D Unit() const;
    void Place(const CVector3D& at);
    // The tip cube, then the shaft, entered in front of the ray's origin.
    bool IsHit(const CRay& ray) const;

    uint32_t axis;
    CAABB tip, shaft;
};

// Where a handle drag puts the entity at p: the pointer ray meets the plane through p (facing
// the eye for X and Z, the plane of constant z for Y; the ray's origin when it misses the
// plane), that point's coordinate on the axis is where the handle's tip goes, and the entity
// follows 25 behind it.
CVector3D DragAlongAxis(const CVector3D& p, uint32_t axis, const CVector3D& eye, const CRay& ray);
// The direction turned about Y by the angle in degrees.
CVector3D TurnAboutY(const CVector3D& direction, float degrees);

class CLEObjectControlListener : public Vesk::IKeyboardListener, public Vesk::IMouseListener {
public:
    CLEObjectControlListener(CLevelEditor* owner, CLEObjectControl* tool);

    void OnKeyDown(const Vesk::KeyEvent&) override {}
    void OnKeyUp(const Vesk::KeyEvent&) override {}
    void OnMouseDown(const Vesk::MouseEvent& event) override;
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent&) override {}
    void OnMouseMove(const Vesk::MouseEvent& event) override;

    void SetEnabled(bool enabled);
    bool IsEnabled() const { return Vesk::IMouseListener::m_Enabled; }
    bool IsDragging() const { return m_Dragging; }

private:
    bool OnToolLayer() const;
    // Ends the drag with an edit packet from where it began to where the entity is.
    void FinishDrag();

    CLevelEditor* m_Owner;
    bool m_Dragging = false;
    CLEObjectControl* m_Tool;
    float m_DragStartMouseY = 0.0f;
    CVector3D m_DragStartDirection;
    // The entity being dragged, which the release records even if the selection changed.
    EntityHandle m_DragEntity;
};

class CLEObjectControl {
public:
    enum Mode : uint32_t { CreateMode = 0, MoveMode, RotateMode, ScaleMode };
    enum Axis : uint32_t { AxisX = 0, AxisY, AxisZ, NoAxis };
    static constexpr const char* kBarName = "ObjectControlBar";

    explicit CLEObjectControl(CLevelEditor* owner);
    ~CLEObjectControl();
    CLEObjectControl(const CLEObjectControl&) = delete;
    CLEObjectControl& operator=(const CLEObjectControl&) = delete;

    // Builds the bar and enables the listener when there is no bar; a bar built for the other of
    // the two layers is built again, since only the Units layer offers the type.
    void Show();
    void Hide();
    // Draws the handles at the selection.
    void Update(float dt);

    // The type of entity to create; the prefab list follows it.
    void SetUnitCreateMode(uint32_t type);
    uint32_t GetUnitCreateMode() const { return m_CreateType; }
    // The "RegenPrefabsBtn" action: the prefab file read again and the list rebuilt.
    void ReloadPrefabs();

    // Makes the entity the bar's settings describe on the block the ray meets first: a creation
    // packet, or a line and nothing when the ray meets no block.
    void CreateUnit(const CRay& ray);
    // The handle the ray meets first, in the order X, Y, Z; NoAxis for none.
    uint32_t PickHandle(const CRay& ray) const;

    CEntity* GetSelectedEntity() const;
    uint32_t GetMode() const { return m_Mode; }
    void SetMode(uint32_t mode) { m_Mode = mode; }
    uint32_t GetPickedAxis() const { return m_PickedAxis; }
    void SetPickedAxis(uint32_t axis) { m_PickedAxis = axis; }
    bool m_RandomOrientation = false;
    bool m_RandomScale = false;
    uint32_t m_PrefabIndex = 0;
    CVector3D m_LookDirection{0.0f, 0.0f, -1.0f};
    // The selection's place when a drag began.
    CVector3D m_OldPosition, m_OldDirection;

    bool HasBar() const { return !m_Bar.IsEmpty(); }
    const CLEAxisHandle& GetHandle(uint32_t axis) const { return m_Handles[axis]; }
    void PlaceHandles(const CVector3D& at);
    CLEObjectControlListener& GetListener() { return *m_Listener; }
    const CLEObjectControlListener& GetListener() const { return *m_Listener; }

private:
    void BuildBar();

    uint32_t m_Mode = CreateMode;
    uint32_t m_PickedAxis = NoAxis;
    CLEAxisHandle m_Handles[3] = {CLEAxisHandle(AxisX), CLEAxisHandle(AxisY), CLEAxisHandle(AxisZ)};
    Vesk::CDevGUIBar m_Bar;
    uint32_t m_BarLayer = 0;
    uint32_t m_CreateType = 0;
    std::unique_ptr<CLEObjectControlListener> m_Listener;
    CLevelEditor* m_Owner;
};

} // namespace Game
