// Gamepads 0 to 3 shaped after XInput 1.3: the pad state (button bits, triggers 0-255, sticks
// with Y up) and keystrokes (VK_PAD_ codes with key-down / key-up flags) derived from changes of
// the buttons, triggers and stick directions between readings. Readings come from a source: SDL's
// game controllers with hot-plug by default, or one the program installs (a fake for tests and
// scripted input). Keeps the per-pad last reading and keystroke queue.
#pragma once

#include <cstdint>

namespace pad {

constexpr uint32_t kMaxPads = 4;

// Results of GetState and GetKeystroke.
enum : uint32_t {
    ERROR_SUCCESS = 0,
    ERROR_DEVICE_NOT_CONNECTED = 1167,
    ERROR_EMPTY = 4306, // no keystroke waiting
};

// Button bits of Gamepad::buttons.
enum : uint16_t {
    BUTTON_DPAD_UP = 0x0001,
    BUTTON_DPAD_DOWN = 0x0002,
    BUTTON_DPAD_LEFT = 0x0004,
    BUTTON_DPAD_RIGHT = 0x0008,
    BUTTON_START = 0x0010,
    BUTTON_BACK = 0x0020,
    BUTTON_LEFT_THUMB = 0x0040,
    BUTTON_RIGHT_THUMB = 0x0080,
    BUTTON_LEFT_SHOULDER = 0x0100,
    BUTTON_RIGHT_SHOULDER = 0x0200,
    BUTTON_A = 0x1000,
    BUTTON_B = 0x2000,
    BUTTON_X = 0x4000,
    BUTTON_Y = 0x8000,
};

// Keystroke virtual-key codes.
enum : uint16_t {
    VK_PAD_A = 0x5800,
    VK_PAD_B = 0x5801,
    VK_PAD_X = 0x5802,
    VK_PAD_Y = 0x5803,
    VK_PAD_RSHOULDER = 0x5804,
    VK_PAD_LSHOULDER = 0x5805,
    VK_PAD_LTRIGGER = 0x5806,
    VK_PAD_RTRIGGER = 0x5807,
    VK_PAD_DPAD_UP = 0x5810,
    VK_PAD_DPAD_DOWN = 0x5811,
    VK_PAD_DPAD_LEFT = 0x5812,
    VK_PAD_DPAD_RIGHT = 0x5813,
    VK_PAD_START = 0x5814,
    VK_PAD_BACK = 0x5815,
    VK_PAD_LTHUMB_PRESS = 0x5816,
    VK_PAD_RTHUMB_PRESS = 0x5817,
    VK_PAD_LTHUMB_UP = 0x5820,
    VK_PAD_LTHUMB_DOWN = 0x5821,
    VK_PAD_LTHUMB_RIGHT = 0x5822,
    VK_PAD_LTHUMB_LEFT = 0x5823,
    VK_PAD_RTHUMB_UP = 0x5830,
    VK_PAD_RTHUMB_DOWN = 0x5831,
    VK_PAD_RTHUMB_RIGHT = 0x5832,
    VK_PAD_RTHUMB_LEFT = 0x5833,
};

// Keystroke flags. Held keys do not repeat: no keystroke carries KEYSTROKE_REPEAT.
enum : uint16_t {
    KEYSTROKE_KEYDOWN = 0x0001,
    KEYSTROKE_KEYUP = 0x0002,
    KEYSTROKE_REPEAT = 0x0004,
};

// A trigger counts as pressed above this value; a stick points in a direction when its larger
// axis lies beyond its dead zone (the larger axis decides between the four directions).
constexpr uint8_t kTriggerThreshold = 30;
constexpr int kLeftThumbDeadZone = 7849;
constexpr int kRightThumbDeadZone = 8689;

struct Gamepad {
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0, rightTrigger = 0;                  // 0..255
    int16_t thumbLX = 0, thumbLY = 0, thumbRX = 0, thumbRY = 0; // Y positive up
};

bool operator==(const Gamepad& a, const Gamepad& b);
inline bool operator!=(const Gamepad& a, const Gamepad& b) { return !(a == b); }

struct State {
    uint32_t packetNumber = 0; // changes whenever the reading changes
    Gamepad gamepad;
};

struct Keystroke {
    uint16_t virtualKey = 0;
    uint16_t unicode = 0;
    uint16_t flags = 0;
    uint8_t userIndex = 0;
    uint8_t hidCode = 0;
};

// Where readings come from.
class Source {
public:
    virtual ~Source() = default;
    // The pad's current reading; false when no pad is connected at the index.
    virtual bool Read(uint32_t index, Gamepad& out) = 0;
};

// Installs a source in place of SDL's game controllers (null: back to them). The pads' keystroke
// queues and last readings start afresh.
void SetSource(Source* source);

uint32_t GetState(uint32_t index, State& out);
// Takes the oldest waiting keystroke of the pad.
uint32_t GetKeystroke(uint32_t index, Keystroke& out);

// Closes SDL's game controllers and forgets every pad's reading and keystrokes.
void Shutdown();

} // namespace pad
