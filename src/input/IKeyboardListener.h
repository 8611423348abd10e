// A keyboard listener: registers itself with the input manager on construction and removes
// itself on destruction; only enabled listeners are called.
#pragma once

#include <cstdint>

namespace Vesk {

// The key part of an input event.
struct KeyEvent {
    uint32_t key = 0; // virtual-key code
    uint32_t reserved = 0;
};

class IKeyboardListener {
public:
    IKeyboardListener();
    virtual ~IKeyboardListener();
    IKeyboardListener(const IKeyboardListener&) = delete;
    IKeyboardListener& operator=(const IKeyboardListener&) = delete;

    virtual void OnKeyDown(const KeyEvent& event) = 0;
    virtual void OnKeyUp(const KeyEvent& event) = 0;

    bool m_Enabled = true;
};

} // namespace Vesk
