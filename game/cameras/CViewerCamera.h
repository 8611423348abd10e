// CViewerCamera ("viewercam"): free flight for the splash and controls screens and for looking
// around. W, S, A, D, Q and E fly it (forward, backward, left, right, up, down) at 100 units a
// second, the mouse turns it, Z resets it, and Ctrl+F11 holds the cursor in the window. Its
// listeners react only while it is the current camera.
#pragma once

#include "game/cameras/CameraDrag.h"
#include "game/cameras/FreeFlight.h"
#include "render/CCamera.h"

#include <memory>

namespace Game {

class CViewerCamera : public Vesk::CCamera {
public:
    CViewerCamera();
    ~CViewerCamera() override;

    // Keys let go, capture off, eye at (0, 10, -15); the angles from that eye and the look-at point.
    void Reset() override;
    void Update(float dt) override;

    FreeFlight& GetFlight() { return m_Flight; }
    bool IsMouseCaptured() const { return m_MouseCaptured; }

private:
    FreeFlight m_Flight{{'W', 'S', 'A', 'D', 'Q', 'E'}};
    bool m_MouseCaptured = false;
    std::unique_ptr<FlightKeyListener> m_pKeys;
    std::unique_ptr<MouseDragListener> m_pMouse;
};

} // namespace Game
