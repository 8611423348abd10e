#include "input/CInputManager.h"

#include "core/CFrameClock.h"
#include "input/CInputScript.h"
#include "platform/win/Messages.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "render/Letterbox.h"

#include <algorithm>
#include <cstdlib>

namespace Vesk {

IKeyboardListener::IKeyboardListener() { CInputManager::GetInstance().AddKeyboardListener(this); }
IKeyboardListener::~IKeyboardListener() { CInputManager::GetInstance().RemoveKeyboardListener(this); }
IMouseListener::IMouseListener() { CInputManager::GetInstance().AddMouseListener(this); }
IMouseListener::~IMouseListener() { CInputManager::GetInstance().RemoveMouseListener(this); }
IControllerListener::IControllerListener() { CInputManager::GetInstance().AddControllerListener(this); }
IControllerListener::~IControllerListener() { CInputManager::GetInstance().RemoveControllerListener(this); }

namespace {

// A state change noted during the frame settles into the "already down" bit when the frame ends
// with the key (or button) still on the side it went to.
void Settle(uint32_t* states, std::vector<uint32_t>& wentDown, std::vector<uint32_t>& wentUp)
{
    for (uint32_t index : wentDown)
        if (states[index] & 1u)
            states[index] |= 2u;
    for (uint32_t index : wentUp)
        if (!(states[index] & 1u))
            states[index] &= ~2u;
    wentDown.clear();
    wentUp.clear();
}

int32_t FirstButton(const WindowEvent& event)
{
    if (event.left)
        return 0;
    if (event.right)
        return 1;
    if (event.middle)
        return 2;
    return 0;
}

void CentreWithinDeadZone(int16_t& x, int16_t& y)
{
    if (std::abs(x) <= CInputManager::kStickDeadZone && std::abs(y) <= CInputManager::kStickDeadZone)
        x = y = 0;
}

} // namespace

CInputManager::CInputManager() = default;
CInputManager::~CInputManager() = default;

bool CInputManager::Init()
{
    CWindowSystem::GetInstance().SetCallbacks(&OnWindowEvent, &OnWindowEvent, &OnWindowEvent, &OnWindowEvent,
                                              &OnWindowEvent);
    std::fill(std::begin(m_Keys), std::end(m_Keys), 0u);
    std::fill(std::begin(m_Buttons), std::end(m_Buttons), 0u);
    m_WheelUp = m_WheelDown = false;
    m_KeysWentDown.clear();
    m_KeysWentUp.clear();
    m_ButtonsWentDown.clear();
    m_ButtonsWentUp.clear();
    m_Queue.clear();
    std::fill(std::begin(m_Pads), std::end(m_Pads), PadSlot{});
    return true;
}

void CInputManager::Shutdown() { pad::Shutdown(); }

void CInputManager::BeginFrame()
{
    Settle(m_Keys, m_KeysWentDown, m_KeysWentUp);
    Settle(m_Buttons, m_ButtonsWentDown, m_ButtonsWentUp);
    m_WheelUp = m_WheelDown = false;
    if (m_Script)
        m_Script->Pump(CFrameClock::GetInstance().GetFrameIndex());
    PollPads();
}

void CInputManager::OnWindowEvent(WindowEvent event)
{
    InputEvent input;
    const win::MouseMessageKind mouse = win::ClassifyMouseMessage(event.message);
    if (event.message == win::WM_KEYDOWN)
        input.kind = InputEvent::KeyDown;
    else if (event.message == win::WM_KEYUP)
        input.kind = InputEvent::KeyUp;
    else if (mouse.button)
        input.kind = mouse.down ? InputEvent::MouseDown : InputEvent::MouseUp;
    else if (mouse.mouse)
        input.kind = event.message == win::WM_MOUSEWHEEL ? InputEvent::MouseWheel : InputEvent::MouseMove;
    else
        return;
    if (input.kind <= InputEvent::KeyUp) {
        // Key states cover the 256 virtual-key codes only.
        if (event.key >= kKeyCount)
            return;
        input.key.key = event.key;
    } else {
        MouseEvent& mouse = input.mouse;
        mouse.x = event.x;
        mouse.y = event.y;
        mouse.dx = event.dx;
        mouse.dy = event.dy;
        mouse.wheelDelta = event.wheelDelta;
        mouse.wheelUp = event.wheelDelta >= 0;
        mouse.button = FirstButton(event);
        ToViewportCoordinates(event.x, event.y, mouse.fx, mouse.fy);
    }
    GetInstance().m_Queue.push_back(input);
}

void CInputManager::ToViewportCoordinates(int x, int y, float& fx, float& fy)
{
    fx = fy = 0.0f;
    const CWindowSystem& window = CWindowSystem::GetInstance();
    const int clientWidth = window.GetClientWidth();
    const int clientHeight = window.GetClientHeight();
    if (clientWidth <= 0 || clientHeight <= 0)
        return;
    const CRenderer& renderer = CRenderer::GetInstance();
    const int backWidth = renderer.GetScreenWidth() > 0 ? renderer.GetScreenWidth() : clientWidth;
    const int backHeight = renderer.GetScreenHeight() > 0 ? renderer.GetScreenHeight() : clientHeight;
    const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera();
    const ViewportRect viewport = ComputeLetterbox(backWidth, backHeight, camera ? camera->GetAspect() : 0.0f);
    const float px = static_cast<float>(x) / static_cast<float>(clientWidth) * static_cast<float>(backWidth);
    const float py = static_cast<float>(y) / static_cast<float>(clientHeight) * static_cast<float>(backHeight);
    fx = (px - static_cast<float>(viewport.x)) / static_cast<float>(viewport.width);
    fy = (py - static_cast<float>(viewport.y)) / static_cast<float>(viewport.height);
}

void CInputManager::EndFrame()
{
    while (!m_Queue.empty()) {
        const InputEvent event = m_Queue.front();
        m_Queue.pop_front();
        switch (event.kind) {
        case InputEvent::KeyDown:
            m_Keys[event.key.key] |= kDownNow;
            m_KeysWentDown.push_back(event.key.key);
            m_KeyboardListeners.Deliver([&](IKeyboardListener& l) { l.OnKeyDown(event.key); });
            break;
        case InputEvent::KeyUp:
            m_Keys[event.key.key] &= ~kDownNow;
            m_KeysWentUp.push_back(event.key.key);
            m_KeyboardListeners.Deliver([&](IKeyboardListener& l) { l.OnKeyUp(event.key); });
            break;
        case InputEvent::MouseDown:
            m_Buttons[event.mouse.button] |= kDownNow;
            m_ButtonsWentDown.push_back(event.mouse.button);
            m_MouseListeners.Deliver([&](IMouseListener& l) { l.OnMouseDown(event.mouse); });
            break;
        case InputEvent::MouseUp:
            m_Buttons[event.mouse.button] &= ~kDownNow;
            m_ButtonsWentUp.push_back(event.mouse.button);
            m_MouseListeners.Deliver([&](IMouseListener& l) { l.OnMouseUp(event.mouse); });
            break;
        case InputEvent::MouseMove:
            m_MouseX = event.mouse.fx;
            m_MouseY = event.mouse.fy;
            m_MouseListeners.Deliver([&](IMouseListener& l) { l.OnMouseMove(event.mouse); });
            break;
        case InputEvent::MouseWheel:
            (event.mouse.wheelUp ? m_WheelUp : m_WheelDown) = true;
            m_MouseListeners.Deliver([&](IMouseListener& l) { l.OnMouseWheel(event.mouse); });
            break;
        default: break;
        }
    }
}

// One keystroke per pad per frame, delivered at once. A frame without a keystroke clears the
// pad's last one, so a release reads as released for exactly one frame.
void CInputManager::PollPads()
{
    for (int index = 0; index < kPadCount; ++index) {
        PadSlot& slot = m_Pads[index];
        slot.lastKeystroke = pad::Keystroke{};
        if (pad::GetState(index, slot.state) != pad::ERROR_SUCCESS) {
            pad::Gamepad& g = slot.state.gamepad;
            g.thumbLX = g.thumbLY = g.thumbRX = g.thumbRY = 0;
            continue;
        }
        if (pad::GetKeystroke(index, slot.lastKeystroke) != pad::ERROR_SUCCESS)
            continue;
        const PadEvent event{index, slot.lastKeystroke.virtualKey};
        if (slot.lastKeystroke.flags & pad::KEYSTROKE_KEYDOWN)
            m_ControllerListeners.Deliver([&](IControllerListener& l) { l.OnButtonDown(event); });
        else if (slot.lastKeystroke.flags & pad::KEYSTROKE_KEYUP)
            m_ControllerListeners.Deliver([&](IControllerListener& l) { l.OnButtonUp(event); });
    }
    for (PadSlot& slot : m_Pads) {
        CentreWithinDeadZone(slot.state.gamepad.thumbLX, slot.state.gamepad.thumbLY);
        CentreWithinDeadZone(slot.state.gamepad.thumbRX, slot.state.gamepad.thumbRY);
    }
}

bool CInputManager::ModifierHeld(uint32_t modifier) const { return modifier == 0 || (KeyState(modifier) & kDownNow); }

bool CInputManager::IsKeyDown(uint32_t key, uint32_t modifier) const
{
    return ModifierHeld(modifier) && (KeyState(key) & kDownNow);
}

bool CInputManager::IsKeyPressed(uint32_t key, uint32_t modifier) const
{
    return ModifierHeld(modifier) && (KeyState(key) & (kDownNow | kDownBefore)) == kDownNow;
}

bool CInputManager::IsKeyReleased(uint32_t key, uint32_t modifier) const
{
    return ModifierHeld(modifier) && (KeyState(key) & (kDownNow | kDownBefore)) == kDownBefore;
}

bool CInputManager::IsMouseButtonDown(uint32_t button) const { return ButtonState(button) & kDownNow; }

bool CInputManager::IsMouseButtonPressed(uint32_t button) const
{
    return (ButtonState(button) & (kDownNow | kDownBefore)) == kDownNow;
}

bool CInputManager::IsMouseButtonReleased(uint32_t button) const
{
    return (ButtonState(button) & (kDownNow | kDownBefore)) == kDownBefore;
}

bool CInputManager::IsPadButtonReleased(int pad, uint32_t virtualKey) const
{
    if (pad < 0 || pad >= kPadCount)
        return false;
    const pad::Keystroke& keystroke = m_Pads[pad].lastKeystroke;
    return (keystroke.flags & pad::KEYSTROKE_KEYUP) && keystroke.virtualKey == virtualKey;
}

void CInputManager::GetPadLeftStick(int pad, int& x, int& y) const
{
    x = y = 0;
    if (pad < 0 || pad >= kPadCount)
        return;
    x = m_Pads[pad].state.gamepad.thumbLX;
    y = m_Pads[pad].state.gamepad.thumbLY;
}

bool CInputManager::LoadInputScript(const std::string& path)
{
    auto script = std::make_unique<CInputScript>();
    if (!script->Load(path))
        return false;
    m_Script = std::move(script);
    return true;
}

} // namespace Vesk
