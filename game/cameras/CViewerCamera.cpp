#include "game/cameras/CViewerCamera.h"

#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "window/CWindowSystem.h"

namespace Game {

CViewerCamera::CViewerCamera()
    : m_pKeys(std::make_unique<FlightKeyListener>(*this, m_Flight)),
      m_pMouse(std::make_unique<MouseDragListener>([this](const Vesk::MouseEvent& event, const MouseDragState&) {
          // Every move of the mouse turns the camera while it is the current one.
          if (IsCurrentCamera(*this))
              TurnByMouse(*this, event.dx, event.dy);
      }))
{
}

CViewerCamera::~CViewerCamera() = default;

void CViewerCamera::Reset()
{
    m_Flight.heldBits = 0;
    m_MouseCaptured = false;
    m_Eye = CVector3D(0.0f, 10.0f, -15.0f);
    CCamera::Reset();
}

void CViewerCamera::Update(float dt)
{
    FlyByKeys(*this, m_Flight, dt);
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    if (input.IsKeyPressed(win::VK_F11, win::VK_CONTROL))
        m_MouseCaptured = !m_MouseCaptured;
    if (m_MouseCaptured)
        Vesk::CWindowSystem::GetInstance().SetCursorPosition(400, 300);
    CCamera::Update(dt);
}

} // namespace Game
