#include "game/gui/CButton.h"
#include "game/gui/CHoverController.h"
#include "game/gui/CLinearTweenController.h"
#include "game/gui/CRotationTweenController.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using Vesk::CPoint2D;

int g_Calls = 0;
void CountCall() { ++g_Calls; }

float Distance(CPoint2D a, CPoint2D b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(CLinearTweenControllerTest, PlainMoveCoversSpeedTimesDtOfTheRemainingWayAndSnapsOnArrival)
{
    Vesk::CDisplayObject2D target("t");
    target.SetPosition(0.0f, 0.0f);
    Game::CLinearTweenController tween;
    tween.Setup(&target, {0.0f, 0.0f}, {1.0f, 0.5f}, 2.0f, 0, 0, {0.0f, 0.0f}, 0.0f);
    tween.Update(0.1f);
    EXPECT_FLOAT_EQ(0.2f, target.GetPosition().x);
    EXPECT_FLOAT_EQ(0.1f, target.GetPosition().y);
    tween.Update(0.1f);
    EXPECT_FLOAT_EQ(0.36f, target.GetPosition().x);
    int updates = 2;
    while (!tween.IsDone() && updates < 1000) {
        tween.Update(0.1f);
        ++updates;
    }
    ASSERT_TRUE(tween.IsDone());
    EXPECT_EQ(1.0f, target.GetPosition().x);
    EXPECT_EQ(0.5f, target.GetPosition().y);
}

TEST(CLinearTweenControllerTest, ScaleModesGrowOrShrinkWithTheWayAlreadyCovered)
{
    struct Case {
        int mode;
        float setupAlpha;
        float scaleAfterTwo, alphaAfterTwo; // f = 0.5 at the second step's start
    };
    // start scale 2, fade size 1, opaque factor 0.8; speed 5, dt 0.1: the first step covers half.
    const Case cases[] = {{1, 0.0f, 1.5f, 0.4f}, {2, 1.0f, 1.5f, 0.6f}, {0, 1.0f, 2.0f, 1.0f}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        Vesk::CDisplayObject2D target("t");
        target.SetScale(2.0f, 2.0f);
        Game::CLinearTweenController tween;
        tween.Setup(&target, {0.0f, 0.0f}, {1.0f, 0.0f}, 5.0f, 0, c.mode, {1.0f, 1.0f}, 0.8f);
        EXPECT_FLOAT_EQ(c.setupAlpha, target.GetColor().a);
        EXPECT_FLOAT_EQ(c.mode == 1 ? 1.0f : 2.0f, target.GetScale().x);
        tween.Update(0.1f);
        tween.Update(0.1f);
        EXPECT_FLOAT_EQ(c.scaleAfterTwo, target.GetScale().x);
        EXPECT_FLOAT_EQ(c.alphaAfterTwo, target.GetColor().a);
    }
}

TEST(CLinearTweenControllerTest, StartEqualToEndDoesNothingNotEvenFadeOrCallback)
{
    g_Calls = 0;
    Game::CButton button("b");
    button.SetCallback(&CountCall);
    button.SetPosition(0.3f, 0.3f);
    Game::CLinearTweenController tween;
    tween.Setup(&button, {0.3f, 0.3f}, {0.3f, 0.3f}, 2.0f, 1, 0, {0.0f, 0.0f}, 0.0f);
    for (int i = 0; i < 600; ++i)
        tween.Update(1.0f / 60.0f);
    EXPECT_EQ(0, g_Calls);
    EXPECT_EQ(0.0f, tween.GetProgress());
    EXPECT_EQ(1.0f, button.GetColor().a);
}

TEST(CLinearTweenControllerTest, FadeEndingMovesFadesThenRunsTheButtonCallbackOnce)
{
    g_Calls = 0;
    Game::CButton button("b");
    button.SetCallback(&CountCall);
    Game::CLinearTweenController tween;
    tween.Setup(&button, {0.0f, 0.0f}, {1.0f, 0.0f}, 2.0f, 1, 0, {0.0f, 0.0f}, 0.0f);
    const float dt = 0.01f;
    int moving = 0, fading = 0;
    while (tween.GetProgress() <= 1.0f && moving < 1000) {
        tween.Update(dt);
        ++moving;
    }
    EXPECT_NEAR(50, moving, 1) << "0.5 s at speed 2";
    EXPECT_GE(button.GetPosition().x, 1.0f);
    EXPECT_LT(button.GetPosition().x, 1.03f);
    while (tween.GetProgress() <= 2.0f && fading < 1000) {
        tween.Update(dt);
        ++fading;
    }
    EXPECT_NEAR(220, fading, 3) << "about 1 / 0.45 s of fading, less the move's overshoot";
    EXPECT_EQ(0, g_Calls);
    EXPECT_LE(button.GetColor().a, 0.01f);
    for (int i = 0; i < 300; ++i)
        tween.Update(dt);
    EXPECT_EQ(1, g_Calls) << "the callback runs once, not on every later update";

    tween.Reset();
    tween.MarkDone();
    tween.Update(dt);
    EXPECT_EQ(1, g_Calls);
}

TEST(CRotationTweenControllerTest, NinetyDegreesAtSpeedOneArriveAfterTwoSecondsAndFinishOneUpdateLater)
{
    Vesk::CDisplayObject2D target("t");
    Game::CRotationTweenController tween;
    const CPoint2D pivot{0.5f, 0.5f}, point{0.5f, 0.2f};
    tween.Setup(&target, pivot, point, 90, 1.0f, 0);
    // The start point is the place turned back by the angle: a quarter turn from it.
    const CPoint2D start = tween.GetStartPoint();
    EXPECT_NEAR(0.2f, start.x, 1e-4f);
    EXPECT_NEAR(0.5f, start.y, 1e-4f);

    const float dt = 0.25f; // progress 0.125 per update
    for (int i = 0; i < 4; ++i)
        tween.Update(dt);
    EXPECT_NEAR(0.3f, Distance(pivot, target.GetPosition()), 1e-5f) << "on the arc";
    for (int i = 0; i < 4; ++i)
        tween.Update(dt);
    EXPECT_EQ(1.0f, tween.GetProgress());
    EXPECT_FALSE(tween.IsDone());
    EXPECT_NEAR(point.x, target.GetPosition().x, 1e-4f);
    EXPECT_NEAR(point.y, target.GetPosition().y, 1e-4f);
    tween.Update(dt);
    EXPECT_TRUE(tween.IsDone());
    target.SetPosition(0.0f, 0.0f);
    tween.Update(dt);
    EXPECT_EQ(0.0f, target.GetPosition().x) << "a finished swing leaves the target alone";

    Game::CRotationTweenController still;
    still.Setup(&target, pivot, point, 0, 1.0f, 0);
    still.Update(dt);
    EXPECT_EQ(0.0f, still.GetProgress());
}

TEST(CHoverControllerTest, StartsOnlyOnceTheTargetRestsThenBobs)
{
    Vesk::CDisplayObject2D target("t");
    target.SetPosition(0.0f, 0.0f);
    Game::CHoverController hover;
    hover.Setup(&target, {0.4f, 0.6f}, {0.0f, 0.0f}, 1.0f, 0.1f, 20.0f, 0.0f, 0.0f, 1, 0, 0, 0, 0);
    hover.Update(0.5f);
    EXPECT_FALSE(hover.IsStarted());
    EXPECT_EQ(0.0f, target.GetPosition().y);
    target.SetPosition(0.4f, 0.6f);
    hover.Update(0.5f);
    EXPECT_TRUE(hover.IsStarted());
    EXPECT_FLOAT_EQ(0.6f, target.GetPosition().y) << "the starting update only starts";
    hover.Update(0.5f);
    EXPECT_FLOAT_EQ(0.6f + std::sin(0.5f) * 0.1f * 0.3f, target.GetPosition().y);
}

TEST(CHoverControllerTest, SlidingWrapsBackPastTheRightEdge)
{
    Vesk::CDisplayObject2D target("t");
    target.SetPosition(0.2f, 0.5f);
    Game::CHoverController hover;
    hover.Setup(&target, {0.2f, 0.5f}, {0.5f, 0.0f}, 1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0, 0, 1, 0, 0);
    hover.Update(0.1f);
    hover.Update(0.1f);
    EXPECT_FLOAT_EQ(0.25f, target.GetPosition().x);
    float previous = target.GetPosition().x;
    int updates = 0;
    while (target.GetPosition().x >= previous && updates < 100) {
        previous = target.GetPosition().x;
        hover.Update(0.1f);
        ++updates;
    }
    EXPECT_GT(previous, 1.44f);
    EXPECT_FLOAT_EQ(-0.3f, target.GetPosition().x);
}

TEST(CHoverControllerTest, ScalePulseNeverGoesNegative)
{
    Vesk::CDisplayObject2D target("t");
    target.SetScale(1.0f, 2.0f);
    Game::CHoverController hover;
    hover.Setup(&target, {0.0f, 0.0f}, {0.0f, 0.0f}, 1.0f, 0.0f, 0.0f, 3.0f, 0.0f, 0, 0, 0, 1, 0);
    float lowest = 1.0f, highest = 0.0f;
    for (int i = 0; i < 200; ++i) {
        hover.Update(0.05f);
        lowest = std::min(lowest, std::min(target.GetScale().x, target.GetScale().y));
        highest = std::max(highest, target.GetScale().x);
    }
    EXPECT_EQ(0.0f, lowest);
    EXPECT_GT(highest, 3.9f);
}

} // namespace
