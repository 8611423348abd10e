// Scripted input: parsing, bad lines, and events entering at their frames through the window
// messages and the fake pads, as far as the input manager's listeners and queries.
#include "input/CInputManager.h"
#include "input/CInputScript.h"
#include "platform/win/VirtualKeys.h"
#include "support/TestSupport.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

using Vesk::CInputManager;
using Vesk::CInputScript;

namespace {

std::vector<win::Message> DrainPosted()
{
    std::vector<win::Message> out;
    win::Message message;
    while (win::PeekMessage(message))
        out.push_back(message);
    return out;
}

TEST(InputScriptTest, BadLinesAreLoggedByNumberAndTheRestLoads)
{
    const std::string text = "# a comment line\n"
                             "\n"
                             "0 key down CONTROL   # trailing comment\n"
                             "0 key down vk_r\n"
                             "1 key up 0x52\n"
                             "1 key up 17\n"
                             "2 key down F12\n"
                             "2 key down NUMPAD7\n"
                             "3 mouse move 10 20\n"
                             "3 mouse down left\n"
                             "3 mouse up right 5 6\n"
                             "4 mouse wheel -120\n"
                             "5 pad 0 down A\n"
                             "5 pad 3 up DPAD_LEFT\n"
                             "5 pad 1 stick right -32768 32767\n"
                             "five key down A\n"            // 16: no frame number
                             "6 key down NOSUCHKEY\n"       // 17
                             "6 key sideways A\n"           // 18
                             "6 key down 256\n"             // 19
                             "6 key down F13\n"             // 20
                             "6 mouse move 10\n"            // 21
                             "6 mouse down thumb\n"         // 22
                             "6 mouse wheel lots\n"         // 23
                             "6 pad 4 down A\n"             // 24
                             "6 pad 0 down Z\n"             // 25
                             "6 pad 0 stick left 40000 0\n" // 26
                             "6 joystick wiggle\n"          // 27
                             "-1 key down A\n"              // 28
                             "7\n";                         // 29
    CInputScript script;
    std::istringstream in(text);
    testing::internal::CaptureStderr();
    script.Parse(in, "test.script");
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(script.GetEventCount(), 13u);
    for (int line = 16; line <= 29; ++line)
        EXPECT_NE(log.find("CInputScript: test.script line " + std::to_string(line) + ": "), std::string::npos)
            << line << "\n"
            << log;
    EXPECT_EQ(log.find("line 15:"), std::string::npos) << log;
    EXPECT_EQ(log.find("line 3:"), std::string::npos) << log;
}

TEST(InputScriptTest, MissingFileIsReported)
{
    testsupport::ScratchDir dir;
    CInputScript script;
    testing::internal::CaptureStderr();
    EXPECT_FALSE(script.Load(dir.File("absent.txt")));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("absent.txt"), std::string::npos);
    EXPECT_FALSE(CInputManager::GetInstance().LoadInputScript(dir.File("absent.txt")));
}

TEST(InputScriptTest, EventsArePostedAtTheirFrameAsWindowMessages)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("input.txt"), "2 mouse down left\n"
                                                  "0 key down CONTROL\n"
                                                  "2 mouse move 30 40\n"
                                                  "1 mouse move 10 20\n"
                                                  "3 mouse wheel 240\n"
                                                  "3 key up CONTROL\n"
                                                  "4 mouse up left\n");
    CInputScript script;
    ASSERT_TRUE(script.Load(dir.File("input.txt")));
    DrainPosted();

    script.Pump(0);
    std::vector<win::Message> posted = DrainPosted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].code, win::WM_KEYDOWN);
    EXPECT_EQ(posted[0].vk, win::VK_CONTROL);

    script.Pump(1);
    posted = DrainPosted();
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].code, win::WM_MOUSEMOVE);
    EXPECT_EQ(posted[0].mk, win::MK_CONTROL);

    // Frame 2 in file order: the click where the mouse was, then the move with the button held.
    script.Pump(2);
    posted = DrainPosted();
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].code, win::WM_LBUTTONDOWN);
    EXPECT_EQ(posted[0].x, 10);
    EXPECT_EQ(posted[0].y, 20);
    EXPECT_EQ(posted[0].mk, win::MK_LBUTTON | win::MK_CONTROL);
    EXPECT_EQ(posted[1].code, win::WM_MOUSEMOVE);
    EXPECT_EQ(posted[1].mk, win::MK_LBUTTON | win::MK_CONTROL);

    // Frames skipped by the caller are caught up in order.
    script.Pump(10);
    posted = DrainPosted();
    ASSERT_EQ(posted.size(), 3u);
    EXPECT_EQ(posted[0].code, win::WM_MOUSEWHEEL);
    EXPECT_EQ(posted[0].wheelDelta, 240);
    EXPECT_EQ(posted[0].x, 30);
    EXPECT_EQ(posted[1].code, win::WM_KEYUP);
    EXPECT_EQ(posted[2].code, win::WM_LBUTTONUP);
    EXPECT_EQ(posted[2].mk, 0u);
    EXPECT_TRUE(script.IsFinished());
    script.Pump(11);
    EXPECT_TRUE(DrainPosted().empty());
}

struct ChordListener : Vesk::IKeyboardListener {
    void OnKeyDown(const Vesk::KeyEvent&) override
    {
        if (CInputManager::GetInstance().IsKeyPressed(win::VkFromChar('R'), win::VK_CONTROL))
            ++restarts;
    }
    void OnKeyUp(const Vesk::KeyEvent&) override {}
    int restarts = 0;
};

struct PadRecorder : Vesk::IControllerListener {
    void OnButtonDown(const Vesk::PadEvent& e) override { log.push_back("down " + std::to_string(e.code)); }
    void OnButtonUp(const Vesk::PadEvent& e) override { log.push_back("up " + std::to_string(e.code)); }
    std::vector<std::string> log;
};

// The script drives the input manager as a player would: Ctrl+R reaches a hotkey listener once,
// and the scripted pad's button and stick come out of the pad poll.
TEST(InputScriptTest, DrivesTheInputManagerLikeAPlayer)
{
    CInputManager& input = CInputManager::GetInstance();
    ASSERT_TRUE(input.Init());
    DrainPosted();
    CInputScript script;
    std::istringstream in("1 key down CONTROL\n"
                          "2 key down R\n"
                          "3 key up R\n"
                          "3 key up CONTROL\n"
                          "4 key down R\n"
                          "1 pad 2 down A\n"
                          "2 pad 2 stick left 20000 -9000\n"
                          "3 pad 2 up A\n");
    script.Parse(in, "inline");
    ChordListener hotkeys;
    PadRecorder pads;
    int stickX = 0, stickY = 0;
    for (uint64_t frame = 0; frame < 6; ++frame) {
        input.BeginFrame();
        script.Pump(frame); // feeds the pads read at the next frame's beginning
        win::Message message;
        while (win::PeekMessage(message))
            Vesk::CWindowSystem::GetInstance().WndProc(message);
        input.EndFrame();
        if (frame == 3)
            input.GetPadLeftStick(2, stickX, stickY);
    }
    EXPECT_EQ(hotkeys.restarts, 1);
    EXPECT_EQ(pads.log, (std::vector<std::string>{"down 22528", "down 22562", "up 22528"}));
    EXPECT_EQ(stickX, 20000);
    EXPECT_EQ(stickY, -9000);
}

TEST(InputScriptTest, ThePadsGoBackToTheRealSourceWithTheScript)
{
    pad::State state;
    {
        CInputScript script;
        std::istringstream in("0 pad 1 down B\n");
        script.Parse(in, "inline");
        EXPECT_EQ(pad::GetState(1, state), pad::ERROR_SUCCESS) << "a scripted pad is plugged in from the start";
        script.Pump(0);
        ASSERT_EQ(pad::GetState(1, state), pad::ERROR_SUCCESS);
        EXPECT_EQ(state.gamepad.buttons, pad::BUTTON_B);
    }
    EXPECT_EQ(pad::GetState(1, state), pad::ERROR_DEVICE_NOT_CONNECTED);
    pad::Shutdown();
}

} // namespace
