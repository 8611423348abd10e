#include "game/cameras/CameraDrag.h"

#include "input/CInputManager.h"
#include "render/CCamera.h"
#include "window/CWindowSystem.h"

namespace Game {

void MouseDragState::Track(const Vesk::MouseEvent& event)
{
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    leftHeld = input.IsMouseButtonDown(0);
    rightHeld = input.IsMouseButtonDown(1);
    lastX = event.x;
    lastY = event.y;
}

void MouseDragListener::OnMouseMove(const Vesk::MouseEvent& event)
{
    m_State.Track(event);
    if (m_OnMove)
        m_OnMove(event, m_State);
}

void PanAcrossView(Vesk::CCamera& camera, int dx, int dy, float sensitivity)
{
    float axes[9];
    camera.GetOrientation(axes);
    const CVector3D right(axes[0], axes[1], axes[2]);
    const CVector3D up(axes[3], axes[4], axes[5]);
    const float scale = sensitivity * sensitivity;
    const CVector3D pan = right * (static_cast<float>(dx) * scale) - up * (static_cast<float>(dy) * scale);
    camera.SetLookAt(camera.GetLookAt() + pan);
    camera.SetEye(camera.GetEye() + pan);
}

void WrapCursorAtEdges(const MouseDragState& drag)
{
    if (!drag.rightHeld)
        return;
    Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    const int width = window.GetClientWidth();
    const int height = window.GetClientHeight();
    if (drag.lastX > width - 10)
        window.SetCursorX(0);
    else if (drag.lastX < 1)
        window.SetCursorX(width);
    if (drag.lastY > height - 10)
        window.SetCursorY(0);
    else if (drag.lastY <= 0)
        window.SetCursorY(height);
}

} // namespace Game
