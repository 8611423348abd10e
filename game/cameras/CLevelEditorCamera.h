// CLevelEditorCamera ("editorcamera", "terraineditorcamera"): the level editor's free camera.
// R, F, A, D, W and S fly it (forward, backward, left, right, up, down) at 100 units a second,
// Ctrl and the right button drag turn it, the middle button drag pans it over the ground (world
// x and z), Ctrl and the wheel move it nearer or further (never closer than 0.1), Z resets it.
// The editor switches its keys off while the terrain layer is chosen. Its listeners react only
// while it is the current camera.
#pragma once

#include "game/cameras/FreeFlight.h"
#include "render/CCamera.h"

#include <memory>

namespace Game {

class CLevelEditorCamera : public Vesk::CCamera {
public:
    static constexpr float kPanPerPixel = 0.55f;
    static constexpr float kZoomPerWheelUnit = 0.15f;

    CLevelEditorCamera();
    ~CLevelEditorCamera() override;

    // Looking down at (0, 0, 70) from 200 above (0.01 off the vertical); keys let go and on.
    void Reset() override;
    void Update(float dt) override;

    void EnableInput();
    void DisableInput();
    bool IsInputEnabled() const;
    FreeFlight& GetFlight() { return m_Flight; }

private:
    class MouseControl;

    FreeFlight m_Flight{{'R', 'F', 'A', 'D', 'W', 'S'}};
    std::unique_ptr<FlightKeyListener> m_pKeys;
    std::unique_ptr<MouseControl> m_pMouse;
};

} // namespace Game
