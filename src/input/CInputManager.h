// Keyboard state per frame and delivery to listeners. The window procedure queues events while
// messages are dispatched; EndFrame applies them to the key states and calls the enabled
// listeners, so every listener runs before the frame's state update.
#pragma once

#include "core/CSingleton.h"
#include "core/CWindowSystem.h"
#include "input/IKeyboardListener.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace Vesk {

struct InputEvent {
    enum Kind : int32_t { KeyDown = 1, KeyUp = 2, MouseDown = 3, MouseUp = 4, MouseMove = 5, MouseWheel = 6 };
    int32_t kind = 0;
    KeyEvent key;
};

class CInputManager : public CSingleton<CInputManager> {
public:
    static constexpr unsigned kKeyCount = 256;

    bool Init() override;

    void BeginFrame();
    void EndFrame();
    static void OnWindowEvent(WindowEvent event);

    void AddKeyboardListener(IKeyboardListener* listener);
    void RemoveKeyboardListener(IKeyboardListener* listener);

    // modifier: a virtual-key code that must be held too, or 0.
    bool IsKeyDown(uint32_t key, uint32_t modifier = 0) const;
    bool IsKeyPressed(uint32_t key, uint32_t modifier = 0) const;
    bool IsKeyReleased(uint32_t key, uint32_t modifier = 0) const;

private:
    enum : uint32_t { kDownNow = 1, kDownBefore = 2 };

    bool ModifierHeld(uint32_t modifier) const;
    uint32_t State(uint32_t key) const { return key < kKeyCount ? m_Keys[key] : 0; }

    uint32_t m_Keys[kKeyCount] = {};
    std::vector<uint32_t> m_WentDown, m_WentUp;
    std::deque<InputEvent> m_Queue;
    std::vector<IKeyboardListener*> m_KeyboardListeners;
};

} // namespace Vesk
