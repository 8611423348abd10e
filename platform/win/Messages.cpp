#include "platform/win/Messages.h"

#include "platform/win/VirtualKeys.h"

#include <SDL.h>

#include <algorithm>
#include <deque>

namespace win {

namespace {

std::deque<Message> g_Posted;
// Messages made from the last SDL event; one event can give several (text input).
std::deque<Message> g_Translated;
SDL_Event g_Raw;

void Queue(Message message)
{
    message.raw = &g_Raw;
    g_Translated.push_back(message);
}

uint32_t ModifierBits()
{
    const SDL_Keymod mod = SDL_GetModState();
    return ((mod & KMOD_SHIFT) ? MK_SHIFT : 0u) | ((mod & KMOD_CTRL) ? MK_CONTROL : 0u);
}

uint32_t ButtonBits(Uint32 state)
{
    return ((state & SDL_BUTTON_LMASK) ? MK_LBUTTON : 0u) | ((state & SDL_BUTTON_RMASK) ? MK_RBUTTON : 0u) |
           ((state & SDL_BUTTON_MMASK) ? MK_MBUTTON : 0u);
}

void TranslateKey(const SDL_KeyboardEvent& key, bool down)
{
    Message message;
    message.vk = VkFromSdlKey(key.keysym.sym);
    if (message.vk == 0)
        return;
    // As on Windows: Alt combinations, F10 and Alt itself are system keys.
    const bool system = (key.keysym.mod & KMOD_ALT) || message.vk == VK_F10 || message.vk == VK_MENU;
    if (down)
        message.code = system ? WM_SYSKEYDOWN : WM_KEYDOWN;
    else
        message.code = system ? WM_SYSKEYUP : WM_KEYUP;
    message.repeat = down && key.repeat != 0;
    Queue(message);
}

// One WM_CHAR per code point; malformed sequences are skipped.
void TranslateText(const char* text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    size_t i = 0;
    const size_t length = SDL_strlen(text);
    while (i < length) {
        const unsigned char lead = bytes[i];
        size_t extra = 0;
        uint32_t codePoint = 0;
        if (lead < 0x80) {
            codePoint = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            codePoint = lead & 0x1Fu;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            codePoint = lead & 0x0Fu;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            codePoint = lead & 0x07u;
        } else {
            ++i;
            continue;
        }
        size_t k = 1;
        for (; k <= extra && i + k < length && (bytes[i + k] & 0xC0) == 0x80; ++k)
            codePoint = (codePoint << 6) | (bytes[i + k] & 0x3Fu);
        if (k <= extra) {
            i += k;
            continue;
        }
        i += k;
        Message message;
        message.code = WM_CHAR;
        message.character = codePoint;
        Queue(message);
    }
}

void TranslateButton(const SDL_MouseButtonEvent& button, bool down)
{
    Message message;
    uint32_t bit = 0;
    switch (button.button) {
    case SDL_BUTTON_LEFT:
        message.code = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
        bit = MK_LBUTTON;
        break;
    case SDL_BUTTON_RIGHT:
        message.code = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
        bit = MK_RBUTTON;
        break;
    case SDL_BUTTON_MIDDLE:
        message.code = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
        bit = MK_MBUTTON;
        break;
    default: return;
    }
    message.x = button.x;
    message.y = button.y;
    const uint32_t others = ButtonBits(SDL_GetMouseState(nullptr, nullptr)) & ~bit;
    message.mk = others | (down ? bit : 0u) | ModifierBits();
    Queue(message);
}

void TranslateWheel(const SDL_MouseWheelEvent& wheel)
{
    int steps = wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -wheel.y : wheel.y;
    if (steps == 0)
        return;
    // The delta travels in a signed 16-bit word on Windows.
    constexpr int kMaxSteps = 32767 / WHEEL_DELTA;
    steps = std::clamp(steps, -kMaxSteps, kMaxSteps);
    Message message;
    message.code = WM_MOUSEWHEEL;
    message.wheelDelta = steps * WHEEL_DELTA;
    message.mk = ButtonBits(SDL_GetMouseState(&message.x, &message.y)) | ModifierBits();
    Queue(message);
}

void TranslateWindow(const SDL_WindowEvent& window)
{
    Message message;
    switch (window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
        message.code = WM_ACTIVATEAPP;
        message.active = window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
        break;
    case SDL_WINDOWEVENT_CLOSE: message.code = WM_CLOSE; break;
    case SDL_WINDOWEVENT_EXPOSED: message.code = WM_PAINT; break;
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        message.code = window.event == SDL_WINDOWEVENT_MOVED ? WM_MOVE : WM_SIZE;
        message.x = window.data1;
        message.y = window.data2;
        break;
    default: return;
    }
    Queue(message);
}

void Translate(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: TranslateKey(event.key, event.type == SDL_KEYDOWN); break;
    case SDL_TEXTINPUT:
        if (SDL_IsTextInputActive())
            TranslateText(event.text.text);
        break;
    case SDL_MOUSEMOTION: {
        Message message;
        message.code = WM_MOUSEMOVE;
        message.x = event.motion.x;
        message.y = event.motion.y;
        message.mk = ButtonBits(event.motion.state) | ModifierBits();
        Queue(message);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: TranslateButton(event.button, event.type == SDL_MOUSEBUTTONDOWN); break;
    case SDL_MOUSEWHEEL: TranslateWheel(event.wheel); break;
    case SDL_WINDOWEVENT: TranslateWindow(event.window); break;
    case SDL_QUIT: {
        Message message;
        message.code = WM_CLOSE;
        Queue(message);
        break;
    }
    default: break;
    }
}

} // namespace

MouseMessageKind ClassifyMouseMessage(uint32_t code)
{
    switch (code) {
    case WM_MOUSEMOVE:
    case WM_MOUSEWHEEL: return {true, false, false, 0};
    case WM_LBUTTONDOWN: return {true, true, true, MK_LBUTTON};
    case WM_LBUTTONUP: return {true, true, false, MK_LBUTTON};
    case WM_RBUTTONDOWN: return {true, true, true, MK_RBUTTON};
    case WM_RBUTTONUP: return {true, true, false, MK_RBUTTON};
    case WM_MBUTTONDOWN: return {true, true, true, MK_MBUTTON};
    case WM_MBUTTONUP: return {true, true, false, MK_MBUTTON};
    default: return {};
    }
}

bool PeekMessage(Message& out)
{
    if (!g_Posted.empty()) {
        out = g_Posted.front();
        g_Posted.pop_front();
        return true;
    }
    while (g_Translated.empty()) {
        if (!SDL_WasInit(SDL_INIT_EVENTS))
            return false;
        SDL_Event event;
        if (!SDL_PollEvent(&event))
            return false;
        g_Raw = event;
        Translate(g_Raw);
    }
    out = g_Translated.front();
    g_Translated.pop_front();
    return true;
}

bool WaitMessage(int timeoutMs)
{
    if (!g_Posted.empty() || !g_Translated.empty())
        return true;
    if (!SDL_WasInit(SDL_INIT_EVENTS))
        return false;
    return SDL_WaitEventTimeout(nullptr, timeoutMs) == 1;
}

void PostMessage(const Message& message)
{
    Message copy = message;
    copy.raw = nullptr;
    g_Posted.push_back(copy);
}

void PostQuitMessage(int exitCode)
{
    Message message;
    message.code = WM_QUIT;
    message.exitCode = exitCode;
    PostMessage(message);
}

} // namespace win
