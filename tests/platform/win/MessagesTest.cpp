// The message pump's translation of SDL events into window messages, the order of posted
// messages, and the virtual-key table.
#include "platform/win/Messages.h"
#include "platform/win/Video.h"
#include "platform/win/VirtualKeys.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace win;

namespace {

class MessagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(AcquireVideo());
        Drain();
        SDL_SetModState(KMOD_NONE);
    }
    void TearDown() override { ReleaseVideo(); }

    static std::vector<Message> Drain()
    {
        std::vector<Message> out;
        Message message;
        while (PeekMessage(message))
            out.push_back(message);
        return out;
    }
};

SDL_Event Key(Uint32 type, SDL_Keycode sym, Uint16 mod = KMOD_NONE, Uint8 repeat = 0)
{
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = repeat;
    e.key.keysym.sym = sym;
    e.key.keysym.mod = mod;
    return e;
}

SDL_Event Motion(int x, int y, Uint32 state)
{
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    e.motion.state = state;
    return e;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y)
{
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event Wheel(int y, Uint32 direction = SDL_MOUSEWHEEL_NORMAL)
{
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = y;
    e.wheel.direction = direction;
    return e;
}

SDL_Event WindowEvent(Uint8 event, int data1 = 0, int data2 = 0)
{
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = event;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event Text(const char* text)
{
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    std::strncpy(e.text.text, text, sizeof(e.text.text) - 1);
    return e;
}

SDL_Event Plain(Uint32 type)
{
    SDL_Event e{};
    e.type = type;
    return e;
}

Message Expect(uint32_t code, uint32_t vk = 0)
{
    Message m;
    m.code = code;
    m.vk = vk;
    return m;
}

Message At(uint32_t code, int x, int y, uint32_t mk = 0)
{
    Message m;
    m.code = code;
    m.x = x;
    m.y = y;
    m.mk = mk;
    return m;
}

Message Repeat(Message m)
{
    m.repeat = true;
    return m;
}

Message Delta(int delta)
{
    Message m;
    m.code = WM_MOUSEWHEEL;
    m.wheelDelta = delta;
    return m;
}

Message Activate(bool active)
{
    Message m;
    m.code = WM_ACTIVATEAPP;
    m.active = active;
    return m;
}

Message Char(uint32_t character)
{
    Message m;
    m.code = WM_CHAR;
    m.character = character;
    return m;
}

struct TranslationCase {
    const char* name;
    SDL_Event event;
    std::vector<Message> expected;
};

} // namespace

TEST_F(MessagesTest, PostedMessagesComeFirstInOrderAndQuitCarriesItsCode)
{
    SDL_Event quit = Plain(SDL_QUIT);
    ASSERT_EQ(1, SDL_PushEvent(&quit));
    PostMessage(Expect(WM_KEYDOWN, 'A'));
    PostMessage(At(WM_MOUSEMOVE, 3, 4));
    PostQuitMessage(42);

    const std::vector<Message> got = Drain();
    ASSERT_EQ(4u, got.size());
    EXPECT_EQ(WM_KEYDOWN, got[0].code);
    EXPECT_EQ(uint32_t('A'), got[0].vk);
    EXPECT_EQ(nullptr, got[0].raw);
    EXPECT_EQ(WM_MOUSEMOVE, got[1].code);
    EXPECT_EQ(3, got[1].x);
    EXPECT_EQ(WM_QUIT, got[2].code);
    EXPECT_EQ(42, got[2].exitCode);
    EXPECT_EQ(WM_CLOSE, got[3].code);
    ASSERT_NE(nullptr, got[3].raw);
    EXPECT_EQ(Uint32(SDL_QUIT), got[3].raw->type);
}

TEST_F(MessagesTest, SdlEventsBecomeWindowsMessages)
{
    // Pushed events leave SDL's mouse state untouched: no other button is down.
    const std::vector<TranslationCase> cases = {
        {"key down", Key(SDL_KEYDOWN, SDLK_a), {Expect(WM_KEYDOWN, 'A')}},
        {"auto-repeat", Key(SDL_KEYDOWN, SDLK_a, KMOD_NONE, 1), {Repeat(Expect(WM_KEYDOWN, 'A'))}},
        {"key up, right Ctrl", Key(SDL_KEYUP, SDLK_RCTRL), {Expect(WM_KEYUP, VK_CONTROL)}},
        {"Alt held", Key(SDL_KEYDOWN, SDLK_x, KMOD_LALT), {Expect(WM_SYSKEYDOWN, 'X')}},
        {"Alt released with a key", Key(SDL_KEYUP, SDLK_x, KMOD_RALT), {Expect(WM_SYSKEYUP, 'X')}},
        {"F10", Key(SDL_KEYDOWN, SDLK_F10), {Expect(WM_SYSKEYDOWN, VK_F10)}},
        {"F10 up", Key(SDL_KEYUP, SDLK_F10), {Expect(WM_SYSKEYUP, VK_F10)}},
        {"Alt itself", Key(SDL_KEYDOWN, SDLK_LALT, KMOD_LALT), {Expect(WM_SYSKEYDOWN, VK_MENU)}},
        {"key without a code", Key(SDL_KEYDOWN, SDLK_AUDIOPLAY), {}},
        {"motion with buttons",
         Motion(10, 20, SDL_BUTTON_LMASK | SDL_BUTTON_MMASK),
         {At(WM_MOUSEMOVE, 10, 20, MK_LBUTTON | MK_MBUTTON)}},
        {"right down", Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 5, 6), {At(WM_RBUTTONDOWN, 5, 6, MK_RBUTTON)}},
        {"left up", Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 7, 8), {At(WM_LBUTTONUP, 7, 8)}},
        {"middle down", Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 2), {At(WM_MBUTTONDOWN, 1, 2, MK_MBUTTON)}},
        {"extra button", Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 2), {}},
        {"wheel away", Wheel(2), {Delta(240)}},
        {"wheel flipped", Wheel(1, SDL_MOUSEWHEEL_FLIPPED), {Delta(-120)}},
        {"horizontal wheel only", Wheel(0), {}},
        {"huge wheel keeps to a 16-bit delta", Wheel(1000000), {Delta(273 * 120)}},
        {"focus gained", WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {Activate(true)}},
        {"focus lost", WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST), {Activate(false)}},
        {"close button", WindowEvent(SDL_WINDOWEVENT_CLOSE), {Expect(WM_CLOSE)}},
        {"exposed", WindowEvent(SDL_WINDOWEVENT_EXPOSED), {Expect(WM_PAINT)}},
        {"moved", WindowEvent(SDL_WINDOWEVENT_MOVED, 30, 40), {At(WM_MOVE, 30, 40)}},
        {"size changed", WindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 640, 480), {At(WM_SIZE, 640, 480)}},
        {"quit request", Plain(SDL_QUIT), {Expect(WM_CLOSE)}},
        {"text, one message per code point", Text("a\xC3\xA9"), {Char('a'), Char(0xE9)}},
        {"malformed text is skipped", Text("a\xFF\xC3"), {Char('a')}},
        {"unrelated event", Plain(SDL_JOYAXISMOTION), {}},
    };
    SDL_StartTextInput();
    for (const TranslationCase& c : cases) {
        SCOPED_TRACE(c.name);
        SDL_Event event = c.event;
        ASSERT_EQ(1, SDL_PushEvent(&event));
        const std::vector<Message> got = Drain();
        ASSERT_EQ(c.expected.size(), got.size());
        for (size_t i = 0; i < got.size(); ++i) {
            const Message& want = c.expected[i];
            EXPECT_EQ(want.code, got[i].code);
            EXPECT_EQ(want.vk, got[i].vk);
            EXPECT_EQ(want.repeat, got[i].repeat);
            EXPECT_EQ(want.wheelDelta, got[i].wheelDelta);
            EXPECT_EQ(want.active, got[i].active);
            EXPECT_EQ(want.character, got[i].character);
            if (want.code != WM_MOUSEWHEEL) {
                EXPECT_EQ(want.x, got[i].x);
                EXPECT_EQ(want.y, got[i].y);
                EXPECT_EQ(want.mk, got[i].mk);
            }
            ASSERT_NE(nullptr, got[i].raw);
            EXPECT_EQ(event.type, got[i].raw->type);
        }
    }
}

TEST_F(MessagesTest, MouseMessagesCarryShiftAndCtrlFromTheKeyboard)
{
    SDL_SetModState(static_cast<SDL_Keymod>(KMOD_LSHIFT | KMOD_RCTRL));
    SDL_Event motion = Motion(1, 1, 0);
    SDL_Event wheel = Wheel(-1);
    ASSERT_EQ(1, SDL_PushEvent(&motion));
    ASSERT_EQ(1, SDL_PushEvent(&wheel));
    const std::vector<Message> got = Drain();
    SDL_SetModState(KMOD_NONE);

    ASSERT_EQ(2u, got.size());
    EXPECT_EQ(MK_SHIFT | MK_CONTROL, got[0].mk);
    EXPECT_EQ(WM_MOUSEWHEEL, got[1].code);
    EXPECT_EQ(-120, got[1].wheelDelta);
    EXPECT_EQ(MK_SHIFT | MK_CONTROL, got[1].mk);
}

TEST_F(MessagesTest, TextGivesNoCharactersWhileTextInputIsOff)
{
    SDL_StopTextInput();
    SDL_Event text = Text("abc");
    ASSERT_EQ(1, SDL_PushEvent(&text));
    EXPECT_TRUE(Drain().empty());
    SDL_StartTextInput();
}

TEST(VirtualKeysTest, SdlKeysMapToWindowsCodes)
{
    const struct {
        SDL_Keycode sdl;
        uint32_t vk;
    } cases[] = {
        {SDLK_a, 'A'},
        {SDLK_z, 'Z'},
        {SDLK_0, '0'},
        {SDLK_9, '9'},
        {SDLK_F1, VK_F1},
        {SDLK_F12, VK_F12},
        {SDLK_F13, 0},
        {SDLK_LSHIFT, VK_SHIFT},
        {SDLK_RSHIFT, VK_SHIFT},
        {SDLK_LCTRL, VK_CONTROL},
        {SDLK_RALT, VK_MENU},
        {SDLK_KP_0, VK_NUMPAD0},
        {SDLK_KP_1, VK_NUMPAD1},
        {SDLK_KP_9, VK_NUMPAD9},
        {SDLK_KP_ENTER, VK_RETURN},
        {SDLK_KP_MINUS, VK_SUBTRACT},
        {SDLK_KP_PERIOD, VK_DECIMAL},
        {SDLK_LEFT, VK_LEFT},
        {SDLK_DOWN, VK_DOWN},
        {SDLK_PAGEUP, VK_PRIOR},
        {SDLK_PAGEDOWN, VK_NEXT},
        {SDLK_BACKSPACE, VK_BACK},
        {SDLK_ESCAPE, VK_ESCAPE},
        {SDLK_SPACE, VK_SPACE},
        {SDLK_SEMICOLON, VK_OEM_1},
        {SDLK_BACKQUOTE, VK_OEM_3},
        {SDLK_QUOTE, VK_OEM_7},
        {SDLK_AUDIOPLAY, 0},
        {SDLK_UNKNOWN, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(SDL_GetKeyName(c.sdl));
        EXPECT_EQ(c.vk, VkFromSdlKey(c.sdl));
    }
}
