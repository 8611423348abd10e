// The debug output's texts: the scrolling log, the numbered line slots, the per-frame screen
// texts and the notices, with their pixel layout on an 800 x 600 screen under the default
// camera (aspect 500 / 280: a 448-pixel viewport below a 76-pixel band).
#include "debug/CDebugOutputManager.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <iterator>

using Vesk::CDebugOutputManager;
using Vesk::CDisplayText;

namespace {

class DebugOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
        Vesk::CRenderer::GetInstance().SetBackBufferSize(800, 600, true);
        ASSERT_TRUE(debug.Init());
    }
    void TearDown() override { debug.Shutdown(); }

    CDebugOutputManager& debug = CDebugOutputManager::GetInstance();
};

void ExpectRect(const CDisplayText& text, int top, int left, int right, int bottom)
{
    EXPECT_EQ(top, text.GetRect().top);
    EXPECT_EQ(left, text.GetRect().left);
    EXPECT_EQ(right, text.GetRect().right);
    EXPECT_EQ(bottom, text.GetRect().bottom);
}

void ExpectColor(const CDisplayText& text, int alpha, int red, int green, int blue)
{
    EXPECT_EQ(alpha, text.GetColor().alpha);
    EXPECT_EQ(red, text.GetColor().red);
    EXPECT_EQ(green, text.GetColor().green);
    EXPECT_EQ(blue, text.GetColor().blue);
}

} // namespace

TEST_F(DebugOutputTest, TheLogScrollsUpAndDropsItsOldestLine)
{
    for (int i = 1; i <= 16; ++i)
        debug.AddLine("line " + std::to_string(i));
    EXPECT_EQ("line 2", debug.GetLogLine(0));
    EXPECT_EQ("line 15", debug.GetLogLine(13));
    EXPECT_EQ("line 16", debug.GetLogLine(14));
    EXPECT_EQ("", debug.GetLogLine(15));
}

TEST_F(DebugOutputTest, LineSlotsWrapAndOnlyTheOverlaySlotsAreCleared)
{
    for (unsigned i = 0; i < CDebugOutputManager::kLineCount; ++i)
        debug.SetLine("slot " + std::to_string(i), i);
    debug.SetLine("x", 31);
    EXPECT_EQ("x", debug.GetLine(1));

    debug.ClearLines();
    EXPECT_EQ("slot 0", debug.GetLine(0));
    for (unsigned i = 1; i <= 7; ++i)
        EXPECT_EQ("", debug.GetLine(i)) << i;
    for (unsigned i = 8; i < CDebugOutputManager::kLineCount; ++i)
        EXPECT_EQ("slot " + std::to_string(i), debug.GetLine(i)) << i;
}

TEST_F(DebugOutputTest, ScreenTextsStopAtSixtyAFrame)
{
    for (int i = 0; i < 61; ++i)
        debug.AddScreenText("label " + std::to_string(i), 0.25f, 0.5f, 0, 0, 0);
    EXPECT_EQ(60u, debug.GetScreenTextCount());
    EXPECT_EQ(60u, debug.GetScreenTextObjects().size());
    EXPECT_EQ("label 59", debug.GetScreenText(59)) << "the 61st text is dropped";

    debug.ClearScreenText();
    EXPECT_EQ(0u, debug.GetScreenTextCount());
    EXPECT_EQ("", debug.GetScreenText(0));
    EXPECT_EQ("", debug.GetScreenText(59));
    debug.AddScreenText("again", 0.25f, 0.5f, 0, 0, 0);
    EXPECT_EQ("again", debug.GetScreenText(0));
}

TEST_F(DebugOutputTest, ScreenTextCornersAndColours)
{
    struct Case {
        float red, green, blue;
        int r, g, b;
    };
    const Case cases[] = {
        {127.5f, 0.4f, 254.6f, 128, 0, 255},
        {-3.0f, 300.0f, 1e9f, 0, 255, 255},
    };
    for (const Case& c : cases)
        debug.AddScreenText("t", 0.25f, 0.5f, c.red, c.green, c.blue);
    for (size_t i = 0; i < std::size(cases); ++i)
        ExpectColor(*debug.GetScreenTextObjects()[i], 255, cases[i].r, cases[i].g, cases[i].b);
    // Top-left corner at (0.25, 0.5) of the viewport; the rest reaches far off screen.
    EXPECT_EQ(76 + 224, debug.GetScreenTextObjects()[0]->GetRect().top);
    EXPECT_EQ(200, debug.GetScreenTextObjects()[0]->GetRect().left);
    ExpectColor(*debug.GetScreenTextObjects()[2], 255, 0, 0, 0);
}

TEST_F(DebugOutputTest, LayoutOfTheLineSlotsAndTheLogFollowsTheScreen)
{
    ExpectRect(*debug.GetLineObjects()[0], 76, 4, 800, 76 + 448);
    ExpectRect(*debug.GetLineObjects()[2], 76 + 28, 4, 800, 76 + 448);
    ExpectRect(*debug.GetLogLineObjects()[0], 76 + 224, 4, 800, 76 + 448);
    ExpectRect(*debug.GetLogLineObjects()[14], 76 + 424, 4, 800, 76 + 448);
    ExpectColor(*debug.GetLineObjects()[29], 255, 255, 255, 255);
    ExpectColor(*debug.GetLogLineObjects()[0], 150, 255, 255, 255);

    // Rectangles are converted when set: a new screen size takes effect with the next layout.
    Vesk::CRenderer::GetInstance().SetBackBufferSize(1600, 900, true);
    ExpectRect(*debug.GetLogLineObjects()[0], 76 + 224, 4, 800, 76 + 448);
    debug.ResetLayout();
    // 1600 / (500 / 280) = 896 pixels high, below a 2-pixel band.
    ExpectRect(*debug.GetLogLineObjects()[0], 2 + 448, 8, 1600, 2 + 896);
}

TEST_F(DebugOutputTest, NoticesGoToTheLogAndStayWhereSlots18To21AreTheLastOneReused)
{
    testing::internal::CaptureStderr();
    for (int i = 1; i <= 5; ++i)
        debug.ShowNotice("notice " + std::to_string(i));
    EXPECT_EQ("notice 1\nnotice 2\nnotice 3\nnotice 4\nnotice 5\n", testing::internal::GetCapturedStderr());
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_EQ("notice " + std::to_string(i + 1), debug.GetNotice(i));
    EXPECT_EQ("notice 5", debug.GetNotice(3));
    EXPECT_EQ("", debug.GetLine(18)) << "the line slots are left alone";
    EXPECT_TRUE(debug.AreLinesHidden()) << "notices show without the developer texts";
}

TEST(DebugOutputBeforeInitTest, TextOperationsAreHarmless)
{
    CDebugOutputManager& debug = CDebugOutputManager::GetInstance();
    EXPECT_TRUE(debug.IsLogHidden());
    EXPECT_TRUE(debug.AreLinesHidden());
    EXPECT_TRUE(debug.AreScreenTextsHidden());
    debug.AddLine("a");
    debug.SetLine("b", 3);
    debug.ClearLines();
    debug.AddScreenText("c", 0, 0, 0, 0, 0);
    debug.ClearScreenText();
    debug.ShowNotice("d");
    debug.ResetLayout();
    debug.Render();
    EXPECT_EQ("", debug.GetLine(3));
    EXPECT_EQ("", debug.GetNotice(0));
    EXPECT_EQ(0u, debug.GetScreenTextCount());
}
