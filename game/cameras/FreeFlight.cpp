#include "game/cameras/FreeFlight.h"

#include "render/CCamera.h"
#include "render/CCameraManager.h"

#include <algorithm>

namespace Game {

void FreeFlight::OnKey(uint32_t virtualKey, bool down)
{
    for (size_t i = 0; i < keys.size(); ++i) {
        if (virtualKey != static_cast<uint32_t>(keys[i]))
            continue;
        const unsigned bit = 1u << i;
        heldBits = down ? (heldBits | bit) : (heldBits & ~bit);
    }
}

CVector3D FreeFlight::Movement(const Vesk::CCamera& camera, float dt) const
{
    const CVector3D forward = (camera.GetLookAt() - camera.GetEye()).GetNormalized();
    const CVector3D right = camera.GetUp().Cross(forward).GetNormalized();
    const CVector3D up = forward.Cross(right);
    const CVector3D directions[6] = {forward, -forward, -right, right, up, -up};
    CVector3D sum;
    for (size_t i = 0; i < 6; ++i)
        if (heldBits & (1u << i))
            sum += directions[i];
    if (sum.Length() < 1e-4f)
        return CVector3D();
    return sum.GetNormalized() * (kSpeed * dt);
}

bool IsCurrentCamera(const Vesk::CCamera& camera)
{
    return Vesk::CCameraManager::GetInstance().GetCurrentCamera() == &camera;
}

void FlightKeyListener::OnKeyDown(const Vesk::KeyEvent& event)
{
    if (!IsCurrentCamera(m_Camera) || event.key < 'A' || event.key > 'Z')
        return;
    if (event.key == 'Z')
        m_Camera.Reset();
    else
        m_Flight.OnKey(event.key, true);
}

void FlightKeyListener::OnKeyUp(const Vesk::KeyEvent& event)
{
    if (IsCurrentCamera(m_Camera) && event.key >= 'A' && event.key <= 'Z')
        m_Flight.OnKey(event.key, false);
}

void FlyByKeys(Vesk::CCamera& camera, const FreeFlight& flight, float dt)
{
    const CVector3D move = flight.Movement(camera, dt);
    camera.SetEye(camera.GetEye() + move);
    camera.SetLookAt(camera.GetLookAt() + move);
}

void TurnByMouse(Vesk::CCamera& camera, int dx, int dy)
{
    float yaw = camera.GetYaw() - static_cast<float>(dx) * FreeFlight::kTurnPerPixel;
    if (yaw > 360.0f)
        yaw -= 360.0f;
    camera.SetYaw(yaw);
    camera.SetPitch(std::clamp(camera.GetPitch() - static_cast<float>(dy) * FreeFlight::kTurnPerPixel, -90.0f, 90.0f));
}

} // namespace Game
