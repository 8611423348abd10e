// The player's input listener: keys and pad buttons to action bits under the gamepad option, the
// pad-or-keyboard flag, player one, the left trigger's zoom on the side-scrolling camera, hold
// times across the release frame, and the move direction from keys or the stick.
#include "../entities/EntityTestSupport.h"

#include "core/COptionSetting.h"
#include "debug/CDebugOutputManager.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/controllers/CPlayerListener.h"
#include "input/CInputManager.h"
#include "platform/pad/FakePadSource.h"
#include "render/CCameraManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Listener = Game::CPlayerController::CPlayerListener;

namespace {

struct Input {
    enum Kind { KeyDown, KeyUp, PadDown, PadUp } kind;
    int code;
};

void Send(Listener& listener, const std::vector<Input>& inputs)
{
    for (const Input& in : inputs) {
        const Vesk::KeyEvent key{static_cast<uint32_t>(in.code), 0};
        const Vesk::PadEvent pad{0, in.code};
        switch (in.kind) {
        case Input::KeyDown: listener.OnKeyDown(key); break;
        case Input::KeyUp: listener.OnKeyUp(key); break;
        case Input::PadDown: listener.OnButtonDown(pad); break;
        case Input::PadUp: listener.OnButtonUp(pad); break;
        }
    }
}

class CPlayerListenerTest : public worldtest::WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        testsupport::WriteFile(m_Dir.File("systemconfig.xml"), "<Options><use_gamepad val=\"0\"/></Options>");
        Options().SetPath(m_Dir.File("systemconfig.xml"));
        ASSERT_TRUE(Options().Init());
        ASSERT_TRUE(Vesk::CInputManager::GetInstance().Init());
        pad::SetSource(&m_Pads);
        ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
        ASSERT_TRUE(Vesk::CDebugOutputManager::GetInstance().Init());
    }

    void TearDown() override
    {
        Vesk::CDebugOutputManager::GetInstance().Shutdown();
        Vesk::CCameraManager::GetInstance().Shutdown();
        pad::SetSource(nullptr);
        Vesk::CInputManager::GetInstance().Init();
        // Unloaded and on its usual file again, as a fresh start finds the option store.
        Options().SetPath(m_Dir.File("none.xml"));
        Options().Init();
        Options().SetPath(Vesk::COptionSetting::kDefaultPath);
        WorldFixture::TearDown();
    }

    static Vesk::COptionSetting& Options() { return Vesk::COptionSetting::GetInstance(); }
    static void UseGamepad(const std::string& value) { ASSERT_TRUE(Options().SetValue("use_gamepad", value)); }

    // The left stick of pad 0 as the next frame polls it.
    void Stick(int16_t x, int16_t y)
    {
        pad::Gamepad g;
        g.thumbLX = x;
        g.thumbLY = y;
        m_Pads.SetGamepad(0, g);
        Vesk::CInputManager::GetInstance().BeginFrame();
    }

    Game::CSideScrollCamera* SideScrollCamera()
    {
        return dynamic_cast<Game::CSideScrollCamera*>(
            Vesk::CCameraManager::GetInstance().CreateCamera<Game::CSideScrollCamera>("sidescrolling", true));
    }

    testsupport::ScratchDir m_Dir;
    pad::FakeSource m_Pads;
};

TEST_F(CPlayerListenerTest, EachKeyAndButtonDrivesItsBit)
{
    struct Mapping {
        Input::Kind kind;
        int code;
        uint32_t bit;
    };
    const Mapping mappings[] = {
        {Input::KeyDown, 37, Listener::ACTION_LEFT},        {Input::KeyDown, 65, Listener::ACTION_LEFT},
        {Input::KeyDown, 39, Listener::ACTION_RIGHT},       {Input::KeyDown, 68, Listener::ACTION_RIGHT},
        {Input::KeyDown, 38, Listener::ACTION_UP},          {Input::KeyDown, 87, Listener::ACTION_UP},
        {Input::KeyDown, 40, Listener::ACTION_DOWN},        {Input::KeyDown, 83, Listener::ACTION_DOWN},
        {Input::KeyDown, 67, Listener::ACTION_ATTACK},      {Input::KeyDown, 74, Listener::ACTION_ATTACK},
        {Input::KeyDown, 76, Listener::ACTION_SPECIAL},     {Input::KeyDown, 90, Listener::ACTION_SPECIAL},
        {Input::KeyDown, 75, Listener::ACTION_DODGE},       {Input::KeyDown, 88, Listener::ACTION_DODGE},
        {Input::PadDown, 0x5800, Listener::ACTION_DODGE},   {Input::PadDown, 0x5801, Listener::ACTION_SPECIAL},
        {Input::PadDown, 0x5807, Listener::ACTION_SPECIAL}, {Input::PadDown, 0x5802, Listener::ACTION_ATTACK},
    };
    for (const Mapping& m : mappings) {
        Listener listener(nullptr);
        Send(listener, {{m.kind, m.code}});
        EXPECT_EQ(m.bit, listener.GetHeld()) << "down " << m.code;
        EXPECT_EQ(m.kind == Input::PadDown ? 1 : 0, listener.GetPadFlag()) << m.code;
        Send(listener, {{m.kind == Input::KeyDown ? Input::KeyUp : Input::PadUp, m.code}});
        EXPECT_EQ(0u, listener.GetHeld()) << "up " << m.code;
        EXPECT_EQ(m.bit, listener.GetReleased()) << "up " << m.code;
    }
}

TEST_F(CPlayerListenerTest, EventSequencesGiveHeldReleasedAndPadFlag)
{
    const uint32_t kLeft = Listener::ACTION_LEFT, kSpecial = Listener::ACTION_SPECIAL, kDodge = Listener::ACTION_DODGE;
    struct Case {
        const char* name;
        const char* useGamepad;
        std::vector<Input> inputs;
        uint32_t held, released;
        int padFlag;
    };
    const Case cases[] = {
        {"arrow ignored with the gamepad option on, pad still works",
         "1",
         {{Input::PadDown, 0x5800}, {Input::KeyDown, 37}},
         kDodge,
         0,
         1},
        {"key up ignored with the gamepad option on",
         "1",
         {{Input::PadDown, 0x5800}, {Input::KeyUp, 88}},
         kDodge,
         0,
         1},
        {"code 36 sets no bit but marks the keyboard", "0", {{Input::PadDown, 0x5803}, {Input::KeyDown, 36}}, 0, 0, 0},
        {"code 91 sets no bit but marks the keyboard", "0", {{Input::PadDown, 0x5803}, {Input::KeyDown, 91}}, 0, 0, 0},
        {"unmapped key inside the range", "0", {{Input::KeyDown, 66}}, 0, 0, 0},
        {"unmapped pad button only marks the pad", "0", {{Input::KeyDown, 65}, {Input::PadDown, 0x5803}}, kLeft, 0, 1},
        {"release and press again in one frame",
         "0",
         {{Input::KeyDown, 65}, {Input::KeyUp, 65}, {Input::KeyDown, 65}},
         kLeft,
         kLeft,
         0},
        {"one of two keys on a bit let go",
         "0",
         {{Input::KeyDown, 37}, {Input::KeyDown, 65}, {Input::KeyUp, 37}},
         kLeft,
         0,
         0},
        {"both keys on a bit let go",
         "0",
         {{Input::KeyDown, 37}, {Input::KeyDown, 65}, {Input::KeyUp, 37}, {Input::KeyUp, 65}},
         0,
         kLeft,
         0},
        {"one of two pad buttons on a bit let go",
         "0",
         {{Input::PadDown, 0x5801}, {Input::PadDown, 0x5807}, {Input::PadUp, 0x5801}},
         kSpecial,
         0,
         1},
        {"key up without its key down", "0", {{Input::KeyUp, 65}}, 0, 0, 0},
        {"keyboard after pad", "0", {{Input::PadDown, 0x5800}, {Input::KeyDown, 65}}, kDodge | kLeft, 0, 0},
    };
    for (const Case& c : cases) {
        UseGamepad(c.useGamepad);
        Listener listener(nullptr);
        Send(listener, c.inputs);
        EXPECT_EQ(c.held, listener.GetHeld()) << c.name;
        EXPECT_EQ(c.released, listener.GetReleased()) << c.name;
        EXPECT_EQ(c.padFlag, listener.GetPadFlag()) << c.name;
    }
}

TEST_F(CPlayerListenerTest, GamepadOptionIsReadEachFrameAndOnlyNumbersAboveZeroCount)
{
    const std::pair<const char*, bool> values[] = {
        {"1", true}, {"2", true}, {"0", false}, {"-1", false}, {"yes", false}};
    Listener listener(nullptr);
    for (const auto& [value, uses] : values) {
        UseGamepad(uses ? "0" : "1");
        listener.Update(0.0f);
        UseGamepad(value);
        EXPECT_NE(uses, listener.UsesGamepad()) << value << ": not before the next frame";
        listener.Update(0.0f);
        EXPECT_EQ(uses, listener.UsesGamepad()) << value;
    }
}

TEST_F(CPlayerListenerTest, ShoulderAndStartMakePlayerOne)
{
    for (int code : {0x5805, 0x5814}) {
        Listener listener(nullptr);
        listener.SetPlayerOne(false);
        Send(listener, {{Input::PadDown, code}});
        EXPECT_TRUE(listener.GetPlayerOne()) << code;
        EXPECT_EQ(0u, listener.GetHeld()) << code;
    }
    EXPECT_EQ("triggered",
              Vesk::CDebugOutputManager::GetInstance().GetLogLine(Vesk::CDebugOutputManager::kLogLineCount - 1));
}

TEST_F(CPlayerListenerTest, LeftTriggerZoomsInOnlyFromNormalAndReleaseRestoresNormal)
{
    Game::CSideScrollCamera* camera = SideScrollCamera();
    ASSERT_NE(nullptr, camera);
    const struct {
        float before, pressed;
    } cases[] = {{1.0f, 1.5f}, {1.2f, 1.5f}, {0.8f, 0.8f}, {1.5f, 1.5f}};
    Listener listener(nullptr);
    for (const auto& c : cases) {
        camera->SetZoom(c.before);
        Send(listener, {{Input::PadDown, 0x5806}});
        EXPECT_FLOAT_EQ(c.pressed, camera->GetZoom()) << "from " << c.before;
        Send(listener, {{Input::PadUp, 0x5806}});
        EXPECT_FLOAT_EQ(1.0f, camera->GetZoom()) << "from " << c.before;
    }
    EXPECT_EQ(0u, listener.GetHeld());

    // Another camera current: the trigger changes nothing and reaches nothing.
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("default", true);
    camera->SetZoom(1.0f);
    Send(listener, {{Input::PadDown, 0x5806}, {Input::PadUp, 0x5806}});
    EXPECT_FLOAT_EQ(1.0f, camera->GetZoom());
}

TEST_F(CPlayerListenerTest, ReleaseFrameStillSeesThePressLengthAndTheNextFrameNone)
{
    const uint32_t attack = Listener::ACTION_ATTACK;
    Listener listener(nullptr);
    Send(listener, {{Input::KeyDown, 67}});
    EXPECT_TRUE(listener.IsPressed(attack));
    listener.Update(0.02f);
    listener.ConsumeReleases();
    EXPECT_TRUE(listener.IsPressed(attack));
    listener.Update(0.02f);
    listener.ConsumeReleases();
    listener.Update(0.02f);
    EXPECT_NEAR(0.06f, listener.GetHoldTime(attack), 1e-6f);
    EXPECT_FALSE(listener.IsPressed(attack)) << "held past the press time";
    listener.ConsumeReleases();

    Send(listener, {{Input::KeyUp, 67}});
    listener.Update(0.02f);
    EXPECT_TRUE(listener.IsReleased(attack));
    EXPECT_NEAR(0.06f, listener.GetHoldTime(attack), 1e-6f) << "the release frame sees the press length";
    listener.ConsumeReleases();
    listener.Update(0.02f);
    EXPECT_FALSE(listener.IsReleased(attack));
    EXPECT_FLOAT_EQ(0.0f, listener.GetHoldTime(attack));

    // Let go and pressed again within one frame: released in that frame, then a fresh press.
    Send(listener, {{Input::KeyDown, 67}});
    listener.Update(0.1f);
    listener.ConsumeReleases();
    Send(listener, {{Input::KeyUp, 67}, {Input::KeyDown, 67}});
    listener.Update(0.02f);
    EXPECT_TRUE(listener.IsReleased(attack));
    EXPECT_NEAR(0.1f, listener.GetHoldTime(attack), 1e-6f);
    listener.ConsumeReleases();
    EXPECT_TRUE(listener.IsPressed(attack));
    listener.Update(0.02f);
    EXPECT_NEAR(0.02f, listener.GetHoldTime(attack), 1e-6f);
}

TEST_F(CPlayerListenerTest, MoveDirectionFromKeysOrTheStick)
{
    struct Case {
        const char* name;
        std::vector<int> keys;
        int16_t stickX, stickY;
        float x, z;
    };
    const float half = 16384.0f / 32767.0f;
    const Case cases[] = {
        {"up and left, not normalised", {38, 37}, 0, 0, -1.0f, 1.0f},
        {"down and left", {83, 65}, 0, 0, -1.0f, -1.0f},
        {"up and right", {87, 68}, 0, 0, 1.0f, 1.0f},
        {"down and right", {40, 39}, 0, 0, 1.0f, -1.0f},
        {"up", {38}, 0, 0, 0.0f, 1.0f},
        {"down", {40}, 0, 0, 0.0f, -1.0f},
        {"left", {37}, 0, 0, -1.0f, 0.0f},
        {"right", {39}, 0, 0, 1.0f, 0.0f},
        {"left and right: left wins", {39, 37}, 0, 0, -1.0f, 0.0f},
        {"up and down: up wins", {40, 38}, 0, 0, 0.0f, 1.0f},
        {"nothing", {}, 0, 0, 0.0f, 0.0f},
        {"stick overrides the keys", {38, 37}, 16384, 0, half, 0.0f},
        {"stick down", {}, 0, -32767, 0.0f, -1.0f},
        {"stick inside the dead zone leaves the keys", {39}, 5000, 3000, 1.0f, 0.0f},
    };
    for (const Case& c : cases) {
        Listener listener(nullptr);
        for (int key : c.keys)
            Send(listener, {{Input::KeyDown, key}});
        Stick(c.stickX, c.stickY);
        listener.Update(0.0f);
        const CVector3D d = listener.GetMoveDirection();
        EXPECT_FLOAT_EQ(c.x, d.x) << c.name;
        EXPECT_FLOAT_EQ(0.0f, d.y) << c.name;
        EXPECT_FLOAT_EQ(c.z, d.z) << c.name;
    }
}

} // namespace
