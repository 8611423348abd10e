// Scripted input for tests and the developer option "input script": a text file of key, mouse
// and gamepad events, each entering at the start of its frame. Key and mouse events are posted as
// window messages, so they take the path a player's input takes; pad events set the readings of a
// fake pad source that the script installs for as long as it lives (when it has pad events).
//
// One event per line; "#" starts a comment; names are case-insensitive; frames count from 0:
//   <frame> key down|up <key>                      key: A-Z, 0-9, F1-F12, CONTROL, SHIFT, ESCAPE, ...
//                                                  (VK_ prefix allowed), or a code: 0x52 or 82
//   <frame> mouse move <x> <y>                     client pixels
//   <frame> mouse down|up left|right|middle [<x> <y>]
//   <frame> mouse wheel <delta> [<x> <y>]           120 per notch, positive away from the user
//   <frame> pad <0-3> down|up <button>              A B X Y LB RB LT RT START BACK LTHUMB RTHUMB
//                                                  DPAD_UP DPAD_DOWN DPAD_LEFT DPAD_RIGHT
//   <frame> pad <0-3> stick left|right <x> <y>       -32768..32767, Y up
// A line that does not parse is logged with its number and skipped; the rest still loads.
#pragma once

#include "platform/pad/FakePadSource.h"
#include "platform/win/Messages.h"

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

namespace Vesk {

class CInputScript {
public:
    CInputScript() = default;
    ~CInputScript();
    CInputScript(const CInputScript&) = delete;
    CInputScript& operator=(const CInputScript&) = delete;

    // False when the file cannot be opened.
    bool Load(const std::string& path);
    // Reads the events of a script; `name` labels the log lines of bad lines.
    void Parse(std::istream& in, const std::string& name);

    // Feeds in every event due at or before the frame that has not been fed yet.
    void Pump(uint64_t frame);

    size_t GetEventCount() const { return m_Events.size(); }
    bool IsFinished() const { return m_Next == m_Events.size(); }

private:
    struct Event {
        uint64_t frame = 0;
        enum Kind { Key, Mouse, PadButton, PadStick } kind = Key;
        win::Message message; // Key and Mouse
        uint32_t padIndex = 0;
        uint16_t padButton = 0; // a BUTTON_ bit; 0 with padTrigger set
        int padTrigger = -1;    // PadButton on a trigger: 0 left, 1 right
        bool down = false;
        bool rightStick = false;
        int16_t stickX = 0, stickY = 0;
    };

    bool ParseLine(const std::string& line, Event& out, std::string& error) const;
    void Feed(Event event);

    std::vector<Event> m_Events;
    size_t m_Next = 0;
    // What the script holds down, for the MK_ bits of its mouse messages.
    uint32_t m_MouseButtons = 0;
    bool m_Ctrl = false, m_Shift = false;
    int m_MouseX = 0, m_MouseY = 0;
    std::unique_ptr<pad::FakeSource> m_Pads;
};

} // namespace Vesk
