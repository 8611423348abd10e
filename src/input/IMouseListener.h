// A mouse listener: registers itself with the input manager on construction and removes itself
// on destruction; only enabled listeners are called.
#pragma once

#include <cstdint>

namespace Vesk {

// The mouse part of an input event.
struct MouseEvent {
    int32_t x = 0, y = 0;   // client pixels
    float fx = 0, fy = 0;   // fractions of the letter-boxed viewport
    int32_t dx = 0, dy = 0; // movement in pixels since the last move
    int32_t wheelDelta = 0;
    bool wheelUp = true; // wheelDelta >= 0
    int32_t button = 0;  // 0 left, 1 right, 2 middle
};

class IMouseListener {
public:
    IMouseListener();
    virtual ~IMouseListener();
    IMouseListener(const IMouseListener&) = delete;
    IMouseListener& operator=(const IMouseListener&) = delete;

    virtual void OnMouseDown(const MouseEvent& event) = 0;
    virtual void OnMouseUp(const MouseEvent& event) = 0;
    virtual void OnMouseWheel(const MouseEvent& event) = 0;
    virtual void OnMouseMove(const MouseEvent& event) = 0;

    bool m_Enabled = true;
};

} // namespace Vesk
