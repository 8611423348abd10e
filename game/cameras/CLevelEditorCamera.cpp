#include "game/cameras/CLevelEditorCamera.h"

#include "input/CInputManager.h"
#include "input/IMouseListener.h"
#include "platform/win/VirtualKeys.h"

namespace Game {

namespace {

bool CtrlHeld() { return Vesk::CInputManager::GetInstance().IsKeyDown(win::VK_CONTROL); }

} // namespace

// Ctrl and right drag turn, middle drag pans, Ctrl and the wheel move nearer or further.
class CLevelEditorCamera::MouseControl : public Vesk::IMouseListener {
public:
    explicit MouseControl(CLevelEditorCamera& camera) : m_Camera(camera) {}

    void OnMouseDown(const Vesk::MouseEvent& event) override
    {
        if (CtrlHeld() && event.button == 1)
            m_Rotating = true;
        else if (event.button == 2)
            m_Panning = true;
    }
    void OnMouseUp(const Vesk::MouseEvent&) override { m_Rotating = m_Panning = false; }
    void OnMouseWheel(const Vesk::MouseEvent& event) override
    {
        if (!IsCurrentCamera(m_Camera) || !CtrlHeld())
            return;
        const float distance = (m_Camera.GetLookAt() - m_Camera.GetEye()).Length();
        m_Camera.SetDistance(distance - static_cast<float>(event.wheelDelta) * kZoomPerWheelUnit);
    }
    void OnMouseMove(const Vesk::MouseEvent& event) override
    {
        if (!IsCurrentCamera(m_Camera))
            return;
        if (m_Rotating)
            TurnByMouse(m_Camera, event.dx, event.dy);
        else if (m_Panning)
            m_Camera.Translate(CVector3D(-static_cast<float>(event.dx) * kPanPerPixel, 0.0f,
                                         static_cast<float>(event.dy) * kPanPerPixel));
    }

private:
    CLevelEditorCamera& m_Camera;
    bool m_Rotating = false;
    bool m_Panning = false;
};

CLevelEditorCamera::CLevelEditorCamera()
    : m_pKeys(std::make_unique<FlightKeyListener>(*this, m_Flight)), m_pMouse(std::make_unique<MouseControl>(*this))
{
}

CLevelEditorCamera::~CLevelEditorCamera() = default;

void CLevelEditorCamera::Reset()
{
    m_Yaw = 0.0f;
    m_Pitch = 0.0f;
    m_Flight.heldBits = 0;
    m_Eye = CVector3D(0.0f, 200.0f, 70.01f);
    m_LookAt = CVector3D(0.0f, 0.0f, 70.0f);
    CCamera::Reset();
    EnableInput();
}

void CLevelEditorCamera::Update(float dt)
{
    FlyByKeys(*this, m_Flight, dt);
    CCamera::Update(dt);
}

void CLevelEditorCamera::EnableInput() { m_pKeys->m_Enabled = true; }

void CLevelEditorCamera::DisableInput()
{
    m_pKeys->m_Enabled = false;
    m_Flight.heldBits = 0;
}

bool CLevelEditorCamera::IsInputEnabled() const { return m_pKeys->m_Enabled; }

} // namespace Game
