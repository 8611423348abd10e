// CDis2DListener: the mouse buttons as a display element sees them: the buttons held now and in
// the previous update (bit 1 left, bit 2 right) and the last wheel step.
#pragma once

#include "input/IMouseListener.h"

#include <cstdint>

namespace Game {

class CDis2DListener : public Vesk::IMouseListener {
public:
    void OnMouseDown(const Vesk::MouseEvent& event) override;
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent& event) override;
    void OnMouseMove(const Vesk::MouseEvent& event) override { (void)event; }

    // The element's update: the current buttons become the previous ones.
    void Roll()
    {
        m_PreviousButtons = m_CurrentButtons;
        m_CurrentButtons = 0;
    }

    uint8_t m_PreviousButtons = 0;
    uint8_t m_CurrentButtons = 0;
    uint8_t m_Wheel = 0;
};

} // namespace Game
