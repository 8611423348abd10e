// The window procedure: event records for the input callbacks (mouse deltas, wheel, button
// flags), which callback each message reaches, quit and focus handling, and the run loop's end.
// CTest runs every test in its own process, so the singleton starts fresh in each.
#include "platform/win/VirtualKeys.h"
#include "support/TestSupport.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Vesk::CWindowSystem;
using Vesk::WindowEvent;

namespace {

struct Received {
    int slot;
    WindowEvent event;
};
std::vector<Received> g_Received;

template <int Slot>
void Record(WindowEvent event)
{
    g_Received.push_back({Slot, event});
}

enum { KeyDown, KeyUp, ButtonDown, ButtonUp, MoveAndWheel };

win::Message Mouse(uint32_t code, int x, int y, uint32_t mk = 0, int wheelDelta = 0)
{
    win::Message message;
    message.code = code;
    message.x = x;
    message.y = y;
    message.mk = mk;
    message.wheelDelta = wheelDelta;
    return message;
}

win::Message KeyMessage(uint32_t code, uint32_t vk)
{
    win::Message message;
    message.code = code;
    message.vk = vk;
    return message;
}

std::vector<win::Message> DrainPosted()
{
    std::vector<win::Message> out;
    win::Message message;
    while (win::PeekMessage(message))
        out.push_back(message);
    return out;
}

class WindowProcedureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_Received.clear();
        DrainPosted();
        m_System.SetCallbacks(&Record<KeyDown>, &Record<KeyUp>, &Record<ButtonDown>, &Record<ButtonUp>,
                              &Record<MoveAndWheel>);
    }
    void SetWindowed(bool windowed)
    {
        if (m_System.IsWindowed() != windowed)
            m_System.ToggleFullScreen();
    }
    CWindowSystem& m_System = CWindowSystem::GetInstance();
};

} // namespace

TEST_F(WindowProcedureTest, MovesCarryDeltasAndTheCursorHelpersLeaveNoJump)
{
    m_System.SetCursorPosition(100, 100);
    const struct {
        int x, y, dx, dy;
    } moves[] = {{110, 95, 10, -5}, {110, 95, 0, 0}, {100, 100, -10, 5}};
    for (const auto& m : moves) {
        const WindowEvent event = m_System.MakeEvent(Mouse(win::WM_MOUSEMOVE, m.x, m.y));
        EXPECT_EQ(m.dx, event.dx);
        EXPECT_EQ(m.dy, event.dy);
        EXPECT_EQ(0, event.wheelDelta);
    }

    m_System.SetCursorPosition(400, 300);
    WindowEvent event = m_System.MakeEvent(Mouse(win::WM_MOUSEMOVE, 405, 302));
    EXPECT_EQ(5, event.dx);
    EXPECT_EQ(2, event.dy);

    m_System.SetCursorX(50);
    event = m_System.MakeEvent(Mouse(win::WM_MOUSEMOVE, 52, 302));
    EXPECT_EQ(2, event.dx);
    EXPECT_EQ(0, event.dy);

    m_System.SetCursorY(10);
    event = m_System.MakeEvent(Mouse(win::WM_MOUSEMOVE, 52, 12));
    EXPECT_EQ(0, event.dx);
    EXPECT_EQ(2, event.dy);
}

TEST_F(WindowProcedureTest, WheelCarriesItsDeltaAndNoMovement)
{
    m_System.MakeEvent(Mouse(win::WM_MOUSEMOVE, 100, 100));
    const WindowEvent wheel =
        m_System.MakeEvent(Mouse(win::WM_MOUSEWHEEL, 300, 200, win::MK_LBUTTON | win::MK_CONTROL, -240));
    EXPECT_EQ(win::WM_MOUSEWHEEL, wheel.message);
    EXPECT_EQ(300, wheel.x);
    EXPECT_EQ(200, wheel.y);
    EXPECT_EQ(-240, wheel.wheelDelta);
    EXPECT_EQ(0, wheel.dx);
    EXPECT_EQ(0, wheel.dy);
    EXPECT_TRUE(wheel.left);
    EXPECT_TRUE(wheel.ctrl);
    EXPECT_FALSE(wheel.right || wheel.middle || wheel.shift);

    // The wheel does not move the last position.
    EXPECT_EQ(1, m_System.MakeEvent(Mouse(win::WM_MOUSEMOVE, 101, 100)).dx);
}

TEST_F(WindowProcedureTest, ButtonStateBitsBecomeFlags)
{
    const struct {
        uint32_t mk;
        bool left, right, middle, shift, ctrl;
    } cases[] = {
        {win::MK_LBUTTON, true, false, false, false, false}, {win::MK_RBUTTON, false, true, false, false, false},
        {win::MK_MBUTTON, false, false, true, false, false}, {win::MK_SHIFT, false, false, false, true, false},
        {win::MK_CONTROL, false, false, false, false, true}, {0x1Fu, true, true, true, true, true},
    };
    for (uint32_t code : {win::WM_MOUSEMOVE, win::WM_MOUSEWHEEL}) {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.mk);
            const WindowEvent event = m_System.MakeEvent(Mouse(code, 1, 2, c.mk));
            EXPECT_EQ(c.left, event.left);
            EXPECT_EQ(c.right, event.right);
            EXPECT_EQ(c.middle, event.middle);
            EXPECT_EQ(c.shift, event.shift);
            EXPECT_EQ(c.ctrl, event.ctrl);
        }
    }
}

TEST_F(WindowProcedureTest, ButtonMessagesSetOnlyTheirOwnButton)
{
    const struct {
        uint32_t code;
        int slot;
        bool left, right, middle;
    } cases[] = {
        {win::WM_LBUTTONDOWN, ButtonDown, true, false, false}, {win::WM_LBUTTONUP, ButtonUp, true, false, false},
        {win::WM_RBUTTONDOWN, ButtonDown, false, true, false}, {win::WM_RBUTTONUP, ButtonUp, false, true, false},
        {win::WM_MBUTTONDOWN, ButtonDown, false, false, true}, {win::WM_MBUTTONUP, ButtonUp, false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        g_Received.clear();
        // Every state bit set: the record still names the message's button alone.
        EXPECT_EQ(0, m_System.WndProc(Mouse(c.code, 7, 8, 0x1Fu)));
        ASSERT_EQ(1u, g_Received.size());
        const WindowEvent& event = g_Received[0].event;
        EXPECT_EQ(c.slot, g_Received[0].slot);
        EXPECT_EQ(c.code, event.message);
        EXPECT_EQ(7, event.x);
        EXPECT_EQ(8, event.y);
        EXPECT_EQ(c.left, event.left);
        EXPECT_EQ(c.right, event.right);
        EXPECT_EQ(c.middle, event.middle);
        EXPECT_FALSE(event.shift || event.ctrl);
        EXPECT_EQ(0, event.dx);
    }
}

TEST_F(WindowProcedureTest, MessagesReachTheirCallbackOrDefaultHandling)
{
    const struct {
        win::Message message;
        int slot; // -1: no callback
        long result;
    } cases[] = {
        {KeyMessage(win::WM_KEYDOWN, 'Q'), KeyDown, 0},
        {KeyMessage(win::WM_KEYUP, 'Q'), KeyUp, 0},
        {Mouse(win::WM_MOUSEMOVE, 1, 1), MoveAndWheel, 0},
        {Mouse(win::WM_MOUSEWHEEL, 1, 1, 0, 120), MoveAndWheel, 0},
        {KeyMessage(win::WM_SYSKEYDOWN, 'X'), -1, CWindowSystem::kDefaultHandling},
        {KeyMessage(win::WM_SYSKEYUP, win::VK_F10), -1, CWindowSystem::kDefaultHandling},
        {KeyMessage(win::WM_CHAR, 0), -1, CWindowSystem::kDefaultHandling},
        {KeyMessage(win::WM_SIZE, 0), -1, CWindowSystem::kDefaultHandling},
        {KeyMessage(win::WM_CREATE, 0), -1, 0},
        {KeyMessage(win::WM_PAINT, 0), -1, 0},
        {KeyMessage(win::WM_MOVE, 0), -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message.code);
        g_Received.clear();
        EXPECT_EQ(c.result, m_System.WndProc(c.message));
        if (c.slot < 0) {
            EXPECT_TRUE(g_Received.empty());
            continue;
        }
        ASSERT_EQ(1u, g_Received.size());
        EXPECT_EQ(c.slot, g_Received[0].slot);
        EXPECT_EQ(c.message.code, g_Received[0].event.message);
    }
    EXPECT_EQ(uint32_t('Q'), m_System.MakeEvent(KeyMessage(win::WM_KEYDOWN, 'Q')).key);

    // Callbacks that are not installed are skipped.
    m_System.SetCallbacks(nullptr, nullptr, nullptr, nullptr, nullptr);
    EXPECT_EQ(0, m_System.WndProc(KeyMessage(win::WM_KEYDOWN, 'Q')));
    EXPECT_TRUE(g_Received.empty());
}

TEST_F(WindowProcedureTest, CloseAndDestroyPostTheQuitMessage)
{
    for (uint32_t code : {win::WM_CLOSE, win::WM_DESTROY}) {
        EXPECT_EQ(0, m_System.WndProc(KeyMessage(code, 0)));
        const std::vector<win::Message> posted = DrainPosted();
        ASSERT_EQ(1u, posted.size());
        EXPECT_EQ(win::WM_QUIT, posted[0].code);
        EXPECT_EQ(0, posted[0].exitCode);
    }
}

TEST_F(WindowProcedureTest, FocusSuspendsOnlyAFullScreenWindow)
{
    win::Message lost;
    lost.code = win::WM_ACTIVATEAPP;
    lost.active = false;
    win::Message gained = lost;
    gained.active = true;

    SetWindowed(true);
    EXPECT_EQ(CWindowSystem::kDefaultHandling, m_System.WndProc(lost));
    EXPECT_FALSE(m_System.IsSuspended());

    SetWindowed(false);
    EXPECT_EQ(0, m_System.WndProc(lost));
    EXPECT_TRUE(m_System.IsSuspended());
    EXPECT_EQ(0, m_System.WndProc(gained));
    EXPECT_FALSE(m_System.IsSuspended());
}

TEST_F(WindowProcedureTest, RunLoopDispatchesThenEndsWithTheQuitCode)
{
    // The game manager is built on first use and writes its start-up log in the working folder.
    testsupport::ScratchDir dir;
    testsupport::WorkingDirectory workingDir;
    ASSERT_TRUE(workingDir.Enter(dir.Path()));

    win::PostMessage(KeyMessage(win::WM_KEYDOWN, 'A'));
    win::PostQuitMessage(3);
    win::PostMessage(KeyMessage(win::WM_KEYUP, 'A'));
    m_System.PumpMessages();
    EXPECT_EQ(3, m_System.GetExitCode());
    ASSERT_EQ(2u, g_Received.size()); // the turn that saw the quit message is finished
    EXPECT_EQ(KeyDown, g_Received[0].slot);
    EXPECT_EQ(KeyUp, g_Received[1].slot);

    // Closing while suspended still ends the loop, and clears the suspension.
    SetWindowed(false);
    win::Message lost;
    lost.code = win::WM_ACTIVATEAPP;
    m_System.WndProc(lost);
    ASSERT_TRUE(m_System.IsSuspended());
    win::PostMessage(KeyMessage(win::WM_CLOSE, 0));
    m_System.PumpMessages();
    EXPECT_EQ(0, m_System.GetExitCode());
    EXPECT_FALSE(m_System.IsSuspended());
}
