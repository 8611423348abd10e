// What the hand-steered cameras share for mouse drags: the pan of eye and look-at point across
// the view, the cursor wrap at the window's edges while the right button is held, and a mouse
// listener that keeps the held state of the left and right buttons and hands each move on.
#pragma once

#include "input/IMouseListener.h"

#include <functional>

namespace Vesk {
class CCamera;
}

namespace Game {

struct MouseDragState {
    bool leftHeld = false;
    bool rightHeld = false;
    int lastX = 0, lastY = 0;

    // The held buttons and the cursor position after a move event.
    void Track(const Vesk::MouseEvent& event);
};

// Tracks the buttons and the cursor on every move, then calls the camera's drag handler.
class MouseDragListener : public Vesk::IMouseListener {
public:
    using Handler = std::function<void(const Vesk::MouseEvent&, const MouseDragState&)>;

    explicit MouseDragListener(Handler onMove) : m_OnMove(std::move(onMove)) {}

    void OnMouseDown(const Vesk::MouseEvent&) override {}
    void OnMouseUp(const Vesk::MouseEvent&) override {}
    void OnMouseWheel(const Vesk::MouseEvent&) override {}
    void OnMouseMove(const Vesk::MouseEvent& event) override;

    const MouseDragState& GetState() const { return m_State; }
    // Both buttons taken as let go (a camera's Reset).
    void ReleaseButtons() { m_State.leftHeld = m_State.rightHeld = false; }

private:
    Handler m_OnMove;
    MouseDragState m_State;
};

// Moves eye and look-at point by right axis x (dx s^2) - up axis x (dy s^2) of the camera.
void PanAcrossView(Vesk::CCamera& camera, int dx, int dy, float sensitivity);

// While the right button is held, a cursor near an edge of the window jumps to the opposite one,
// so a drag can turn the camera on and on.
void WrapCursorAtEdges(const MouseDragState& drag);

} // namespace Game
