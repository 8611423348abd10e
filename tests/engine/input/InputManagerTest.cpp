// Keyboard, mouse and gamepad input through the window procedure and the input manager's frame:
// key and button states over frames, listener delivery, viewport fractions and the pad poll.
#include "input/CInputManager.h"
#include "platform/pad/FakePadSource.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using Vesk::CInputManager;

namespace {

std::vector<std::string> g_Log;

struct KeyLogger : Vesk::IKeyboardListener {
    explicit KeyLogger(std::string n) : name(std::move(n)) {}
    void OnKeyDown(const Vesk::KeyEvent& e) override
    {
        g_Log.push_back(name + " down " + std::to_string(e.key));
        if (onDown)
            onDown();
    }
    void OnKeyUp(const Vesk::KeyEvent& e) override { g_Log.push_back(name + " up " + std::to_string(e.key)); }
    std::string name;
    std::function<void()> onDown;
};

struct MouseLogger : Vesk::IMouseListener {
    void OnMouseDown(const Vesk::MouseEvent& e) override { Note("down", e); }
    void OnMouseUp(const Vesk::MouseEvent& e) override { Note("up", e); }
    void OnMouseWheel(const Vesk::MouseEvent& e) override { Note("wheel", e); }
    void OnMouseMove(const Vesk::MouseEvent& e) override { Note("move", e); }
    void Note(const char* what, const Vesk::MouseEvent& e)
    {
        g_Log.push_back(what);
        events.push_back(e);
    }
    std::vector<Vesk::MouseEvent> events;
};

struct PadLogger : Vesk::IControllerListener {
    void OnButtonDown(const Vesk::PadEvent& e) override { g_Log.push_back(Text("down", e)); }
    void OnButtonUp(const Vesk::PadEvent& e) override { g_Log.push_back(Text("up", e)); }
    static std::string Text(const char* what, const Vesk::PadEvent& e)
    {
        char code[8];
        std::snprintf(code, sizeof code, "%x", e.code);
        return "pad" + std::to_string(e.pad) + " " + what + " " + code;
    }
};

win::Message Key(bool down, uint32_t vk)
{
    win::Message m;
    m.code = down ? win::WM_KEYDOWN : win::WM_KEYUP;
    m.vk = vk;
    return m;
}

win::Message Mouse(uint32_t code, int x, int y, int wheel = 0)
{
    win::Message m;
    m.code = code;
    m.x = x;
    m.y = y;
    m.wheelDelta = wheel;
    return m;
}

std::vector<std::string> TakeLog()
{
    std::vector<std::string> out;
    out.swap(g_Log);
    return out;
}

class InputManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_Log.clear();
        pad::SetSource(&m_Pads);
        ASSERT_TRUE(input.Init());
    }
    void TearDown() override { pad::SetSource(nullptr); }

    // One turn of the run loop: begin the input frame, dispatch the messages, end the frame.
    void Frame(const std::vector<win::Message>& messages = {})
    {
        input.BeginFrame();
        for (const win::Message& m : messages)
            Vesk::CWindowSystem::GetInstance().WndProc(m);
        input.EndFrame();
    }

    CInputManager& input = CInputManager::GetInstance();
    pad::FakeSource m_Pads;
};

const uint32_t R = win::VkFromChar('R');
const uint32_t CTRL = win::VK_CONTROL;

TEST_F(InputManagerTest, KeyStatesFollowEventScriptsOverFrames)
{
    struct Expect {
        uint32_t key, modifier;
        bool down, pressed, released;
    };
    struct FrameRow {
        std::vector<win::Message> events;
        std::vector<Expect> expect;
    };
    struct Script {
        const char* name;
        std::vector<FrameRow> frames;
    } scripts[] = {
        {"press, hold, release",
         {{{Key(true, R)}, {{R, 0, true, true, false}}},
          {{}, {{R, 0, true, false, false}}},
          {{Key(false, R)}, {{R, 0, false, false, true}}},
          {{}, {{R, 0, false, false, false}}}}},
        {"press and release inside one frame",
         {{{Key(true, R), Key(false, R)}, {{R, 0, false, false, false}}}, {{}, {{R, 0, false, false, false}}}}},
        {"release and press again inside one frame",
         {{{Key(true, R)}, {}},
          {{Key(false, R), Key(true, R)}, {{R, 0, true, false, false}}},
          {{}, {{R, 0, true, false, false}}}}},
        {"Ctrl chord",
         {{{Key(true, CTRL)}, {{CTRL, 0, true, true, false}, {R, CTRL, false, false, false}}},
          {{Key(true, R)}, {{R, CTRL, true, true, false}, {R, 0, true, true, false}}},
          {{Key(false, CTRL)}, {{R, CTRL, false, false, false}, {R, 0, true, false, false}}},
          {{Key(false, R)}, {{R, CTRL, false, false, false}, {R, 0, false, false, true}}}}},
        {"key goes down before Ctrl",
         {{{Key(true, R)}, {{R, CTRL, false, false, false}}},
          {{Key(true, CTRL)}, {{R, CTRL, true, false, false}, {CTRL, 0, true, true, false}}}}},
        {"codes of 256 and more are ignored",
         {{{Key(true, 256), Key(true, 0xFFFFFFFF)}, {{256, 0, false, false, false}, {R, 256, false, false, false}}}}},
    };
    for (const Script& script : scripts) {
        ASSERT_TRUE(input.Init());
        int frameNumber = 0;
        for (const FrameRow& frame : script.frames) {
            Frame(frame.events);
            ++frameNumber;
            for (const Expect& e : frame.expect) {
                SCOPED_TRACE(std::string(script.name) + ", frame " + std::to_string(frameNumber) + ", key " +
                             std::to_string(e.key) + " with " + std::to_string(e.modifier));
                EXPECT_EQ(input.IsKeyDown(e.key, e.modifier), e.down);
                EXPECT_EQ(input.IsKeyPressed(e.key, e.modifier), e.pressed);
                EXPECT_EQ(input.IsKeyReleased(e.key, e.modifier), e.released);
            }
        }
    }
}

TEST_F(InputManagerTest, ListenersHearEveryKeyInOrderAndSeeTheStateAsItIsDelivered)
{
    KeyLogger first("first");
    KeyLogger disabled("disabled");
    disabled.m_Enabled = false;
    bool pressedWithCtrl = false;
    first.onDown = [&] { pressedWithCtrl = pressedWithCtrl || input.IsKeyPressed(R, CTRL); };
    Frame({Key(true, CTRL), Key(true, R), Key(false, R)});
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"first down 17", "first down 82", "first up 82"}));
    EXPECT_TRUE(pressedWithCtrl) << "a hotkey sees its chord while the key's down event is delivered";
    EXPECT_FALSE(input.IsKeyPressed(R, CTRL));
}

TEST_F(InputManagerTest, ListenersAddedOrRemovedDuringDelivery)
{
    auto a = std::make_unique<KeyLogger>("a");
    auto b = std::make_unique<KeyLogger>("b");
    auto c = std::make_unique<KeyLogger>("c");
    std::unique_ptr<KeyLogger> late;

    // a removes b (not yet called) and adds a new listener, which is called in the same pass.
    a->onDown = [&] {
        b.reset();
        if (!late)
            late = std::make_unique<KeyLogger>("late");
    };
    Frame({Key(true, R)});
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"a down 82", "c down 82", "late down 82"}));

    // c deletes itself while being called: the one after it is not skipped.
    a->onDown = nullptr;
    c->onDown = [&] { c.reset(); };
    Frame({Key(true, 0x41)});
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"a down 65", "c down 65", "late down 65"}));
    Frame({Key(true, 0x42)});
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"a down 66", "late down 66"}));

    // Removing a listener that is not registered does nothing.
    input.RemoveKeyboardListener(nullptr);
    KeyLogger stranger("stranger");
    input.RemoveKeyboardListener(&stranger);
    input.RemoveKeyboardListener(&stranger);
    Frame({Key(true, 0x43)});
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"a down 67", "late down 67"}));
}

TEST_F(InputManagerTest, MouseButtonsWheelAndListeners)
{
    MouseLogger mouse;
    Frame({Mouse(win::WM_RBUTTONDOWN, 5, 6)});
    EXPECT_TRUE(input.IsMouseButtonDown(1));
    EXPECT_TRUE(input.IsMouseButtonPressed(1));
    EXPECT_FALSE(input.IsMouseButtonDown(0));
    Frame({Mouse(win::WM_MOUSEWHEEL, 5, 6, -120)});
    EXPECT_TRUE(input.IsMouseButtonDown(1));
    EXPECT_FALSE(input.IsMouseButtonPressed(1));
    EXPECT_TRUE(input.IsWheelDown());
    EXPECT_FALSE(input.IsWheelUp());
    Frame({Mouse(win::WM_RBUTTONUP, 5, 6), Mouse(win::WM_MBUTTONDOWN, 7, 8), Mouse(win::WM_MBUTTONUP, 7, 8)});
    EXPECT_TRUE(input.IsMouseButtonReleased(1));
    EXPECT_FALSE(input.IsMouseButtonPressed(2));
    EXPECT_FALSE(input.IsMouseButtonReleased(2));
    EXPECT_FALSE(input.IsWheelDown()) << "wheel flags last one frame";
    Frame({Mouse(win::WM_MOUSEWHEEL, 0, 0, 0)});
    EXPECT_TRUE(input.IsWheelUp()) << "a delta of 0 counts as up";
    EXPECT_FALSE(input.IsMouseButtonDown(7));

    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"down", "wheel", "up", "down", "up", "wheel"}));
    ASSERT_EQ(mouse.events.size(), 6u);
    EXPECT_EQ(mouse.events[0].button, 1);
    EXPECT_EQ(mouse.events[0].x, 5);
    EXPECT_EQ(mouse.events[1].wheelDelta, -120);
    EXPECT_FALSE(mouse.events[1].wheelUp);
    EXPECT_EQ(mouse.events[3].button, 2);
}

TEST_F(InputManagerTest, MousePositionIsAFractionOfTheLetterBoxedViewport)
{
    // An 800 x 600 client area over a 1600 x 1200 back buffer; the camera's 500:280 aspect leaves a
    // 896-pixel-high viewport with 152-pixel bands above and below.
    Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    ASSERT_TRUE(window.CreateMainWindow(0, 0, 800, 600, "input test", false)) << window.GetErrorMessage();
    ASSERT_EQ(window.GetClientWidth(), 800);
    Vesk::CRenderer::GetInstance().SetBackBufferSize(1600, 1200, true);
    ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());

    struct Case {
        const char* name;
        int x, y;
        float fx, fy;
    } cases[] = {
        {"centre", 400, 300, 0.5f, 0.5f},
        {"top-left corner of the viewport", 0, 76, 0.0f, 0.0f},
        {"bottom-right corner of the viewport", 800, 524, 1.0f, 1.0f},
        {"upper band", 200, 10, 0.25f, (20.0f - 152.0f) / 896.0f},
        {"lower band", 600, 590, 0.75f, (1180.0f - 152.0f) / 896.0f},
    };
    MouseLogger mouse;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Frame({Mouse(win::WM_MOUSEMOVE, c.x, c.y)});
        EXPECT_FLOAT_EQ(input.GetMouseX(), c.fx);
        EXPECT_FLOAT_EQ(input.GetMouseY(), c.fy);
        ASSERT_FALSE(mouse.events.empty());
        EXPECT_FLOAT_EQ(mouse.events.back().fx, c.fx);
        EXPECT_FLOAT_EQ(mouse.events.back().fy, c.fy);
    }

    // A click in the upper band reads above the viewport.
    float fx = 0, fy = 0;
    CInputManager::ToViewportCoordinates(0, 0, fx, fy);
    EXPECT_LT(fy, 0.0f);

    window.DestroyMainWindow();
    Vesk::CCameraManager::GetInstance().Shutdown();
}

TEST_F(InputManagerTest, NoClientAreaGivesTheOrigin)
{
    // Nothing sized yet: no window, no back buffer.
    float fx = 1, fy = 1;
    CInputManager::ToViewportCoordinates(120, 80, fx, fy);
    EXPECT_EQ(fx, 0.0f);
    EXPECT_EQ(fy, 0.0f);
}

TEST_F(InputManagerTest, PadKeystrokesOnePerFrameDeliveredAtOnce)
{
    PadLogger listener;
    pad::Gamepad g;
    g.buttons = pad::BUTTON_A | pad::BUTTON_B;
    m_Pads.SetGamepad(0, g);
    g.buttons = pad::BUTTON_START;
    m_Pads.SetGamepad(2, g);

    input.BeginFrame();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"pad0 down 5800", "pad2 down 5814"}))
        << "keystrokes reach the listeners while the frame begins";
    input.EndFrame();
    Frame();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"pad0 down 5801"}));
    Frame();
    EXPECT_TRUE(TakeLog().empty());

    m_Pads.SetGamepad(0, pad::Gamepad{});
    Frame();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"pad0 up 5800"}));
    EXPECT_TRUE(input.IsPadButtonReleased(0, pad::VK_PAD_A));
    EXPECT_FALSE(input.IsPadButtonReleased(0, pad::VK_PAD_B));
    EXPECT_FALSE(input.IsPadButtonReleased(1, pad::VK_PAD_A));
    Frame();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"pad0 up 5801"}));
    EXPECT_FALSE(input.IsPadButtonReleased(0, pad::VK_PAD_A));
    EXPECT_TRUE(input.IsPadButtonReleased(0, pad::VK_PAD_B));
    Frame();
    EXPECT_FALSE(input.IsPadButtonReleased(0, pad::VK_PAD_B)) << "a release lasts one frame";
    EXPECT_FALSE(input.IsPadButtonReleased(-1, pad::VK_PAD_B));
    EXPECT_FALSE(input.IsPadButtonReleased(4, pad::VK_PAD_B));

    // A disabled listener hears nothing.
    listener.m_Enabled = false;
    g.buttons = pad::BUTTON_Y;
    m_Pads.SetGamepad(1, g);
    Frame();
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(InputManagerTest, SticksHaveADeadZoneAndADisconnectedPadIsCentred)
{
    struct Case {
        int16_t lx, ly, rx, ry;
        int wantX, wantY;
    } cases[] = {
        {7848, -7848, 0, 0, 0, 0},
        {7849, 0, 0, 0, 7849, 0},
        {-7848, 7849, 0, 0, -7848, 7849},
        {-32768, 32767, 0, 0, -32768, 32767},
    };
    for (const Case& c : cases) {
        pad::Gamepad g;
        g.thumbLX = c.lx;
        g.thumbLY = c.ly;
        m_Pads.SetGamepad(3, g);
        Frame();
        int x = 1, y = 1;
        input.GetPadLeftStick(3, x, y);
        EXPECT_EQ(x, c.wantX) << c.lx << "," << c.ly;
        EXPECT_EQ(y, c.wantY) << c.lx << "," << c.ly;
    }

    m_Pads.SetConnected(3, false);
    Frame();
    int x = 1, y = 1;
    input.GetPadLeftStick(3, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    input.GetPadLeftStick(9, x, y);
    EXPECT_EQ(x, 0);
}

TEST_F(InputManagerTest, ADisconnectEndsAPendingRelease)
{
    pad::Gamepad g;
    g.buttons = pad::BUTTON_Y;
    m_Pads.SetGamepad(0, g);
    Frame();
    m_Pads.SetGamepad(0, pad::Gamepad{});
    Frame();
    ASSERT_TRUE(input.IsPadButtonReleased(0, pad::VK_PAD_Y));
    m_Pads.SetConnected(0, false);
    Frame();
    EXPECT_FALSE(input.IsPadButtonReleased(0, pad::VK_PAD_Y));
}

} // namespace
