#include "game/gui/CGUIListener.h"

#include "game/gui/TopStateName.h"

#include <algorithm>
#include <iterator>

namespace Game {

bool CGUIListener::OwnerOnTop() const { return TopStateName() == m_OwnerName; }

void CGUIListener::OnKeyDown(const Vesk::KeyEvent& event)
{
    if (event.key >= kKeyCount)
        return;
    uint8_t& bits = m_Keys[event.key];
    if (OwnerOnTop())
        bits = static_cast<uint8_t>((bits & kDown) ? kReleased | kDown : kDown);
    else
        bits = 0;
}

void CGUIListener::OnKeyUp(const Vesk::KeyEvent& event)
{
    if (event.key >= kKeyCount)
        return;
    uint8_t& bits = m_Keys[event.key];
    // Released when it was down while the screen is on top.
    const bool wasDown = (bits & kDown) != 0;
    bits = OwnerOnTop() && wasDown ? kReleased : 0;
}

bool CGUIListener::IsKeyReleased(uint32_t code) const
{
    return code < kKeyCount && (m_Keys[code] & (kReleased | kDown)) == kReleased;
}

void CGUIListener::ClearKeys() { std::fill(std::begin(m_Keys), std::end(m_Keys), uint8_t(0)); }

} // namespace Game
