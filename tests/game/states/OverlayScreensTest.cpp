// The options, pause and question screens on their shipped screen files in a running game, and
// the table of button actions: what each action leaves on the state stack after its frame, the
// volume steps and their labels, muting over the pause, what the pause does to the volume and
// what is saved, each screen's keys, pad and mouse, and what "Yes" does for each question.
#include "OverlayScreensFixture.h"

#include "audio/CAudioSystem.h"
#include "game/gui/CButton.h"
#include "game/states/CConfirmationState.h"
#include "game/states/CHowToPlayState.h"
#include "game/states/CMenuState.h"
#include "game/states/COptionsState.h"
#include "game/states/CPauseState.h"
#include "game/states/CPlayState.h"
#include "game/states/CTransitStates.h"
#include "game/world/CGameMaster.h"
#include "platform/pad/Pad.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"
#include "window/CWindowSystem.h"

#include <functional>

namespace {

using Game::CConfirmationState;
using Game::COptionsState;
using Game::CPauseState;
using overlaytest::OverlayScreensFixture;

class OverlayScreensTest : public OverlayScreensFixture {
protected:
    static Vesk::CAudioSystem& Audio() { return Vesk::CAudioSystem::GetInstance(); }
    static const Vesk::CDisplayObject2D* Element(const char* name)
    {
        return Game::CGuiManager::GetInstance().FindElement(0, name);
    }
    static std::string BarLabel()
    {
        const Vesk::CDisplayObject2D* bar = Element("OptionsVolume");
        return bar ? bar->GetAnimation() : "<no bar>";
    }
    static bool QuitPosted()
    {
        win::Message message;
        while (win::PeekMessage(message))
            if (message.code == win::WM_QUIT)
                return true;
        return false;
    }
    // The options screen as the menu's or the pause's button opens it.
    COptionsState* OpenOptions(bool fromMenu) { return Push(new COptionsState("OptionState", fromMenu)); }
};

TEST_F(OverlayScreensTest, EachActionLeavesTheStackAsItSaysAfterItsFrame)
{
    using Check = std::function<void()>;
    const Check none = [] {};
    const auto menuOfLevel = [](int level) {
        return [level] {
            const auto* menu = dynamic_cast<const Game::CMenuState*>(Top());
            ASSERT_NE(nullptr, menu);
            EXPECT_EQ(level, menu->GetLevel());
        };
    };
    const auto questionOfKind = [](int kind) {
        return [kind] {
            const auto* question = dynamic_cast<const CConfirmationState*>(Top());
            ASSERT_NE(nullptr, question);
            EXPECT_EQ(kind, question->GetKind());
        };
    };
    const auto screenOf = [this](int width, int height) {
        return [this, width, height] {
            EXPECT_EQ(width, Vesk::CRenderer::GetInstance().GetScreenWidth());
            EXPECT_EQ(height, Vesk::CRenderer::GetInstance().GetScreenHeight());
            EXPECT_EQ(2, (*m_Visits)["Top"].enters) << "the screen on top is built again";
            EXPECT_EQ(1, (*m_Visits)["Top"].exits);
        };
    };
    const struct {
        int id;
        std::vector<std::string> before; // stand-ins, bottom first
        std::vector<std::string> after;  // the stack after the frame, top first
        Check check;                     // before the stack is taken down
    } cases[] = {
        {0, {"Below", "Top"}, {"MenuState"}, menuOfLevel(1)},
        {1, {"Below"}, {"ConfirmationState", "Below"}, questionOfKind(CConfirmationState::KindQuit)},
        {3, {"Below", "Top"}, {"Below"}, none},
        {4, {"Below"}, {"ConfirmationState", "Below"}, questionOfKind(CConfirmationState::KindRestart)},
        {5, {"Below"}, {"ConfirmationState", "Below"}, questionOfKind(CConfirmationState::KindToMenu)},
        {6, {"Below", "Top"}, {"Below"}, none},
        {7, {"Below", "Top"}, {"MenuState", "Below"}, menuOfLevel(0)},
        {8, {"Below"}, {"CCreditsState", "Below"}, none},
        {11,
         {"Below"},
         {"OptionState", "Below"},
         [] {
             const auto* options = dynamic_cast<const COptionsState*>(Top());
             ASSERT_NE(nullptr, options);
             EXPECT_FALSE(options->IsOpenedFromMenu());
         }},
        {12, {"Below"}, {"HowToPlayState", "Below"}, none},
        {13, {"Below", "Top"}, {"SplashState", "Below"}, none},
        {14, {"Below", "Top"}, {"Top", "Below"}, screenOf(800, 600)},
        {15, {"Below", "Top"}, {"Top", "Below"}, screenOf(1024, 768)},
        {16, {"Below", "Top"}, {"Top", "Below"}, screenOf(1920, 1080)},
        {17,
         {"Below", "Top"},
         {"Below"},
         [this] {
             EXPECT_EQ(2, (*m_Visits)["Below"].enters) << "the state below is left and entered again";
             EXPECT_EQ(1, (*m_Visits)["Below"].exits);
         }},
        {18,
         {"Below", "Top"},
         {"TransitOutState", "CPlayState"},
         [] {
             ASSERT_EQ(2u, Manager().GetStateCount());
             EXPECT_EQ("arena2", Game::CLevelManager::GetInstance().GetLevelName()) << "level 1 is loaded";
         }},
        {19,
         {"Below"},
         {"Below"},
         [] { EXPECT_EQ(Game::PHASE_GAME_OVER, Game::CGameMaster::GetInstance().GetPhase()); }},
        // Taking the transition down carries out its change of the state below.
        {20,
         {"Below"},
         {"TransitInState", "TransitOutState", "MenuState"},
         [] {
             const auto* transit = dynamic_cast<const Game::CTransitInState*>(Top());
             ASSERT_NE(nullptr, transit);
             const auto* next = dynamic_cast<const Game::CMenuState*>(transit->GetNextState());
             ASSERT_NE(nullptr, next);
             EXPECT_EQ(0, next->GetLevel());
         }},
        {27, {"Below"}, {"CLevelSelectionState", "Below"}, none},
        {28, {"Below", "Top"}, {"MenuState"}, menuOfLevel(2)},
        {29, {"Below", "Top"}, {"MenuState"}, menuOfLevel(3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("callback " + std::to_string(c.id));
        m_Visits->clear();
        StandIns(c.before);
        RunAction(c.id);
        c.check();
        EXPECT_EQ(c.after, TakeStack());
    }
}

TEST_F(OverlayScreensTest, ActionsOnTheStateOnTopActOnlyOnTheirOwnScreens)
{
    // Confirm, mute and the page turns do nothing over a state of another class.
    StandIns({"Below"});
    for (int id : {2, 23, 30, 31})
        RunAction(id);
    EXPECT_EQ(std::vector<std::string>{"Below"}, TakeStack());
    EXPECT_FALSE(Game::IsSoundMuted());

    StandIns({"Below"});
    auto* question = Push(new CConfirmationState(CConfirmationState::KindQuit, "ConfirmationState"));
    Game::CGuiManager::GetInstance().GetCallback(2)();
    EXPECT_TRUE(question->IsConfirmed()) << "the action only sets the flag; the screen acts in its update";
    EXPECT_FALSE(QuitPosted());

    auto* howto = Push(new Game::CHowToPlayState("HowToPlayState"));
    RunAction(30);
    EXPECT_EQ(5, howto->GetPage());
    RunAction(31);
    RunAction(31);
    EXPECT_EQ(2, howto->GetPage());
}

TEST_F(OverlayScreensTest, ActionZeroFromAQuestionOverAStatePopsItThenReplacesTheStateBelow)
{
    StandIns({"Below"});
    Push(new CConfirmationState(CConfirmationState::KindToMenu, "ConfirmationState"));
    RunAction(0);
    EXPECT_EQ(1, (*m_Visits)["Below"].exits) << "the state below the question is replaced";
    const auto* menu = dynamic_cast<const Game::CMenuState*>(Top());
    ASSERT_NE(nullptr, menu);
    EXPECT_EQ(1, menu->GetLevel());
    EXPECT_EQ(1u, Manager().GetStateCount());
}

TEST_F(OverlayScreensTest, FullScreenAndTheSoundToggleAreSavedAsTheyChange)
{
    Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    ASSERT_TRUE(window.IsWindowed());
    StandIns({"Menu"});
    RunAction(10);
    EXPECT_FALSE(window.IsWindowed());
    EXPECT_EQ("1", Saved("fullscreen"));
    RunAction(10);
    EXPECT_TRUE(window.IsWindowed());
    EXPECT_EQ("0", Saved("fullscreen"));

    Audio().SetMasterVolume(0.3f);
    RunAction(9);
    EXPECT_EQ("1", Saved("mute"));
    EXPECT_EQ("0.3", Saved("bgm_vol")) << "the volume that unmuting gives back";
    RunAction(9);
    EXPECT_EQ("0", Saved("mute"));
}

TEST_F(OverlayScreensTest, VolumeStepsByATenthWithinZeroAndOneAndLabelTheBar)
{
    const struct {
        bool overPause;
        float volume; // the player's, before the step
        int id;
        float master; // after the step
        const char* label;
        const char* saved; // "bgm_vol": the player's volume
    } cases[] = {
        {false, 0.95f, 22, 1.0f, "vol10", "1"}, {false, 0.05f, 21, 0.0f, "vol0", "0"},
        {false, 0.5f, 22, 0.6f, "vol6", "0.6"}, {false, 0.5f, 21, 0.4f, "vol4", "0.4"},
        {true, 0.4f, 22, 0.25f, "vol5", "0.5"}, {true, 0.4f, 21, 0.15f, "vol3", "0.3"},
        {true, 0.95f, 22, 0.5f, "vol10", "1"},  {true, 0.05f, 21, 0.0f, "vol0", "0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.volume) + (c.overPause ? " over the pause" : " from the menu") + " callback " +
                     std::to_string(c.id));
        Audio().SetMasterVolume(c.volume);
        StandIns({"Play"});
        if (c.overPause)
            Push(new CPauseState("CPauseState"));
        OpenOptions(!c.overPause);
        RunAction(c.id);
        EXPECT_FLOAT_EQ(c.master, Audio().GetMasterVolume());
        EXPECT_EQ(c.label, BarLabel());
        EXPECT_EQ(c.saved, Saved("bgm_vol"));
        TakeStack();
    }
}

TEST_F(OverlayScreensTest, TheBarShowsTheVolumeThePlayerChoseFromTheMenuAndOverThePause)
{
    Audio().SetMasterVolume(0.4f);
    StandIns({"Menu"});
    OpenOptions(true);
    EXPECT_EQ("vol4", BarLabel());
    TakeStack();

    StandIns({"Play"});
    Push(new CPauseState("CPauseState"));
    EXPECT_FLOAT_EQ(0.2f, Audio().GetMasterVolume());
    OpenOptions(false);
    EXPECT_EQ("vol4", BarLabel());
}

TEST_F(OverlayScreensTest, ThePauseHalvesWhatIsHeardAndGivesItBackAndAMutedSoundStaysMuted)
{
    Audio().SetMasterVolume(0.6f);
    StandIns({"Play"});
    Push(new CPauseState("CPauseState"));
    EXPECT_FLOAT_EQ(0.3f, Audio().GetMasterVolume());
    TapKeys({win::VK_ESCAPE});
    EXPECT_EQ("Play", TopName());
    EXPECT_FLOAT_EQ(0.6f, Audio().GetMasterVolume());

    // Muted on the options over the pause: the pause's end leaves it muted, and unmuting from
    // the menu gives back the whole volume, not the halved one.
    Push(new CPauseState("CPauseState"));
    auto* options = OpenOptions(false);
    RunAction(23);
    EXPECT_TRUE(options->IsMuted());
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume());
    EXPECT_EQ("1", Saved("mute"));
    EXPECT_EQ("0.6", Saved("bgm_vol"));
    TapKeys({win::VK_ESCAPE});
    TapKeys({win::VK_ESCAPE});
    ASSERT_EQ("Play", TopName());
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume());
    TakeStack();

    StandIns({"Menu"});
    options = OpenOptions(true);
    EXPECT_TRUE(options->IsMuted()) << "the options screen shows the mute it finds";
    EXPECT_EQ("vol6", BarLabel());
    RunAction(23);
    EXPECT_FLOAT_EQ(0.6f, Audio().GetMasterVolume());
    EXPECT_EQ("0", Saved("mute"));

    // The sound toggle of the table restores what it silenced.
    Audio().SetMasterVolume(0.7f);
    RunAction(9);
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume());
    RunAction(9);
    EXPECT_FLOAT_EQ(0.7f, Audio().GetMasterVolume());
}

TEST_F(OverlayScreensTest, MutingHidesTheArrowsAndDimsTheBarAndNavigationSkipsHiddenButtons)
{
    Audio().SetMasterVolume(0.6f);
    StandIns({"Menu"});
    auto* options = OpenOptions(true);
    const auto& buttons = options->GetButtons();
    ASSERT_EQ(8u, buttons.size());
    EXPECT_EQ(0u, options->GetSelectedIndex());
    EXPECT_EQ("idle", buttons[0]->GetButtonState()) << "no button is marked on entry";

    // A click on the right arrow turns the volume up and selects the arrow; Right then reaches
    // the mute button, and Enter mutes.
    MoveMouse(0.765f, 0.37f);
    Click();
    EXPECT_FLOAT_EQ(0.7f, Audio().GetMasterVolume());
    EXPECT_EQ("vol7", BarLabel());
    EXPECT_EQ(1u, options->GetSelectedIndex());
    MoveMouse(0.99f, 0.99f);
    TapKeys({win::VK_RIGHT});
    ASSERT_EQ(2u, options->GetSelectedIndex());
    TapKeys({win::VK_RETURN});
    ASSERT_TRUE(options->IsMuted());
    EXPECT_FALSE(buttons[0]->IsVisible());
    EXPECT_FALSE(buttons[1]->IsVisible());
    EXPECT_FLOAT_EQ(0.4f, Element("OptionsVolume")->GetColor().a);
    EXPECT_EQ("vol7", BarLabel());

    const struct {
        uint32_t key;
        unsigned index;
    } steps[] = {{win::VK_LEFT, 7}, {win::VK_RIGHT, 2}, {win::VK_RIGHT, 3}, {win::VK_LEFT, 2}, {win::VK_LEFT, 7}};
    for (const auto& step : steps) {
        TapKeys({step.key});
        EXPECT_EQ(step.index, options->GetSelectedIndex());
    }
    // With nothing visible the keys find nothing and the screen goes on.
    for (Game::CButton* button : buttons)
        button->SetVisible(false);
    TapKeys({win::VK_RIGHT});
    TapKeys({win::VK_LEFT});
    EXPECT_EQ(7u, options->GetSelectedIndex());
    for (Game::CButton* button : buttons)
        button->SetVisible(true);

    // Unmuting shows the arrows and the bar again.
    RunAction(23);
    EXPECT_TRUE(buttons[0]->IsVisible());
    EXPECT_FLOAT_EQ(1.0f, Element("OptionsVolume")->GetColor().a);
    EXPECT_FLOAT_EQ(0.7f, Audio().GetMasterVolume());
}

TEST_F(OverlayScreensTest, EachScreenIsWalkedWithKeysAndPad)
{
    using Tap = std::function<void()>;
    const Tap left = [this] { TapKeys({win::VK_LEFT}); };
    const Tap right = [this] { TapKeys({win::VK_RIGHT}); };
    const Tap a = [this] { TapKeys({win::VkFromChar('A')}); };
    const Tap d = [this] { TapKeys({win::VkFromChar('D')}); };
    const Tap both = [this] { TapKeys({win::VK_LEFT, win::VK_RIGHT}); };
    const Tap up = [this] { TapKeys({win::VK_UP}); };
    const Tap padLeft = [this] { TapPad(pad::BUTTON_DPAD_LEFT); };
    const Tap padRight = [this] { TapPad(pad::BUTTON_DPAD_RIGHT); };
    const Tap stickLeft = [this] { TapPad(0, -20000, 0); };
    const Tap stickRight = [this] { TapPad(0, 20000, 0); };
    const struct {
        const char* screen;
        std::function<Game::CGuiScreenState*()> open;
        unsigned first;
        std::vector<std::pair<Tap, unsigned>> steps;
    } screens[] = {
        {"pause",
         [this] { return Push(new CPauseState("CPauseState")); },
         0,
         {{right, 1},
          {d, 2},
          {padRight, 3},
          {stickRight, 4},
          {right, 0},
          {left, 4},
          {a, 3},
          {padLeft, 2},
          {stickLeft, 1},
          {both, 0},
          {up, 0}}},
        {"confirmation",
         [this] { return Push(new CConfirmationState(CConfirmationState::KindQuit, "ConfirmationState")); },
         1,
         {{left, 0}, {left, 1}, {d, 0}, {padRight, 1}, {stickLeft, 0}, {both, 1}}},
        {"options",
         [this] { return OpenOptions(true); },
         0,
         {{right, 1},
          {stickRight, 2},
          {padRight, 3},
          {d, 4},
          {left, 3},
          {a, 2},
          {padLeft, 1},
          {stickLeft, 0},
          {left, 7},
          {right, 0},
          {both, 7}}},
    };
    for (const auto& s : screens) {
        SCOPED_TRACE(s.screen);
        StandIns({"Below"});
        Game::CGuiScreenState* screen = s.open();
        EXPECT_EQ(s.first, screen->GetSelectedIndex());
        for (const auto& [tap, index] : s.steps) {
            tap();
            EXPECT_EQ(index, screen->GetSelectedIndex());
            EXPECT_EQ("mouseover", screen->GetButtons()[index]->GetButtonState());
        }
        EXPECT_GT(TakeHoverSounds(), 0);
        TakeStack();
    }
}

TEST_F(OverlayScreensTest, ThePauseResumesOnEscapeStartOrItsButtonAndOpensTheOptionsAndTheQuestions)
{
    StandIns({"Play"});
    const std::pair<const char*, std::function<void()>> resumes[] = {
        {"Escape", [this] { TapKeys({win::VK_ESCAPE}); }},
        {"pad START", [this] { TapPad(pad::BUTTON_START); }},
        {"Enter on Resume", [this] { TapKeys({win::VK_RETURN}); }},
        {"pad A on Resume", [this] { TapPad(pad::BUTTON_A); }},
        {"pad B on Resume", [this] { TapPad(pad::BUTTON_B); }},
    };
    for (const auto& [input, resume] : resumes) {
        Push(new CPauseState("CPauseState"));
        resume();
        EXPECT_EQ("Play", TopName()) << input;
    }

    // Options, the second button: opened over the pause, whose picture hides under it.
    auto* pause = Push(new CPauseState("CPauseState"));
    ASSERT_EQ(5u, pause->GetButtons().size());
    const Game::CButton* resume = pause->GetButtons()[0];
    TapKeys({win::VK_RIGHT});
    TapKeys({win::VK_RETURN});
    ASSERT_EQ("OptionState", TopName());
    EXPECT_FALSE(dynamic_cast<COptionsState&>(*Top()).IsOpenedFromMenu());
    EXPECT_FALSE(resume->IsVisible());
    TapPad(pad::BUTTON_START);
    ASSERT_EQ("CPauseState", TopName());
    EXPECT_TRUE(resume->IsVisible());
    EXPECT_EQ(1u, pause->GetSelectedIndex());

    // The mouse on Restart, Main Menu and Quit: each asks its question, whose No goes back.
    const struct {
        float x, y;
        unsigned index;
        int kind;
    } buttons[] = {{0.27f, 0.62f, 2, CConfirmationState::KindRestart},
                   {0.5f, 0.62f, 3, CConfirmationState::KindToMenu},
                   {0.73f, 0.62f, 4, CConfirmationState::KindQuit}};
    for (const auto& b : buttons) {
        MoveMouse(b.x, b.y);
        Frame();
        EXPECT_EQ(b.index, pause->GetSelectedIndex());
        Click();
        const auto* question = dynamic_cast<const CConfirmationState*>(Top());
        ASSERT_NE(nullptr, question) << b.index;
        EXPECT_EQ(b.kind, question->GetKind());
        EXPECT_EQ(1u, question->GetSelectedIndex()) << "the question starts on No";
        for (int kind : {1, 2, 4})
            EXPECT_EQ(kind == b.kind, Element(CConfirmationState::QuestionElement(kind))->IsVisible()) << kind;
        TapKeys({win::VK_RETURN});
        EXPECT_EQ("CPauseState", TopName());
    }
}

TEST_F(OverlayScreensTest, YesQuitsAfterSavingOrLeavesForTheMenuOrRestartsTheStateBelow)
{
    // "Yes" pressed; the question acts in the update after its button's action.
    const auto yesByKeys = [this] {
        TapKeys({win::VK_LEFT});
        TapKeys({win::VK_RETURN});
        Frame();
    };
    const auto yesByMouse = [this] {
        MoveMouse(0.39f, 0.57f);
        Click();
    };
    const auto yesByPad = [this] {
        TapPad(pad::BUTTON_DPAD_LEFT);
        TapPad(pad::BUTTON_A);
        Frame();
    };
    // Quitting from the pause saves the player's volume, not the halved one.
    {
        Audio().SetMasterVolume(0.6f);
        StandIns({"Play"});
        Push(new CPauseState("CPauseState"));
        Push(new CConfirmationState(CConfirmationState::KindQuit, "ConfirmationState"));
        QuitPosted();
        yesByKeys();
        EXPECT_TRUE(QuitPosted());
        EXPECT_EQ("0.6", Saved("bgm_vol"));
        EXPECT_EQ("0", Saved("mute"));
        EXPECT_EQ("CtrlState", Saved("initialstate")) << "the other options stay";
        EXPECT_EQ("0", Saved("use_gamepad"));
        TakeStack();
    }
    // Back to the menu: the question and the pause go, then a transition to a new menu.
    {
        StandIns({"Play"});
        Push(new CPauseState("CPauseState"));
        Push(new CConfirmationState(CConfirmationState::KindToMenu, "ConfirmationState"));
        yesByMouse();
        const auto* transit = dynamic_cast<const Game::CTransitInState*>(Top());
        ASSERT_NE(nullptr, transit);
        EXPECT_NE(nullptr, dynamic_cast<const Game::CMenuState*>(transit->GetNextState()));
        EXPECT_FLOAT_EQ(0.6f, Audio().GetMasterVolume()) << "the pause gave the volume back";
        EXPECT_EQ(2u, Manager().GetStateCount());
        TakeStack();
    }
    // Restart: the question and the pause go and the state below them is left and entered again.
    {
        m_Visits->clear();
        StandIns({"Play"});
        Push(new CPauseState("CPauseState"));
        Push(new CConfirmationState(CConfirmationState::KindRestart, "ConfirmationState"));
        yesByPad();
        EXPECT_EQ(2, (*m_Visits)["Play"].enters);
        EXPECT_EQ(1, (*m_Visits)["Play"].exits);
        EXPECT_EQ(std::vector<std::string>{"Play"}, TakeStack());
    }
    // A kind that is none of these does nothing on "Yes".
    StandIns({"Below"});
    Push(new CConfirmationState(3, "ConfirmationState"));
    yesByKeys();
    EXPECT_EQ((std::vector<std::string>{"ConfirmationState", "Below"}), TakeStack());
}

} // namespace
