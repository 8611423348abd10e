// What the viewer and level-editor cameras share: six held keys (forward, backward, left,
// right, up, down) kept as bits by a keyboard listener, flight along the view at 100 units a
// second, and the mouse look that turns yaw and pitch by 0.1 degree a pixel.
#pragma once

#include "input/IKeyboardListener.h"
#include "math/Vector3D.h"

#include <array>
#include <cstdint>

namespace Vesk {
class CCamera;
}

namespace Game {

// The letters for forward, backward, left, right, up and down, in bit order 1, 2, 4, .. 32.
using FlightKeys = std::array<char, 6>;

struct FreeFlight {
    static constexpr float kSpeed = 100.0f;
    static constexpr float kTurnPerPixel = 0.1f;

    FlightKeys keys;
    unsigned heldBits = 0;

    // Key down sets its bit, key up clears it; keys outside the table change nothing.
    void OnKey(uint32_t virtualKey, bool down);
    // The held directions summed and normalised, times speed and dt (none held, or opposite ones
    // held together: no movement).
    CVector3D Movement(const Vesk::CCamera& camera, float dt) const;
};

// The keys of a camera's flight while that camera is the current one: letters only, Z resets
// the camera.
class FlightKeyListener : public Vesk::IKeyboardListener {
public:
    FlightKeyListener(Vesk::CCamera& camera, FreeFlight& flight) : m_Camera(camera), m_Flight(flight) {}

    void OnKeyDown(const Vesk::KeyEvent& event) override;
    void OnKeyUp(const Vesk::KeyEvent& event) override;

private:
    Vesk::CCamera& m_Camera;
    FreeFlight& m_Flight;
};

bool IsCurrentCamera(const Vesk::CCamera& camera);
// Eye and look-at point moved together by the held keys.
void FlyByKeys(Vesk::CCamera& camera, const FreeFlight& flight, float dt);
// yaw -= dx x 0.1 (360 taken off above 360), pitch -= dy x 0.1 within -90 .. 90.
void TurnByMouse(Vesk::CCamera& camera, int dx, int dy);

} // namespace Game
