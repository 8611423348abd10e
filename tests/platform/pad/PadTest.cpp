#include "platform/pad/Pad.h"
#include "platform/pad/FakePadSource.h"

#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Stroke = std::pair<uint16_t, uint16_t>; // virtual key, flags

std::vector<Stroke> Drain(uint32_t index)
{
    std::vector<Stroke> out;
    pad::Keystroke keystroke;
    while (pad::GetKeystroke(index, keystroke) == pad::ERROR_SUCCESS) {
        EXPECT_EQ(keystroke.userIndex, index);
        out.emplace_back(keystroke.virtualKey, keystroke.flags);
    }
    return out;
}

constexpr uint16_t kDown = pad::KEYSTROKE_KEYDOWN;
constexpr uint16_t kUp = pad::KEYSTROKE_KEYUP;

class FakePadTest : public ::testing::Test {
protected:
    void SetUp() override { pad::SetSource(&fake); }
    void TearDown() override { pad::SetSource(nullptr); }
    pad::FakeSource fake;
};

TEST_F(FakePadTest, DisconnectedPadsAnswerNotConnected)
{
    pad::State state;
    pad::Keystroke keystroke;
    for (uint32_t index : {0u, 3u, 4u, 99u}) {
        EXPECT_EQ(pad::GetState(index, state), pad::ERROR_DEVICE_NOT_CONNECTED);
        EXPECT_EQ(pad::GetKeystroke(index, keystroke), pad::ERROR_DEVICE_NOT_CONNECTED);
    }
    fake.SetConnected(2, true);
    EXPECT_EQ(pad::GetState(2, state), pad::ERROR_SUCCESS);
    EXPECT_EQ(pad::GetKeystroke(2, keystroke), pad::ERROR_EMPTY);
}

TEST_F(FakePadTest, ReadingChangesBecomeKeystrokes)
{
    auto reading = [](uint16_t buttons, uint8_t lt, uint8_t rt, int16_t lx, int16_t ly, int16_t rx, int16_t ry) {
        pad::Gamepad g;
        g.buttons = buttons;
        g.leftTrigger = lt;
        g.rightTrigger = rt;
        g.thumbLX = lx;
        g.thumbLY = ly;
        g.thumbRX = rx;
        g.thumbRY = ry;
        return g;
    };
    struct Step {
        const char* name;
        pad::Gamepad reading;
        std::vector<Stroke> expected;
    } steps[] = {
        {"rest", reading(0, 0, 0, 0, 0, 0, 0), {}},
        {"A and X together, in code order",
         reading(pad::BUTTON_X | pad::BUTTON_A, 0, 0, 0, 0, 0, 0),
         {{pad::VK_PAD_A, kDown}, {pad::VK_PAD_X, kDown}}},
        {"held buttons do not repeat", reading(pad::BUTTON_X | pad::BUTTON_A, 0, 0, 0, 0, 0, 0), {}},
        {"release before press",
         reading(pad::BUTTON_X | pad::BUTTON_START, 0, 0, 0, 0, 0, 0),
         {{pad::VK_PAD_A, kUp}, {pad::VK_PAD_START, kDown}}},
        {"trigger at the threshold", reading(0, 30, 0, 0, 0, 0, 0), {{pad::VK_PAD_X, kUp}, {pad::VK_PAD_START, kUp}}},
        {"trigger past it",
         reading(0, 31, 255, 0, 0, 0, 0),
         {{pad::VK_PAD_LTRIGGER, kDown}, {pad::VK_PAD_RTRIGGER, kDown}}},
        {"left stick inside its dead zone",
         reading(0, 0, 0, 7849, -7849, 0, 0),
         {{pad::VK_PAD_LTRIGGER, kUp}, {pad::VK_PAD_RTRIGGER, kUp}}},
        {"left stick past it", reading(0, 0, 0, 7850, 0, 0, 0), {{pad::VK_PAD_LTHUMB_RIGHT, kDown}}},
        {"a tie goes to the vertical",
         reading(0, 0, 0, 9000, 9000, 0, 0),
         {{pad::VK_PAD_LTHUMB_RIGHT, kUp}, {pad::VK_PAD_LTHUMB_UP, kDown}}},
        {"larger axis decides",
         reading(0, 0, 0, -20000, 12000, 0, 0),
         {{pad::VK_PAD_LTHUMB_UP, kUp}, {pad::VK_PAD_LTHUMB_LEFT, kDown}}},
        {"right stick's own dead zone", reading(0, 0, 0, 0, 0, 0, -8689), {{pad::VK_PAD_LTHUMB_LEFT, kUp}}},
        {"right stick down", reading(0, 0, 0, 0, 0, 0, -8690), {{pad::VK_PAD_RTHUMB_DOWN, kDown}}},
        {"every button",
         reading(0xF3FF, 0, 0, 0, 0, 0, 0),
         {{pad::VK_PAD_RTHUMB_DOWN, kUp},
          {pad::VK_PAD_A, kDown},
          {pad::VK_PAD_B, kDown},
          {pad::VK_PAD_X, kDown},
          {pad::VK_PAD_Y, kDown},
          {pad::VK_PAD_RSHOULDER, kDown},
          {pad::VK_PAD_LSHOULDER, kDown},
          {pad::VK_PAD_DPAD_UP, kDown},
          {pad::VK_PAD_DPAD_DOWN, kDown},
          {pad::VK_PAD_DPAD_LEFT, kDown},
          {pad::VK_PAD_DPAD_RIGHT, kDown},
          {pad::VK_PAD_START, kDown},
          {pad::VK_PAD_BACK, kDown},
          {pad::VK_PAD_LTHUMB_PRESS, kDown},
          {pad::VK_PAD_RTHUMB_PRESS, kDown}}},
    };
    uint32_t lastPacket = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        fake.SetGamepad(1, step.reading);
        pad::State state;
        ASSERT_EQ(pad::GetState(1, state), pad::ERROR_SUCCESS);
        EXPECT_TRUE(state.gamepad == step.reading);
        if (!step.expected.empty()) {
            EXPECT_NE(state.packetNumber, lastPacket);
        }
        lastPacket = state.packetNumber;
        EXPECT_EQ(Drain(1), step.expected);
    }
}

TEST_F(FakePadTest, KeystrokesWaitInOrderAndDisconnectForgetsThem)
{
    pad::Gamepad held;
    held.buttons = pad::BUTTON_B;
    fake.SetGamepad(0, held);
    held.buttons = 0;
    pad::State state;
    pad::GetState(0, state);
    fake.SetGamepad(0, held);
    pad::GetState(0, state);
    EXPECT_EQ(Drain(0), (std::vector<Stroke>{{pad::VK_PAD_B, kDown}, {pad::VK_PAD_B, kUp}}));

    held.buttons = pad::BUTTON_Y;
    fake.SetGamepad(0, held);
    pad::GetState(0, state);
    fake.SetConnected(0, false);
    pad::Keystroke keystroke;
    EXPECT_EQ(pad::GetKeystroke(0, keystroke), pad::ERROR_DEVICE_NOT_CONNECTED);
    // Plugged in again with Y still held: a fresh key-down, nothing left over from before.
    fake.SetConnected(0, true);
    EXPECT_EQ(Drain(0), (std::vector<Stroke>{{pad::VK_PAD_Y, kDown}}));

    // Unread keystrokes are bounded.
    for (int i = 0; i < 200; ++i) {
        held.buttons = (i % 2) ? pad::BUTTON_A : 0;
        fake.SetGamepad(0, held);
        pad::GetState(0, state);
    }
    EXPECT_LE(Drain(0).size(), 64u);
}

// SDL's own virtual joystick stands in for a plugged-in pad, so the whole SDL path runs: the
// built-in mapping, axis and trigger conversion, and hot-plug.
TEST(SdlPadTest, VirtualControllerReadsAsAnXInputPad)
{
    pad::SetSource(nullptr);
    pad::State state;
    ASSERT_EQ(pad::GetState(0, state), pad::ERROR_DEVICE_NOT_CONNECTED) << "no real pad expected on a test machine";

    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Thrummock test pad";
    const int device = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(device, 0) << SDL_GetError();
    SDL_Joystick* joystick = SDL_JoystickOpen(device);
    ASSERT_NE(joystick, nullptr);

    ASSERT_EQ(pad::GetState(0, state), pad::ERROR_SUCCESS);
    EXPECT_TRUE(state.gamepad == pad::Gamepad{});

    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 1);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, 12000);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, -32768); // pushed fully up
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_RIGHTY, 20000); // pushed down
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, 32767);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 0); // half way on the raw axis
    ASSERT_EQ(pad::GetState(0, state), pad::ERROR_SUCCESS);
    EXPECT_EQ(state.gamepad.buttons, pad::BUTTON_A | pad::BUTTON_DPAD_LEFT | pad::BUTTON_RIGHT_SHOULDER);
    EXPECT_EQ(state.gamepad.thumbLX, 12000);
    EXPECT_EQ(state.gamepad.thumbLY, 32767);
    EXPECT_EQ(state.gamepad.thumbRY, -20000);
    EXPECT_EQ(state.gamepad.leftTrigger, 255);
    EXPECT_NEAR(state.gamepad.rightTrigger, 128, 1);
    EXPECT_EQ(Drain(0), (std::vector<Stroke>{{pad::VK_PAD_A, kDown},
                                             {pad::VK_PAD_RSHOULDER, kDown},
                                             {pad::VK_PAD_LTRIGGER, kDown},
                                             {pad::VK_PAD_RTRIGGER, kDown},
                                             {pad::VK_PAD_DPAD_LEFT, kDown},
                                             {pad::VK_PAD_LTHUMB_UP, kDown},
                                             {pad::VK_PAD_RTHUMB_DOWN, kDown}}));

    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(device);
    EXPECT_EQ(pad::GetState(0, state), pad::ERROR_DEVICE_NOT_CONNECTED);
    pad::Shutdown();
}

} // namespace
