#include "GuiTestSupport.h"

#include "audio/CAudioSystem.h"
#include "platform/sound/RecordingOutput.h"

#include "game/controllers/CControllerManager.h"
#include "game/gui/CButton.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CLinearTweenController.h"
#include "game/gui/CUIDisplay2D.h"

#include <memory>

namespace {

using guitest::kTopState;

int g_Clicks = 0;
void CountClick() { ++g_Clicks; }

class CButtonTest : public guitest::GuiTest {
protected:
    void SetUp() override
    {
        guitest::GuiTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        g_Clicks = 0;
        m_Button = std::make_unique<Game::CButton>("btn");
        m_Button->SetPosition(0.5f, 0.5f);
        m_Button->SetScale(10.0f, 10.0f);
        m_Button->SetOwnerState(kTopState);
        m_Button->SetCallback(&CountClick);
        m_Button->Update(0.0f);
        ASSERT_GT(m_Button->GetScreenRect().right, 0.55f);
    }
    void TearDown() override
    {
        m_Button.reset();
        guitest::GuiTest::TearDown();
    }
    void Update() { m_Button->Update(1.0f / 60.0f); }

    std::unique_ptr<Game::CButton> m_Button;
};

TEST_F(CButtonTest, ClickWithAStillMouseHighlightsShowsTheClickAndCallsBackOnce)
{
    MoveMouse(0.5f, 0.5f);
    Update();
    EXPECT_EQ("mouseover", m_Button->GetButtonState());
    EXPECT_EQ("mouseover", m_Button->GetAnimation());

    LeftButton(true);
    LeftButton(false);
    Update();
    EXPECT_EQ("mouseclick", m_Button->GetAnimation());
    EXPECT_EQ(0, g_Clicks);
    // No mouse movement: the release still rolls and the click runs in the next update.
    Update();
    EXPECT_EQ(1, g_Clicks);
    EXPECT_EQ("idle", m_Button->GetButtonState());
    EXPECT_EQ("idle", m_Button->GetAnimation());
    for (int i = 0; i < 5; ++i)
        Update();
    EXPECT_EQ(1, g_Clicks);
}

TEST_F(CButtonTest, ReleaseWhileIdleOrOutsideDoesNothingAndLeavingUnhighlights)
{
    MoveMouse(0.1f, 0.1f);
    LeftButton(true);
    LeftButton(false);
    Update();
    Update();
    EXPECT_EQ("idle", m_Button->GetButtonState());
    EXPECT_EQ("idle", m_Button->GetAnimation());

    MoveMouse(0.5f, 0.5f);
    Update();
    EXPECT_EQ("mouseover", m_Button->GetButtonState());
    MoveMouse(0.1f, 0.1f);
    Update();
    EXPECT_EQ("idle", m_Button->GetButtonState());
    EXPECT_EQ("idle", m_Button->GetAnimation());
    EXPECT_EQ(0, g_Clicks);
}

TEST_F(CButtonTest, ButtonOfAStateNotOnTopNeitherHighlightsNorClicksAndDropsItsRelease)
{
    MoveMouse(0.5f, 0.5f);
    Update();
    ASSERT_EQ("mouseover", m_Button->GetButtonState());
    // A dialog on top: the release arrives while the button is not its state's.
    m_Button->SetOwnerState("UnderneathState");
    LeftButton(true);
    LeftButton(false);
    Update();
    Update();
    EXPECT_EQ(0, g_Clicks);
    EXPECT_EQ(0, m_Button->GetListener().m_ReleaseBits);
    EXPECT_EQ(0, m_Button->GetListener().m_PreviousReleaseBits);
    m_Button->SetOwnerState(kTopState);
    Update();
    Update();
    EXPECT_EQ(0, g_Clicks) << "the pending release was dropped";

    m_Button->SetButtonState("idle");
    m_Button->SetOwnerState("UnderneathState");
    MoveMouse(0.52f, 0.5f);
    Update();
    EXPECT_EQ("idle", m_Button->GetButtonState());
}

TEST_F(CButtonTest, EnteringPlaysTheHoverSoundOnceAtFullVolumeAndPutsTheMasterVolumeBack)
{
    auto recording = std::make_shared<sound::Recording>();
    Vesk::CAudioSystem& audio = Vesk::CAudioSystem::GetInstance();
    ASSERT_TRUE(audio.Init(sound::CreateRecordingOutput(recording)));
    testsupport::WriteFile(File("mouse_over.wav"), "RIFF");
    audio.LoadSound("MouseOver", File("mouse_over.wav"), 0);
    audio.SetMasterVolume(0.3f);

    MoveMouse(0.5f, 0.5f);
    Update();
    MoveMouse(0.52f, 0.5f);
    Update();
    ASSERT_EQ(1u, recording->plays.size());
    EXPECT_FLOAT_EQ(0.5f, recording->channelVolumes[recording->plays[0].channel]);
    EXPECT_FLOAT_EQ(0.3f, audio.GetMasterVolume());
    audio.Shutdown();
}

TEST_F(CButtonTest, CursorShowsActiveInTheFrameAfterTheMouseIsOnAButton)
{
    Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
    MoveMouse(0.5f, 0.5f);
    Update();
    gui.UpdateCursor();
    ASSERT_NE(nullptr, gui.GetCursor());
    EXPECT_EQ("active", gui.GetCursor()->GetAnimation());
    EXPECT_NEAR(0.5f, gui.GetCursor()->GetPosition().x, 0.01f);
    gui.UpdateCursor();
    EXPECT_EQ("idle", gui.GetCursor()->GetAnimation());
}

Game::CButton* g_SelfDeleting = nullptr;
void DeleteTheButton()
{
    ++g_Clicks;
    delete g_SelfDeleting;
    g_SelfDeleting = nullptr;
}

TEST_F(CButtonTest, CallbackMayDeleteItsOwnButtonOnClickOrAfterATimedFade)
{
    g_SelfDeleting = m_Button.release();
    g_SelfDeleting->SetCallback(&DeleteTheButton);
    MoveMouse(0.5f, 0.5f);
    g_SelfDeleting->Update(0.01f);
    LeftButton(true);
    LeftButton(false);
    g_SelfDeleting->Update(0.01f);
    g_SelfDeleting->Update(0.01f);
    EXPECT_EQ(1, g_Clicks);
    EXPECT_EQ(nullptr, g_SelfDeleting);

    g_SelfDeleting = new Game::CButton("btn");
    g_SelfDeleting->SetCallback(&DeleteTheButton);
    auto* tween = dynamic_cast<Game::CLinearTweenController*>(
        Game::CControllerManager::GetInstance().CreateController(Game::LINEARTWEEN, Game::ControllerSetting()));
    ASSERT_NE(nullptr, tween);
    tween->Setup(g_SelfDeleting, {0.0f, 0.0f}, {0.5f, 0.5f}, 10.0f, 1, 0, {0.0f, 0.0f}, 0.0f);
    g_SelfDeleting->SetLinearTween(tween);
    for (int i = 0; i < 100 && g_SelfDeleting; ++i)
        g_SelfDeleting->Update(0.1f);
    EXPECT_EQ(2, g_Clicks);
    EXPECT_EQ(nullptr, g_SelfDeleting);
    EXPECT_TRUE(Game::CControllerManager::GetInstance().GetControllers().empty()) << "the tween went with it";
}

} // namespace
