#include "game/gui/CMeterBar.h"

#include <gtest/gtest.h>

namespace {

TEST(CMeterBarTest, IncreaseAndDecreaseSaturateAndRememberThePreviousValue)
{
    struct Case {
        uint32_t start;
        bool increase;
        uint32_t amount, expected;
    };
    const Case cases[] = {{100, false, 150, 0}, {100, false, 100, 0}, {40, false, 15, 25},
                          {40, true, 15, 55},   {90, true, 50, 100},  {10, true, 0xFFFFFFFFu, 100}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.start << (c.increase ? " + " : " - ") << c.amount);
        Game::CMeterBar bar("bar", "Health");
        bar.SetValue(c.start);
        if (c.increase)
            bar.Increase(c.amount);
        else
            bar.Decrease(c.amount);
        EXPECT_EQ(c.expected, bar.GetValue());
        EXPECT_EQ(c.start, bar.GetPreviousValue());
    }
}

TEST(CMeterBarTest, WidthFollowsTheValueOfTheFullWidth)
{
    Game::CMeterBar bar("bar", "Health");
    EXPECT_EQ("Health", bar.GetKeyName());
    bar.SetFullWidth(2.0f);
    bar.SetScale(2.0f, 0.5f);
    bar.Decrease(25);
    bar.Update(0.01f);
    EXPECT_FLOAT_EQ(1.5f, bar.GetScale().x);
    EXPECT_FLOAT_EQ(0.5f, bar.GetScale().y);
}

TEST(CMeterBarTest, EachBarBlinksByItselfInPlaceAndShowsAgainWhenStopped)
{
    Game::CMeterBar a("bar", "A"), b("bar", "B"), still("bar", "C");
    for (Game::CMeterBar* bar : {&a, &b, &still})
        bar->SetPosition(0.3f, 0.7f);
    a.SetBlinking(true);
    b.SetBlinking(true);
    b.Update(0.1f); // b's timer runs 0.1 s ahead of a's
    std::string seenA, seenB;
    for (int i = 0; i < 6; ++i) {
        for (Game::CMeterBar* bar : {&a, &b, &still})
            bar->Update(0.12f);
        seenA += a.IsVisible() ? '1' : '0';
        seenB += b.IsVisible() ? '1' : '0';
        EXPECT_TRUE(still.IsVisible());
    }
    // Toggles once every 0.25 s of its own timer.
    EXPECT_EQ("110011", seenA);
    EXPECT_EQ("100110", seenB);
    for (Game::CMeterBar* bar : {&a, &b})
        EXPECT_FLOAT_EQ(0.3f, bar->GetPosition().x);

    a.Update(0.2f);
    ASSERT_FALSE(a.IsVisible());
    a.SetBlinking(false);
    EXPECT_TRUE(a.IsVisible());
    a.Update(1.0f);
    EXPECT_TRUE(a.IsVisible());
}

} // namespace
