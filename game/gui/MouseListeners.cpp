#include "game/gui/CBtnListener.h"
#include "game/gui/CDis2DListener.h"

namespace Game {

namespace {

// Bit 1 for the left button, 2 for the right; other buttons count for neither.
uint8_t ButtonBit(const Vesk::MouseEvent& event) { return event.button == 0 ? 1 : event.button == 1 ? 2 : 0; }

uint8_t WheelByte(const Vesk::MouseEvent& event) { return static_cast<uint8_t>(event.wheelUp ? 1 : 0); }

} // namespace

void CDis2DListener::OnMouseDown(const Vesk::MouseEvent& event)
{
    m_PreviousButtons = m_CurrentButtons;
    m_CurrentButtons |= ButtonBit(event);
}

void CDis2DListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    m_PreviousButtons = m_CurrentButtons;
    m_CurrentButtons ^= ButtonBit(event);
}

void CDis2DListener::OnMouseWheel(const Vesk::MouseEvent& event) { m_Wheel = WheelByte(event); }

void CBtnListener::OnMouseDown(const Vesk::MouseEvent& event) { m_PressBits |= ButtonBit(event); }

void CBtnListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    m_PreviousReleaseBits = m_ReleaseBits;
    m_ReleaseBits ^= ButtonBit(event);
}

void CBtnListener::OnMouseWheel(const Vesk::MouseEvent& event) { m_Wheel = WheelByte(event); }

void CBtnListener::OnMouseMove(const Vesk::MouseEvent& event)
{
    (void)event;
    m_Moved = 1;
}

} // namespace Game
