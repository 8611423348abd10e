// A gamepad source whose readings the program sets: tests and scripted input connect pads and
// give them button, trigger and stick values. Install it with pad::SetSource.
#pragma once

#include "platform/pad/Pad.h"

namespace pad {

class FakeSource : public Source {
public:
    bool Read(uint32_t index, Gamepad& out) override
    {
        if (index >= kMaxPads || !m_Connected[index])
            return false;
        out = m_Pads[index];
        return true;
    }

    // A disconnected pad keeps its values for when it is connected again.
    void SetConnected(uint32_t index, bool connected)
    {
        if (index < kMaxPads)
            m_Connected[index] = connected;
    }
    // Sets the reading and connects the pad.
    void SetGamepad(uint32_t index, const Gamepad& gamepad)
    {
        if (index >= kMaxPads)
            return;
        m_Pads[index] = gamepad;
        m_Connected[index] = true;
    }
    Gamepad GetGamepad(uint32_t index) const { return index < kMaxPads ? m_Pads[index] : Gamepad{}; }

private:
    bool m_Connected[kMaxPads] = {};
    Gamepad m_Pads[kMaxPads];
};

} // namespace pad
