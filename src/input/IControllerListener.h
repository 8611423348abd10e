// A gamepad listener: registers itself with the input manager on construction and removes itself
// on destruction; only enabled listeners are called, with the pad's keystrokes.
#pragma once

#include <cstdint>

namespace Vesk {

struct PadEvent {
    int32_t pad = 0;  // 0 to 3
    int32_t code = 0; // VK_PAD_ keystroke code
};

class IControllerListener {
public:
    IControllerListener();
    virtual ~IControllerListener();
    IControllerListener(const IControllerListener&) = delete;
    IControllerListener& operator=(const IControllerListener&) = delete;

    virtual void OnButtonDown(const PadEvent& event) = 0;
    virtual void OnButtonUp(const PadEvent& event) = 0;

    bool m_Enabled = true;
};

} // namespace Vesk
