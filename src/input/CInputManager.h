// Keyboard, mouse and gamepad input per frame. The window procedure queues keyboard and mouse
// events while messages are dispatched; EndFrame applies them to the key and button states and
// calls the enabled listeners, so every listener runs before the frame's state update. BeginFrame
// advances the states, feeds a loaded input script and polls the gamepads, whose keystrokes (one
// per pad per frame) reach the controller listeners at once.
#pragma once

#include "core/CSingleton.h"
#include "input/IControllerListener.h"
#include "input/IKeyboardListener.h"
#include "input/IMouseListener.h"
#include "input/ListenerList.h"
#include "platform/pad/Pad.h"
#include "window/CWindowSystem.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace Vesk {

class CInputScript;

struct InputEvent {
    enum Kind : int32_t { KeyDown = 1, KeyUp = 2, MouseDown = 3, MouseUp = 4, MouseMove = 5, MouseWheel = 6 };
    int32_t kind = 0;
    KeyEvent key;
    MouseEvent mouse;
    PadEvent pad{0, 0x5800}; // carried by keyboard and mouse events unread
};

class CInputManager : public CSingleton<CInputManager> {
public:
    static constexpr unsigned kKeyCount = 256;
    static constexpr unsigned kMouseButtonCount = 3;
    static constexpr int kPadCount = static_cast<int>(pad::kMaxPads);
    // Stick axes within this distance of the centre (inclusive) read as centred.
    static constexpr int kStickDeadZone = 7848;

    CInputManager();
    ~CInputManager() override;

    bool Init() override;
    void Shutdown() override;

    void BeginFrame();
    void EndFrame();
    static void OnWindowEvent(WindowEvent event);

    void AddKeyboardListener(IKeyboardListener* listener) { m_KeyboardListeners.Add(listener); }
    void RemoveKeyboardListener(IKeyboardListener* listener) { m_KeyboardListeners.Remove(listener); }
    void AddMouseListener(IMouseListener* listener) { m_MouseListeners.Add(listener); }
    void RemoveMouseListener(IMouseListener* listener) { m_MouseListeners.Remove(listener); }
    void AddControllerListener(IControllerListener* listener) { m_ControllerListeners.Add(listener); }
    void RemoveControllerListener(IControllerListener* listener) { m_ControllerListeners.Remove(listener); }

    // modifier: a virtual-key code that must be held too, or 0.
    bool IsKeyDown(uint32_t key, uint32_t modifier = 0) const;
    bool IsKeyPressed(uint32_t key, uint32_t modifier = 0) const;
    bool IsKeyReleased(uint32_t key, uint32_t modifier = 0) const;
    // button: 0 left, 1 right, 2 middle.
    bool IsMouseButtonDown(uint32_t button) const;
    bool IsMouseButtonPressed(uint32_t button) const;
    bool IsMouseButtonReleased(uint32_t button) const;

    // The mouse position as fractions of the letter-boxed viewport (0 at its left or top edge,
    // 1 at its right or bottom edge; outside it below 0 or above 1).
    float GetMouseX() const { return m_MouseX; }
    float GetMouseY() const { return m_MouseY; }
    bool IsWheelUp() const { return m_WheelUp; }
    bool IsWheelDown() const { return m_WheelDown; }

    // Whether the pad's keystroke of this frame is the key-up of the VK_PAD_ code.
    bool IsPadButtonReleased(int pad, uint32_t virtualKey) const;
    // The pad's left stick from this frame's poll, after the dead zone (0, 0 for no pad).
    void GetPadLeftStick(int pad, int& x, int& y) const;

    // A client-area point as fractions of the letter-boxed viewport of the current camera within
    // the back buffer; (0, 0) while the client area or the back buffer has no size.
    static void ToViewportCoordinates(int x, int y, float& fx, float& fy);

    // Loads a script of timed input events that BeginFrame feeds in by the game manager's frame
    // count; false when the file cannot be read (lines that do not parse are logged and skipped).
    bool LoadInputScript(const std::string& path);

private:
    enum : uint32_t { kDownNow = 1, kDownBefore = 2 };

    struct PadSlot {
        pad::State state;
        pad::Keystroke lastKeystroke;
    };

    void PollPads();
    bool ModifierHeld(uint32_t modifier) const;
    uint32_t KeyState(uint32_t key) const { return key < kKeyCount ? m_Keys[key] : 0; }
    uint32_t ButtonState(uint32_t button) const { return button < kMouseButtonCount ? m_Buttons[button] : 0; }

    float m_MouseX = 0, m_MouseY = 0;
    bool m_WheelUp = false, m_WheelDown = false;
    ListenerList<IKeyboardListener> m_KeyboardListeners;
    ListenerList<IMouseListener> m_MouseListeners;
    ListenerList<IControllerListener> m_ControllerListeners;
    uint32_t m_Keys[kKeyCount] = {};
    uint32_t m_Buttons[kMouseButtonCount] = {};

    std::deque<InputEvent> m_Queue;
    std::vector<uint32_t> m_KeysWentDown, m_KeysWentUp, m_ButtonsWentDown, m_ButtonsWentUp;
    PadSlot m_Pads[kPadCount];
    std::unique_ptr<CInputScript> m_Script;
};

} // namespace Vesk
