// The screens around play on their shipped screen files, in a running game: the title page and
// the menu with its camera flights, the level selection, the how-to-play pages, the credits, the
// splash and controls screens and the transitions, each with the inputs a player uses.
#include "game/gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/cameras/CMenuCamera.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/states/ButtonCallbacks.h"
#include "game/states/CCreditsState.h"
#include "game/states/CCtrlState.h"
#include "game/states/CHowToPlayState.h"
#include "game/states/CLevelSelectionState.h"
#include "game/states/CMenuState.h"
#include "game/states/CPlayState.h"
#include "game/states/CSplashState.h"
#include "game/states/CTransitStates.h"
#include "game/states/MusicVolumeOption.h"
#include "game/world/GameStartup.h"
#include "game/world/TypeRegistration.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Game::CMenuState;

class MenuScreensTest : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        guitest::GuiScreenFixture::SetUp();
        Game::RegisterControllerTypes();
        Game::RegisterCameras();
        Game::RegisterGuiCallbacks();
    }

    static Vesk::CGameManager& Manager() { return Vesk::CGameManager::GetInstance(); }
    static Vesk::IGameState* Top() { return Manager().GetCurrentState(); }
    static std::string TopName() { return Top() ? Top()->GetName() : std::string(); }
    static Game::CMenuCamera* Camera()
    {
        return dynamic_cast<Game::CMenuCamera*>(Vesk::CCameraManager::GetInstance().GetCamera("menucamera"));
    }
    // The display element or button of the name is shown.
    static bool Visible(const char* name)
    {
        const Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
        const Vesk::CDisplayObject2D* element = gui.FindElement(0, name);
        if (!element)
            element = gui.FindButton(name);
        return element && element->IsVisible();
    }

    // Frames until the test holds; the number of frames, or -1 after the limit.
    int RunUntil(const std::function<bool()>& done, int limit)
    {
        for (int frame = 1; frame <= limit; ++frame) {
            Frame();
            if (done())
                return frame;
        }
        return -1;
    }

    // The menu on the stack, entered and updated once.
    CMenuState* OpenMenu(int startLevel = 0)
    {
        auto* menu = new CMenuState("MenuState", startLevel);
        Manager().ChangeState(menu);
        Frame();
        Frame();
        return menu;
    }

    // The menu page reached: a key on the title page, then the title flight to its end.
    CMenuState* OpenMenuPage()
    {
        CMenuState* menu = OpenMenu();
        TapKeys({win::VK_SPACE});
        EXPECT_GT(RunUntil([] { return !Camera()->IsMoving(); }, 1200), 0);
        return menu;
    }

    // A plain state at the bottom of the stack for screens pushed over it.
    void Cover()
    {
        Manager().ChangeState(new guitest::CoverState());
        Frame();
    }

    template <typename T>
    T* Push(T* state)
    {
        Manager().PushState(state);
        Frame();
        TakeHoverSounds();
        return state;
    }

    int Plays(const std::string& file) const
    {
        int count = 0;
        for (const auto& play : m_Sound->plays)
            count += play.path.find(file) != std::string::npos;
        return count;
    }
};

TEST_F(MenuScreensTest, TheTitlePageWaitsForAKeyAndTheMenuShowsAfterTheTitleFlight)
{
    CMenuState* menu = OpenMenu();
    EXPECT_TRUE(Visible("PressTitle"));
    EXPECT_FALSE(Visible("BtnLevelSelect"));
    EXPECT_FALSE(menu->IsMenuShown());
    EXPECT_TRUE(CMenuState::TitleSoundPlayed());

    TapKeys({win::VK_DOWN});
    EXPECT_TRUE(menu->IsMenuShown());
    EXPECT_EQ(0u, menu->GetSelectedIndex()) << "the key that leaves the title page does not navigate";
    EXPECT_FALSE(Visible("PressTitle"));
    ASSERT_TRUE(Camera()->IsMoving());
    EXPECT_EQ(1, Camera()->GetPathIndex());
    EXPECT_FALSE(Visible("BtnLevelSelect")) << "the buttons wait for the end of the flight";

    ASSERT_GT(RunUntil([] { return !Camera()->IsMoving(); }, 1200), 0);
    EXPECT_TRUE(Visible("BtnLevelSelect"));
    EXPECT_TRUE(Visible("BtnQuit"));
    EXPECT_FALSE(Visible("whiteout"));
    ASSERT_NE(nullptr, Game::CGuiManager::GetInstance().GetCursor());
    EXPECT_TRUE(Game::CGuiManager::GetInstance().GetCursor()->IsVisible());

    // The menu page: vertical navigation over its six buttons, wrapping round.
    TapKeys({win::VK_UP});
    EXPECT_EQ(5u, menu->GetSelectedIndex());
    TapKeys({win::VkFromChar('S')});
    EXPECT_EQ(0u, menu->GetSelectedIndex());
    TapPad(pad::BUTTON_DPAD_DOWN);
    EXPECT_EQ(1u, menu->GetSelectedIndex());
}

TEST_F(MenuScreensTest, TheTitleSoundPlaysOncePerRunAndTheMenuMusicFollows)
{
    OpenMenu();
    RunUntil([] { return false; }, 5);
    const int before = Plays("menubgm.wav");
    // The title sound comes to its end (in an earlier test of the run when it was played there).
    for (const auto& play : m_Sound->plays)
        if (play.path.find("thrummock.wav") != std::string::npos)
            m_Sound->Finish(play.channel);
    RunUntil([] { return false; }, 5);
    const int titles = Plays("thrummock.wav");
    const int music = Plays("menubgm.wav");
    if (titles == 1) {
        EXPECT_EQ(0, before) << "the music waits for the title sound";
    }
    EXPECT_EQ(1, music) << "the music starts once the title sound has ended";

    OpenMenu();
    RunUntil([] { return false; }, 5);
    EXPECT_EQ(titles, Plays("thrummock.wav")) << "a second visit plays no title sound";
    EXPECT_EQ(music + 1, Plays("menubgm.wav")) << "the music is asked for again at once on the new visit";
}

TEST_F(MenuScreensTest, AMenuWithAStartLevelFliesToThatLevelAndAStrayKeyDoesNotStopIt)
{
    CMenuState* menu = OpenMenu(2);
    Game::CMenuCamera* camera = Camera();
    ASSERT_TRUE(camera->IsMoving());
    EXPECT_EQ(0, camera->GetPathIndex());
    EXPECT_EQ(2, camera->GetLevel());
    EXPECT_FALSE(Visible("PressTitle"));
    TapKeys({win::VK_SPACE});
    EXPECT_FALSE(menu->IsMenuShown()) << "a key during the level flight does not start the title flight";
    EXPECT_EQ(0, camera->GetPathIndex());

    ASSERT_GT(RunUntil([] { return TopName() == "TransitInState"; }, 2000), 0);
    const auto* transit = dynamic_cast<Game::CTransitInState*>(Top());
    ASSERT_NE(nullptr, transit);
    const auto* play = dynamic_cast<const Game::CPlayState*>(transit->GetNextState());
    ASSERT_NE(nullptr, play);
    EXPECT_EQ(2, play->GetLevel());
    EXPECT_EQ("CPlayState", play->GetName());
}

TEST_F(MenuScreensTest, MenuButtonsOpenTheLevelSelectionWhoseButtonsStartALevel)
{
    const CMenuState* menu = OpenMenuPage();
    const Game::CButton* credits = menu->GetButtons().at(4);
    TapKeys({win::VK_RETURN});
    ASSERT_EQ("CLevelSelectionState", TopName()) << "the first menu button opens the level selection";
    auto* selection = dynamic_cast<Game::CLevelSelectionState*>(Top());
    ASSERT_NE(nullptr, selection);
    ASSERT_EQ(4u, selection->GetButtons().size());
    EXPECT_FALSE(credits->IsVisible()) << "the menu's buttons hide under the level selection";

    const struct {
        std::vector<uint32_t> keys;
        uint16_t pad;
        unsigned index;
    } steps[] = {
        {{win::VK_UP}, 0, 3},         {{win::VK_DOWN}, 0, 0}, {{win::VkFromChar('S')}, 0, 1},
        {{}, pad::BUTTON_DPAD_UP, 0}, {{win::VK_LEFT}, 0, 0}, {{win::VK_DOWN, win::VK_UP}, 0, 3},
    };
    for (const auto& step : steps) {
        if (step.pad)
            TapPad(step.pad);
        else
            TapKeys(step.keys);
        EXPECT_EQ(step.index, selection->GetSelectedIndex());
    }
    // Escape goes back; the menu's buttons show again.
    TapKeys({win::VK_ESCAPE});
    EXPECT_EQ("MenuState", TopName());
    EXPECT_TRUE(credits->IsVisible());

    // Pad START presses the marked level button there: level 2 through a new menu.
    TapKeys({win::VK_RETURN});
    ASSERT_EQ("CLevelSelectionState", TopName());
    TapKeys({win::VK_DOWN});
    TapPad(pad::BUTTON_START);
    EXPECT_EQ(1u, Manager().GetStateCount());
    const auto* levelMenu = dynamic_cast<CMenuState*>(Top());
    ASSERT_NE(nullptr, levelMenu);
    EXPECT_EQ(2, levelMenu->GetLevel());
}

TEST_F(MenuScreensTest, HowToPlayTurnsFivePagesBothWaysWithItsButtons)
{
    Cover();
    auto* howto = Push(new Game::CHowToPlayState("HowToPlayState"));
    EXPECT_EQ(1u, howto->GetSelectedIndex()) << "the next-page button is marked first";
    const auto expectPage = [&](int page) {
        EXPECT_EQ(page, howto->GetPage());
        const auto& names = Game::CHowToPlayState::PageElementNames();
        for (int p = 1; p <= 5; ++p)
            for (const char* name : names[p - 1]) {
                const bool shared = page >= 4 && std::string(name) == "INSTR_Title";
                EXPECT_EQ(p == page || shared, Visible(name)) << name << " on page " << page;
            }
    };
    expectPage(1);
    for (int page : {2, 3, 4, 5, 1}) {
        TapKeys({win::VK_RETURN});
        expectPage(page);
    }
    TapKeys({win::VK_LEFT});
    EXPECT_EQ(0u, howto->GetSelectedIndex());
    TapKeys({win::VK_RETURN});
    expectPage(5);
    TapPad(pad::BUTTON_A);
    expectPage(4);
    TapKeys({win::VK_ESCAPE});
    EXPECT_EQ("CoverState", TopName());
}

TEST_F(MenuScreensTest, CreditsScrollToTheEndInSixteenSecondsThenFadeAndGoBack)
{
    Cover();
    auto* credits = Push(new Game::CCreditsState("CCreditsState"));
    const int frames = RunUntil([] { return TopName() != "CCreditsState"; }, 1200);
    // 8 screens at half a screen a second, then a second of fading in the cover.
    EXPECT_NEAR(17.0 * 60.0, frames, 6.0);

    credits = Push(new Game::CCreditsState("CCreditsState"));
    RunUntil([] { return false; }, 60);
    EXPECT_GT(credits->GetCreditsText()->GetPosition().y, 4.0f);
    EXPECT_LT(credits->GetCover()->GetColor().a, 0.05f) << "the cover has faded away";
    TapKeys({win::VK_ESCAPE});
    EXPECT_TRUE(credits->IsFadingOut());
    EXPECT_NEAR(60, RunUntil([] { return TopName() != "CCreditsState"; }, 200), 3) << "Escape skips to the fade";
}

TEST_F(MenuScreensTest, ATransitionChangesTheStateBelowBehindItsCurtain)
{
    Cover();
    Push(new Game::CTransitInState(new CMenuState("MenuState", 0), "TransitInState"));
    EXPECT_EQ(2u, Manager().GetStateCount());
    ASSERT_GT(RunUntil([] { return TopName() == "TransitOutState"; }, 600), 0);
    EXPECT_EQ(2u, Manager().GetStateCount()) << "the menu took the place of the state below";
    ASSERT_GT(RunUntil([] { return TopName() == "MenuState"; }, 600), 0);
    EXPECT_EQ(1u, Manager().GetStateCount());
}

TEST_F(MenuScreensTest, SplashAndControlsGoToTheMenuOnAReleaseOrAfterTheLogo)
{
    for (bool splash : {true, false}) {
        Vesk::IGameState* screen = splash ? static_cast<Vesk::IGameState*>(new Game::CSplashState("SplashState"))
                                          : new Game::CCtrlState("CtrlState");
        Manager().ChangeState(screen);
        Frame();
        Frame({[] {
            win::Message m;
            m.code = win::WM_KEYDOWN;
            m.vk = win::VK_SPACE;
            return m;
        }()});
        EXPECT_EQ(screen, Top()) << "a key held down does nothing";
        Frame({[] {
            win::Message m;
            m.code = win::WM_KEYUP;
            m.vk = win::VK_SPACE;
            return m;
        }()});
        Frame();
        EXPECT_EQ("MenuState", TopName()) << (splash ? "splash" : "controls");
    }
    Manager().ChangeState(new Game::CSplashState("SplashState"));
    const int frames = RunUntil([] { return TopName() == "MenuState"; }, 300);
    EXPECT_NEAR(121, frames, 2) << "the logo moves on by itself after two seconds";
}

TEST(MusicVolumeOptionTest, TheStoredVolumeIsANumberClampedToOneOrTheVolumeStays)
{
    const struct {
        const char* text;
        float expected;
    } cases[] = {{"0.4", 0.4f}, {"1", 1.0f},    {"2.5", 1.0f}, {"-1", 0.0f},
                 {"", 0.7f},    {"loud", 0.7f}, {"nan", 0.7f}, {"0.25xyz", 0.25f}};
    for (const auto& c : cases)
        EXPECT_FLOAT_EQ(c.expected, Game::ParseMusicVolume(c.text, 0.7f)) << c.text;
}

} // namespace
