// The highscore screens on their shipped screen files, in a running game: the name entry with the
// keyboard, the pad's stick and buttons, and the record it saves; the table's pages, turned by its
// buttons from the keyboard, the pad and the mouse; and the button actions that open and turn it.
#include "game/gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/gui/CSpriteText.h"
#include "game/gui/CUIDisplay2D.h"
#include "game/states/ButtonCallbacks.h"
#include "game/states/CHighScoreState.h"
#include "game/states/CHighscoreInputState.h"
#include "game/states/CMenuState.h"
#include "game/states/CTransitStates.h"
#include "game/world/GameStartup.h"
#include "game/world/TypeRegistration.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

using Game::CHighscoreInputState;
using Game::CHighScoreState;

win::Message KeyMessage(bool down, uint32_t vk)
{
    win::Message m;
    m.code = down ? win::WM_KEYDOWN : win::WM_KEYUP;
    m.vk = vk;
    return m;
}

class HighscoreScreensTest : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        guitest::GuiScreenFixture::SetUp();
        Game::RegisterControllerTypes();
        Game::RegisterCameras();
        Game::RegisterGuiCallbacks();
        // The table is read again from this test's files; each entry starts from "AAA".
        Game::CHighscoreRecord::GetInstance().Shutdown();
        CHighscoreInputState::ResetLetters();
        Manager().ChangeState(new guitest::CoverState());
        Frame();
    }
    void TearDown() override
    {
        guitest::GuiScreenFixture::TearDown();
        Game::CHighscoreRecord::GetInstance().Shutdown();
        CHighscoreInputState::ResetLetters();
    }

    static Vesk::CGameManager& Manager() { return Vesk::CGameManager::GetInstance(); }
    static Vesk::IGameState* Top() { return Manager().GetCurrentState(); }

    CHighscoreInputState* OpenEntry(uint32_t score, const std::string& level)
    {
        auto* entry = new CHighscoreInputState(score, level);
        Manager().PushState(entry);
        Frame();
        return entry;
    }

    CHighScoreState* OpenTable()
    {
        auto* table = new CHighScoreState("CHighScoreState");
        Manager().PushState(table);
        Frame();
        TakeHoverSounds();
        return table;
    }

    // Frames until the named state is on top; false after the limit.
    bool RunUntilTop(const std::string& name, int limit)
    {
        for (int frame = 0; frame < limit; ++frame) {
            if (Top() && Top()->GetName() == name)
                return true;
            Frame();
        }
        return false;
    }

    // A key held down for the frames (the first included), then let go.
    void HoldKey(uint32_t key, int frames)
    {
        Frame({KeyMessage(true, key)});
        for (int i = 1; i < frames; ++i)
            Frame();
        Frame({KeyMessage(false, key)});
    }

    // The left stick held at (x, y) for the frames, then let go.
    void HoldStick(int16_t x, int16_t y, int frames)
    {
        pad::Gamepad reading;
        reading.thumbLX = x;
        reading.thumbLY = y;
        m_Pads.SetGamepad(0, reading);
        for (int i = 0; i < frames; ++i)
            Frame();
        m_Pads.SetGamepad(0, pad::Gamepad{});
        Frame();
    }

    // The texts shown on the table: "name score" per record, best first.
    static std::vector<std::string> ShownRows(const CHighScoreState& table)
    {
        std::vector<std::string> rows;
        for (int page = 1; page <= CHighScoreState::kPageCount; ++page) {
            const auto names = table.GetNameTexts(page), scores = table.GetScoreTexts(page);
            for (size_t i = 0; i < names.size(); ++i)
                if (names[i]->GetCharacter(0)->IsVisible())
                    rows.push_back(names[i]->GetText() + " " + scores[i]->GetText());
        }
        return rows;
    }
};

TEST_F(HighscoreScreensTest, LettersTurnAndWrapAndTheSlotMovesByKeysAndStick)
{
    CHighscoreInputState* entry = OpenEntry(1500, "arena2");
    const uint32_t W = win::VkFromChar('W'), S = win::VkFromChar('S'), A = win::VkFromChar('A'),
                   D = win::VkFromChar('D');
    struct Step {
        const char* what;
        std::function<void()> input;
        const char* name;
        int slot;
    };
    const Step steps[] = {
        {"a tap of Up turns one letter", [&] { HoldKey(win::VK_UP, 2); }, "BAA", 0},
        {"W too", [&] { HoldKey(W, 2); }, "CAA", 0},
        {"a tap of S turns back one", [&] { HoldKey(S, 2); }, "BAA", 0},
        {"Down from A wraps to Z", [&] { HoldKey(win::VK_DOWN, 2), HoldKey(win::VK_DOWN, 2); }, "ZAA", 0},
        {"Up from Z wraps to A", [&] { HoldKey(win::VK_UP, 2); }, "AAA", 0},
        {"Left from the first letter goes to the last", [&] { HoldKey(win::VK_LEFT, 2); }, "AAA", 2},
        {"Right from the last goes to the first", [&] { HoldKey(win::VK_RIGHT, 2); }, "AAA", 0},
        {"D and A move too", [&] { HoldKey(D, 2), HoldKey(D, 2), HoldKey(A, 2); }, "AAA", 1},
        // Once at once, then every 0.125 s: eight steps in 60 frames of 1/60 s.
        {"Up held for a second repeats", [&] { HoldKey(win::VK_UP, 60); }, "AIA", 1},
        {"the stick up turns one letter at once", [&] { HoldStick(0, 20000, 1); }, "AJA", 1},
        {"the stick held down repeats like the keys", [&] { HoldStick(0, -30000, 30); }, "AFA", 1},
        {"a stick within the dead zone does nothing", [&] { HoldStick(7000, 7000, 30); }, "AFA", 1},
        {"the larger axis wins: up beats a smaller right", [&] { HoldStick(15000, 20000, 1); }, "AGA", 1},
        {"on a tie the vertical axis wins", [&] { HoldStick(-20000, -20000, 1); }, "AFA", 1},
        // A step at once, then one every 0.25 s: at the first and the 16th frame.
        {"the stick held right moves on four times a second", [&] { HoldStick(30000, 0, 30); }, "AFA", 0},
        {"the stick left moves back", [&] { HoldStick(-30000, 0, 1); }, "AFA", 2},
        {"Escape does nothing", [&] { HoldKey(win::VK_ESCAPE, 2); }, "AFA", 2},
    };
    for (const Step& step : steps) {
        step.input();
        EXPECT_EQ(step.name, CHighscoreInputState::GetEnteredName()) << step.what;
        EXPECT_EQ(step.slot, entry->GetSelectedSlot()) << step.what;
    }
    EXPECT_EQ(entry, Top()) << "the entry is only left by confirming";

    // The selected letter is lit with the cursors above and below it; the others are dim.
    Frame();
    const Game::CUIDisplay2D* selected = entry->GetLetterSprite(2);
    EXPECT_EQ("A", selected->GetAnimation());
    EXPECT_FLOAT_EQ(1.0f, selected->GetColor().a);
    EXPECT_FLOAT_EQ(0.5f, entry->GetLetterSprite(1)->GetColor().a);
    EXPECT_EQ("F", entry->GetLetterSprite(1)->GetAnimation());
    EXPECT_FLOAT_EQ(0.6f, entry->GetUpperCursor()->GetPosition().x);
    EXPECT_FLOAT_EQ(0.4f, entry->GetUpperCursor()->GetPosition().y);
    EXPECT_FLOAT_EQ(0.6f, entry->GetLowerCursor()->GetPosition().y);
    EXPECT_FLOAT_EQ(-0.5f, entry->GetLowerCursor()->GetScale().y) << "the lower cursor points down";
}

TEST_F(HighscoreScreensTest, TheSelectedLetterBlinksAndShowsAtOnceAfterATurn)
{
    CHighscoreInputState* entry = OpenEntry(1500, "arena2");
    // Three blinks a second: hidden for the first half of each, shown for the second.
    int hidden = 0;
    for (int frame = 0; frame < 60; ++frame) {
        Frame();
        hidden += !entry->GetLetterSprite(0)->IsVisible();
    }
    EXPECT_NEAR(30, hidden, 3);
    EXPECT_TRUE(entry->GetLetterSprite(1)->IsVisible() && entry->GetLetterSprite(2)->IsVisible());
    HoldKey(win::VK_UP, 1);
    EXPECT_TRUE(entry->GetLetterSprite(0)->IsVisible()) << "a turned letter is seen at once";
}

TEST_F(HighscoreScreensTest, ConfirmingSavesTheNameUnderTheLevelAndGoesToTheMenuThroughATransition)
{
    const struct {
        const char* what;
        bool key;
        uint16_t padButton;
    } confirms[] = {{"Enter", true, 0}, {"pad A", false, pad::BUTTON_A}, {"pad START", false, pad::BUTTON_START}};
    uint32_t score = 1000;
    for (const auto& confirm : confirms) {
        SCOPED_TRACE(confirm.what);
        CHighscoreInputState::ResetLetters();
        CHighscoreInputState* entry = OpenEntry(score, "testarena");
        EXPECT_EQ("", entry->GetName());
        // "ABC": the second letter up once, the third up twice.
        HoldKey(win::VK_RIGHT, 2);
        HoldKey(win::VK_UP, 2);
        HoldKey(win::VK_RIGHT, 2);
        HoldKey(win::VK_UP, 2);
        HoldKey(win::VK_UP, 2);
        ASSERT_EQ("ABC", CHighscoreInputState::GetEnteredName());
        if (confirm.key)
            TapKeys({win::VK_RETURN});
        else
            TapPad(confirm.padButton);

        const auto* transit = dynamic_cast<Game::CTransitInState*>(Top());
        ASSERT_NE(nullptr, transit);
        EXPECT_EQ("TransitInState", transit->GetName());
        EXPECT_EQ(2u, Manager().GetStateCount()) << "the entry was popped";
        const auto* menu = dynamic_cast<const Game::CMenuState*>(transit->GetNextState());
        ASSERT_NE(nullptr, menu);
        EXPECT_EQ("MenuState", menu->GetName());
        EXPECT_EQ(0, menu->GetLevel());
        // The transition puts the menu in place of the state below.
        ASSERT_TRUE(RunUntilTop("MenuState", 1200));
        Manager().ChangeState(new guitest::CoverState());
        Frame();
        score += 1000;
    }
    // Four places were "AAA" at 999; the three entries took the top three, best first.
    std::string expected;
    for (const auto& [name, points] : std::vector<std::pair<const char*, uint32_t>>{
             {"ABC", 3000}, {"ABC", 2000}, {"ABC", 1000}, {"AAA", 999}, {"AAA", 999}})
        expected += testsupport::HighscoreRecordBytes("testarena", name, points);
    EXPECT_EQ(expected, testsupport::ReadFile(m_Dir.File("assets/highscore.dat")));
    EXPECT_EQ("ABC", CHighscoreInputState::GetEnteredName()) << "the letters are kept for the next entry";
}

TEST_F(HighscoreScreensTest, TheMouseSelectsLettersTurnsThemWithTheCursorsAndConfirmsWithDone)
{
    CHighscoreInputState* entry = OpenEntry(2500, "emeraldroom");
    const auto clickOn = [&](const Game::CUIDisplay2D* sprite) {
        MoveMouse(sprite->GetPosition().x, sprite->GetPosition().y);
        Click();
    };
    clickOn(entry->GetLetterSprite(2));
    EXPECT_EQ(2, entry->GetSelectedSlot());
    clickOn(entry->GetUpperCursor());
    clickOn(entry->GetUpperCursor());
    EXPECT_EQ("AAC", CHighscoreInputState::GetEnteredName());
    clickOn(entry->GetLetterSprite(0));
    clickOn(entry->GetLowerCursor());
    EXPECT_EQ("ZAC", CHighscoreInputState::GetEnteredName());
    EXPECT_EQ(0, entry->GetSelectedSlot());

    const Game::CUIDisplay2D* done = entry->GetDoneButton();
    MoveMouse(done->GetPosition().x, done->GetPosition().y);
    EXPECT_EQ("mouseover", done->GetAnimation());
    Click();
    EXPECT_EQ("TransitInState", Top()->GetName());
    const std::string others = testsupport::HighscoreRecordBytes("emeraldroom", "AAA", 999);
    EXPECT_EQ(testsupport::HighscoreRecordBytes("emeraldroom", "ZAC", 2500) + others + others + others + others,
              testsupport::ReadFile(m_Dir.File("assets/highscore.dat")));
}

TEST_F(HighscoreScreensTest, TheTablePagesWrapBothWaysAndShowEachLevelsRecords)
{
    testsupport::WriteFile(m_Dir.File("assets/highscore.dat"),
                           testsupport::HighscoreRecordBytes("arena2", "ZED", 4000) +
                               testsupport::HighscoreRecordBytes("purpleroom", "BOB", 70) +
                               testsupport::HighscoreRecordBytes("arena2", "AMY", 250));
    CHighScoreState* table = OpenTable();
    ASSERT_EQ(3u, table->GetButtons().size());
    EXPECT_EQ(1u, table->GetSelectedIndex()) << "the next-page button is marked first";
    const auto expectPage = [&](int page, std::vector<std::string> rows) {
        EXPECT_EQ(page, table->GetPage());
        EXPECT_EQ(CHighScoreState::PageTitle(page), table->GetTitleText()->GetText());
        EXPECT_EQ(rows, ShownRows(*table)) << "page " << page;
    };
    expectPage(1, {"ZED 4000", "AMY 250"});
    const auto names = table->GetNameTexts(1), scores = table->GetScoreTexts(1);
    EXPECT_FLOAT_EQ(0.34f, names[1]->GetX());
    EXPECT_FLOAT_EQ(0.5f, names[1]->GetY());
    EXPECT_FLOAT_EQ(0.66f, scores[1]->GetX());
    EXPECT_EQ(Game::CSpriteText::AlignRight, scores[1]->GetAlignment());

    TapKeys({win::VK_RETURN});
    expectPage(2, {}); // a level without records: only its title
    TapPad(pad::BUTTON_A);
    expectPage(3, {"BOB 70"});
    TapPad(pad::BUTTON_START);
    expectPage(1, {"ZED 4000", "AMY 250"});
    TapKeys({win::VK_LEFT});
    EXPECT_EQ(0u, table->GetSelectedIndex());
    TapKeys({win::VK_RETURN});
    expectPage(3, {"BOB 70"});
    TapKeys({win::VK_RETURN});
    expectPage(2, {});

    // The mouse: a click on the next-page arrow, then on Back.
    const Game::CButton* next = table->GetButtons()[1];
    MoveMouse(next->GetPosition().x, next->GetPosition().y);
    Click();
    expectPage(3, {"BOB 70"});
    const Game::CButton* back = table->GetButtons()[2];
    MoveMouse(back->GetPosition().x, back->GetPosition().y);
    Click();
    EXPECT_EQ("CoverState", Top()->GetName());

    table = OpenTable();
    TapKeys({win::VK_ESCAPE});
    EXPECT_EQ("CoverState", Top()->GetName()) << "Escape goes back";
}

TEST_F(HighscoreScreensTest, ATableScreenWithoutButtonsStillShowsAndGoesBack)
{
    WriteScreen("highscore", {{"display", "ScreenPanel", 0.5f, 0.5f}});
    CHighScoreState* table = OpenTable();
    EXPECT_TRUE(table->GetButtons().empty());
    EXPECT_EQ(0u, table->GetSelectedIndex());
    TapKeys({win::VK_RIGHT});
    TapKeys({win::VK_RETURN});
    EXPECT_EQ(1, table->GetPage());
    EXPECT_EQ("PIXELED PITFIGHT", table->GetTitleText()->GetText());
    TapKeys({win::VK_ESCAPE});
    EXPECT_EQ("CoverState", Top()->GetName());
}

TEST_F(HighscoreScreensTest, ButtonActionsOpenTheTableAndTurnItsPagesAfterTheFrame)
{
    Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
    // Page turns with another screen on top do nothing.
    gui.GetCallback(25)();
    gui.GetCallback(26)();
    Frame();
    EXPECT_EQ("CoverState", Top()->GetName());

    gui.GetCallback(24)();
    EXPECT_EQ("CoverState", Top()->GetName()) << "the request waits for the end of the frame";
    Frame();
    auto* table = dynamic_cast<CHighScoreState*>(Top());
    ASSERT_NE(nullptr, table);
    EXPECT_EQ("CHighScoreState", table->GetName());
    gui.GetCallback(26)();
    EXPECT_EQ(2, table->GetPage());
    gui.GetCallback(25)();
    gui.GetCallback(25)();
    EXPECT_EQ(3, table->GetPage());
}

} // namespace
