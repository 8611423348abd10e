#include "platform/pad/Pad.h"

#include "platform/pad/SdlPadSource.h"

#include <cstdlib>
#include <deque>

namespace pad {

namespace {

// Keystrokes waiting beyond this many are dropped, oldest first (nobody is reading them).
constexpr size_t kMaxQueuedKeystrokes = 64;

struct PadRecord {
    uint32_t packetNumber = 0;
    Gamepad last;
    std::deque<Keystroke> keystrokes;
};

PadRecord g_Pads[kMaxPads];
Source* g_Source = nullptr;

Source& CurrentSource() { return g_Source ? *g_Source : SdlSource(); }

// 0 centred, else 1 up, 2 down, 3 right, 4 left (the order of the VK_PAD_ thumb codes).
int StickDirection(int x, int y, int deadZone)
{
    if (std::abs(x) <= deadZone && std::abs(y) <= deadZone)
        return 0;
    if (std::abs(y) >= std::abs(x))
        return y > 0 ? 1 : 2;
    return x > 0 ? 3 : 4;
}

struct Control {
    uint16_t virtualKey;
    bool (*isDown)(const Gamepad&);
};

template <uint16_t Bit>
bool ButtonDown(const Gamepad& g)
{
    return (g.buttons & Bit) != 0;
}
bool LeftTriggerDown(const Gamepad& g) { return g.leftTrigger > kTriggerThreshold; }
bool RightTriggerDown(const Gamepad& g) { return g.rightTrigger > kTriggerThreshold; }
template <int Direction>
bool LeftStick(const Gamepad& g)
{
    return StickDirection(g.thumbLX, g.thumbLY, kLeftThumbDeadZone) == Direction;
}
template <int Direction>
bool RightStick(const Gamepad& g)
{
    return StickDirection(g.thumbRX, g.thumbRY, kRightThumbDeadZone) == Direction;
}

const Control kControls[] = {
    {VK_PAD_A, ButtonDown<BUTTON_A>},
    {VK_PAD_B, ButtonDown<BUTTON_B>},
    {VK_PAD_X, ButtonDown<BUTTON_X>},
    {VK_PAD_Y, ButtonDown<BUTTON_Y>},
    {VK_PAD_RSHOULDER, ButtonDown<BUTTON_RIGHT_SHOULDER>},
    {VK_PAD_LSHOULDER, ButtonDown<BUTTON_LEFT_SHOULDER>},
    {VK_PAD_LTRIGGER, LeftTriggerDown},
    {VK_PAD_RTRIGGER, RightTriggerDown},
    {VK_PAD_DPAD_UP, ButtonDown<BUTTON_DPAD_UP>},
    {VK_PAD_DPAD_DOWN, ButtonDown<BUTTON_DPAD_DOWN>},
    {VK_PAD_DPAD_LEFT, ButtonDown<BUTTON_DPAD_LEFT>},
    {VK_PAD_DPAD_RIGHT, ButtonDown<BUTTON_DPAD_RIGHT>},
    {VK_PAD_START, ButtonDown<BUTTON_START>},
    {VK_PAD_BACK, ButtonDown<BUTTON_BACK>},
    {VK_PAD_LTHUMB_PRESS, ButtonDown<BUTTON_LEFT_THUMB>},
    {VK_PAD_RTHUMB_PRESS, ButtonDown<BUTTON_RIGHT_THUMB>},
    {VK_PAD_LTHUMB_UP, LeftStick<1>},
    {VK_PAD_LTHUMB_DOWN, LeftStick<2>},
    {VK_PAD_LTHUMB_RIGHT, LeftStick<3>},
    {VK_PAD_LTHUMB_LEFT, LeftStick<4>},
    {VK_PAD_RTHUMB_UP, RightStick<1>},
    {VK_PAD_RTHUMB_DOWN, RightStick<2>},
    {VK_PAD_RTHUMB_RIGHT, RightStick<3>},
    {VK_PAD_RTHUMB_LEFT, RightStick<4>},
};

void Queue(PadRecord& pad, uint32_t index, uint16_t virtualKey, uint16_t flags)
{
    if (pad.keystrokes.size() == kMaxQueuedKeystrokes)
        pad.keystrokes.pop_front();
    Keystroke keystroke;
    keystroke.virtualKey = virtualKey;
    keystroke.flags = flags;
    keystroke.userIndex = static_cast<uint8_t>(index);
    pad.keystrokes.push_back(keystroke);
}

// Releases first, then presses, each in code order.
void DeriveKeystrokes(PadRecord& pad, uint32_t index, const Gamepad& before, const Gamepad& after)
{
    for (const Control& control : kControls)
        if (control.isDown(before) && !control.isDown(after))
            Queue(pad, index, control.virtualKey, KEYSTROKE_KEYUP);
    for (const Control& control : kControls)
        if (!control.isDown(before) && control.isDown(after))
            Queue(pad, index, control.virtualKey, KEYSTROKE_KEYDOWN);
}

// Takes a fresh reading; false when the pad is not connected (its record is then cleared, so a
// pad plugged in again starts from rest).
bool Sample(uint32_t index)
{
    PadRecord& pad = g_Pads[index];
    Gamepad now;
    if (!CurrentSource().Read(index, now)) {
        pad = PadRecord{};
        return false;
    }
    if (now != pad.last) {
        ++pad.packetNumber;
        DeriveKeystrokes(pad, index, pad.last, now);
        pad.last = now;
    }
    return true;
}

} // namespace

bool operator==(const Gamepad& a, const Gamepad& b)
{
    return a.buttons == b.buttons && a.leftTrigger == b.leftTrigger && a.rightTrigger == b.rightTrigger &&
           a.thumbLX == b.thumbLX && a.thumbLY == b.thumbLY && a.thumbRX == b.thumbRX && a.thumbRY == b.thumbRY;
}

void SetSource(Source* source)
{
    g_Source = source;
    for (PadRecord& pad : g_Pads)
        pad = PadRecord{};
}

uint32_t GetState(uint32_t index, State& out)
{
    if (index >= kMaxPads || !Sample(index))
        return ERROR_DEVICE_NOT_CONNECTED;
    out.packetNumber = g_Pads[index].packetNumber;
    out.gamepad = g_Pads[index].last;
    return ERROR_SUCCESS;
}

uint32_t GetKeystroke(uint32_t index, Keystroke& out)
{
    if (index >= kMaxPads || !Sample(index))
        return ERROR_DEVICE_NOT_CONNECTED;
    std::deque<Keystroke>& queue = g_Pads[index].keystrokes;
    if (queue.empty())
        return ERROR_EMPTY;
    out = queue.front();
    queue.pop_front();
    return ERROR_SUCCESS;
}

void Shutdown()
{
    ShutdownSdlSource();
    for (PadRecord& pad : g_Pads)
        pad = PadRecord{};
}

} // namespace pad
