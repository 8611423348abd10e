// Window messages as the engine's window procedure receives them: the Windows message codes,
// MK_ button-state bits and the message record produced by the message pump (PeekMessage).
// Messages come from SDL events or are posted by the program itself (quit, scripted input).
#pragma once

#include <cstdint>

union SDL_Event;

namespace win {

enum : uint32_t {
    WM_NULL = 0x0000,
    WM_CREATE = 0x0001,
    WM_DESTROY = 0x0002,
    WM_MOVE = 0x0003,
    WM_SIZE = 0x0005,
    WM_PAINT = 0x000F,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ACTIVATEAPP = 0x001C,
    WM_KEYDOWN = 0x0100,
    WM_KEYUP = 0x0101,
    WM_CHAR = 0x0102,
    WM_SYSKEYDOWN = 0x0104,
    WM_SYSKEYUP = 0x0105,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
    WM_LBUTTONUP = 0x0202,
    WM_RBUTTONDOWN = 0x0204,
    WM_RBUTTONUP = 0x0205,
    WM_MBUTTONDOWN = 0x0207,
    WM_MBUTTONUP = 0x0208,
    WM_MOUSEWHEEL = 0x020A,
};

// Button-state bits of mouse messages.
enum : uint32_t {
    MK_LBUTTON = 0x0001,
    MK_RBUTTON = 0x0002,
    MK_SHIFT = 0x0004,
    MK_CONTROL = 0x0008,
    MK_MBUTTON = 0x0010,
};

constexpr int WHEEL_DELTA = 120;

// What a mouse message is: a move, a wheel turn, or one button going down or up.
struct MouseMessageKind {
    bool mouse = false;  // any of the mouse messages
    bool button = false; // a button message
    bool down = false;   // a button went down
    uint32_t mk = 0;     // button messages: the MK_ bit of the button
};
MouseMessageKind ClassifyMouseMessage(uint32_t code);

struct Message {
    uint32_t code = WM_NULL;
    uint32_t vk = 0;                // key messages: virtual-key code
    int x = 0, y = 0;               // mouse messages: client position; WM_MOVE: window position; WM_SIZE: client size
    int wheelDelta = 0;             // WM_MOUSEWHEEL: multiples of WHEEL_DELTA, positive away from the user
    uint32_t mk = 0;                // mouse messages: MK_ bits
    bool active = false;            // WM_ACTIVATEAPP: true when the application gains focus
    bool repeat = false;            // WM_KEYDOWN / WM_SYSKEYDOWN: auto-repeat
    uint32_t character = 0;         // WM_CHAR: the Unicode code point typed
    int exitCode = 0;               // WM_QUIT: the code given to PostQuitMessage
    const SDL_Event* raw = nullptr; // the SDL event behind the message, valid until the next PeekMessage
};

// Takes the next waiting message without blocking; false when none waits. Posted messages come
// first, then those translated from SDL's event queue.
bool PeekMessage(Message& out);

// Blocks until a message waits or timeoutMs passes; true when one waits.
bool WaitMessage(int timeoutMs);

// Queues a message as if it had come from the system (scripted input, tests).
void PostMessage(const Message& message);

// Queues WM_QUIT with the exit code.
void PostQuitMessage(int exitCode);

} // namespace win
