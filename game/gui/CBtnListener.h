// CBtnListener: the mouse as a button sees it: presses and releases as bits (1 left, 2 right),
// the releases of the previous update, whether the mouse moved, and the last wheel step.
#pragma once

#include "input/IMouseListener.h"

#include <cstdint>

namespace Game {

class CBtnListener : public Vesk::IMouseListener {
public:
    void OnMouseDown(const Vesk::MouseEvent& event) override;
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent& event) override;
    void OnMouseMove(const Vesk::MouseEvent& event) override;

    // The update's end: this update's releases become the previous ones.
    void RollReleases()
    {
        m_PreviousReleaseBits = m_ReleaseBits;
        m_ReleaseBits = 0;
    }

    uint8_t m_PreviousReleaseBits = 0;
    uint8_t m_ReleaseBits = 0;
    uint8_t m_PressBits = 0;
    uint8_t m_Moved = 0;
    uint8_t m_Wheel = 0;
};

} // namespace Game
