// The shared screen-state pattern in a running game: keyboard and pad navigation with wrap-around
// and hidden buttons, screens without buttons, one callback per press whether the selection came
// from the keyboard or the mouse, mouse clicks, going back, and the one default light the screens share.
#include "GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/gui/CButton.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

using Game::ScreenControls;
using guitest::TestScreen;

class CGuiScreenStateTest : public guitest::GuiScreenFixture {
protected:
    // Three buttons one above the other, callbacks 2, 3 and 5.
    void WriteThreeButtons(const std::string& file = "three")
    {
        WriteScreen(file, {{"button", "BtnYes", 0.5f, 0.25f, 2},
                           {"button", "BtnNo", 0.5f, 0.5f, 3},
                           {"button", "BtnBack", 0.5f, 0.75f, 5}});
    }
    // The indices of the buttons that show "mouseover".
    static std::set<unsigned> Marked(const TestScreen& screen)
    {
        std::set<unsigned> marked;
        for (unsigned i = 0; i < screen.m_Buttons.size(); ++i)
            if (screen.m_Buttons[i]->GetButtonState() == "mouseover") {
                EXPECT_EQ(screen.m_Buttons[i]->GetAnimation(), "mouseover") << i;
                marked.insert(i);
            }
        return marked;
    }
};

const uint32_t kLeft = win::VK_LEFT, kRight = win::VK_RIGHT, kUp = win::VK_UP, kDown = win::VK_DOWN;
const uint32_t kA = win::VkFromChar('A'), kD = win::VkFromChar('D'), kW = win::VkFromChar('W');
const uint32_t kS = win::VkFromChar('S');
const int16_t kFullTilt = 32000;

struct Step {
    const char* what;
    std::vector<uint32_t> keys;
    uint16_t padButtons;
    int16_t stickX, stickY;
    unsigned index;
    int sounds;
};

TEST_F(CGuiScreenStateTest, KeyboardAndPadMoveTheSelectionWithWrapAroundAndOneSoundPerStep)
{
    WriteThreeButtons();
    const struct {
        const char* screen;
        ScreenControls controls;
        std::vector<Step> steps;
    } cases[] = {
        {"horizontal",
         ScreenControls::Confirmation(),
         {{"Left from the first wraps to the last", {kLeft}, 0, 0, 0, 2, 1},
          {"Right from the last wraps to the first", {kRight}, 0, 0, 0, 0, 1},
          {"D", {kD}, 0, 0, 0, 1, 1},
          {"A", {kA}, 0, 0, 0, 0, 1},
          {"Left and Right in one frame go back", {kLeft, kRight}, 0, 0, 0, 2, 1},
          {"pad right", {}, pad::BUTTON_DPAD_RIGHT, 0, 0, 0, 1},
          {"left stick left", {}, 0, -kFullTilt, 0, 2, 1},
          {"Up is not this screen's", {kUp}, 0, 0, 0, 2, 0}}},
        {"vertical",
         ScreenControls::LevelSelection(),
         {{"Down", {kDown}, 0, 0, 0, 1, 1},
          {"W", {kW}, 0, 0, 0, 0, 1},
          {"Up from the first wraps", {kUp}, 0, 0, 0, 2, 1},
          {"S from the last wraps", {kS}, 0, 0, 0, 0, 1},
          {"pad up", {}, pad::BUTTON_DPAD_UP, 0, 0, 2, 1},
          {"left stick down", {}, 0, 0, -kFullTilt, 0, 1},
          {"Right is not this screen's", {kRight}, 0, 0, 0, 0, 0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.screen);
        TestScreen* screen = Open("three", c.controls, 0);
        ASSERT_EQ(screen->m_Buttons.size(), 3u);
        EXPECT_EQ(Marked(*screen), std::set<unsigned>{0});
        for (const Step& step : c.steps) {
            SCOPED_TRACE(step.what);
            if (!step.keys.empty())
                TapKeys(step.keys);
            else
                TapPad(step.padButtons, step.stickX, step.stickY);
            EXPECT_EQ(screen->GetSelectedIndex(), step.index);
            EXPECT_EQ(Marked(*screen), std::set<unsigned>{step.index});
            EXPECT_EQ(TakeHoverSounds(), step.sounds);
        }
        EXPECT_FLOAT_EQ(m_Sound->channelVolumes[m_Sound->plays.back().channel], 0.5f);
        EXPECT_TRUE(TakeCalls().empty());
        Vesk::CGameManager::GetInstance().PopState();
        Frame();
    }
}

TEST_F(CGuiScreenStateTest, HiddenButtonsArePassedOverOnlyWhereTheScreenSaysSo)
{
    WriteThreeButtons();
    const struct {
        const char* what;
        ScreenControls controls;
        std::vector<unsigned> hidden;
        uint32_t key;
        unsigned index;
    } cases[] = {
        {"skipping, right over the middle", ScreenControls::Options(), {1}, kRight, 2},
        {"skipping, left over the last and wrapping", ScreenControls::Options(), {2}, kLeft, 1},
        {"not skipping", ScreenControls::Confirmation(), {1}, kRight, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TestScreen* screen = Open("three", c.controls, 0);
        for (unsigned i : c.hidden)
            screen->m_Buttons[i]->SetVisible(false);
        TapKeys({c.key});
        EXPECT_EQ(screen->GetSelectedIndex(), c.index);
        EXPECT_EQ(Marked(*screen), std::set<unsigned>{c.index});
        Vesk::CGameManager::GetInstance().PopState();
        Frame();
    }

    // Every button hidden: the step sounds but nothing is marked, and a press runs nothing.
    TestScreen* screen = Open("three", ScreenControls::Options(), 0);
    for (Game::CButton* button : screen->m_Buttons)
        button->SetVisible(false);
    TapKeys({kRight});
    EXPECT_EQ(TakeHoverSounds(), 1);
    EXPECT_TRUE(Marked(*screen).empty());
    TapKeys({win::VK_RETURN});
    EXPECT_TRUE(TakeCalls().empty());
}

TEST_F(CGuiScreenStateTest, TheFirstSelectionIsTakenModuloTheButtonCountOrLeftUnmarked)
{
    WriteScreen("one", {{"button", "BtnYes", 0.5f, 0.5f, 2}});
    TestScreen* one = Open("one", ScreenControls::Confirmation(), 1);
    EXPECT_EQ(one->GetSelectedIndex(), 0u);
    EXPECT_EQ(Marked(*one), std::set<unsigned>{0});
    Vesk::CGameManager::GetInstance().PopState();
    Frame();

    // Nothing marked: Enter presses nothing until a step marks a button.
    WriteThreeButtons();
    TestScreen* options = Open("three", ScreenControls::Options(), TestScreen::kNoFirstSelection);
    EXPECT_TRUE(Marked(*options).empty());
    TapKeys({win::VK_RETURN});
    EXPECT_TRUE(TakeCalls().empty());
    TapKeys({kRight});
    TapKeys({win::VK_RETURN});
    EXPECT_EQ(TakeCalls(), std::vector<int>{3});
}

TEST_F(CGuiScreenStateTest, ScreensWithoutButtonsIgnoreNavigationAndPressAndStillGoBack)
{
    WriteScreen("empty", {{"display", "GameFont", 0.5f, 0.5f}});
    for (const char* file : {"empty", "no_such_screen"}) {
        SCOPED_TRACE(file);
        TestScreen* screen = Open(file, ScreenControls::Confirmation(), 1);
        EXPECT_TRUE(screen->m_Buttons.empty());
        EXPECT_EQ(screen->GetSelectedIndex(), 0u);
        TapKeys({kLeft});
        TapKeys({kRight});
        TapKeys({win::VK_RETURN});
        TapPad(pad::BUTTON_A);
        EXPECT_EQ(TakeHoverSounds(), 0);
        EXPECT_TRUE(TakeCalls().empty());
        const size_t states = Vesk::CGameManager::GetInstance().GetStateCount();
        TapPad(pad::BUTTON_START);
        EXPECT_EQ(Vesk::CGameManager::GetInstance().GetStateCount(), states - 1);
    }
}

TEST_F(CGuiScreenStateTest, APressRunsTheOneSelectedButtonWhetherKeyboardOrMouseSelectedIt)
{
    WriteThreeButtons();
    TestScreen* screen = Open("three", ScreenControls::Confirmation(), 0);
    TapKeys({win::VK_RETURN});
    EXPECT_EQ(TakeCalls(), std::vector<int>{2});
    TapPad(pad::BUTTON_B);
    EXPECT_EQ(TakeCalls(), std::vector<int>{2});

    // The mouse over the last button while the keyboard had marked the first.
    MoveMouse(0.5f, 0.75f);
    Frame();
    EXPECT_EQ(screen->GetSelectedIndex(), 2u);
    EXPECT_EQ(Marked(*screen), std::set<unsigned>{2});
    TapKeys({win::VK_RETURN});
    EXPECT_EQ(TakeCalls(), std::vector<int>{5});
    TapPad(pad::BUTTON_A);
    EXPECT_EQ(TakeCalls(), std::vector<int>{5});

    // The keyboard takes the selection back from there.
    TapKeys({kLeft});
    EXPECT_EQ(Marked(*screen), std::set<unsigned>{1});
    TapKeys({win::VK_RETURN});
    EXPECT_EQ(TakeCalls(), std::vector<int>{3});
}

TEST_F(CGuiScreenStateTest, AMouseClickRunsTheButtonsCallbackOnce)
{
    WriteThreeButtons();
    TestScreen* screen = Open("three", ScreenControls::Confirmation(), 0);
    MoveMouse(0.5f, 0.5f);
    Click();
    EXPECT_EQ(TakeCalls(), std::vector<int>{3});
    EXPECT_EQ(screen->GetSelectedIndex(), 1u);
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_TRUE(TakeCalls().empty());
}

TEST_F(CGuiScreenStateTest, BackKeysPopTheScreenOnlyWhileItIsOnTop)
{
    WriteThreeButtons();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    Open("three", ScreenControls::Pause(), 0);
    const size_t states = game.GetStateCount();

    // Escape tapped while another state covers the screen is not the screen's.
    game.PushState(new guitest::CoverState());
    Frame();
    TapKeys({win::VK_ESCAPE});
    game.PopState();
    Frame();
    ASSERT_EQ(game.GetStateCount(), states);
    for (int i = 0; i < 3; ++i)
        Frame();
    EXPECT_EQ(game.GetStateCount(), states);

    TapKeys({win::VK_ESCAPE});
    EXPECT_EQ(game.GetStateCount(), states - 1);
}

} // namespace

TEST_F(CGuiScreenStateTest, EnteringScreensAgainOrOverOneAnotherKeepsTheOneDefaultLight)
{
    WriteThreeButtons();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    Open("three", ScreenControls::Pause(), 0);
    ASSERT_EQ(renderer.GetLightCount(), 1) << "the first screen brings the light";
    Open("three", ScreenControls::Confirmation(), 0);
    EXPECT_EQ(renderer.GetLightCount(), 1) << "a screen over a screen";
    for (int again = 0; again < 2; ++again) {
        game.PopState();
        Frame();
        Open("three", ScreenControls::Confirmation(), 0);
        EXPECT_EQ(renderer.GetLightCount(), 1) << "entered again, time " << again + 1;
    }
}
