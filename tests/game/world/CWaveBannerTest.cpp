// The wave banner over a 5-second duration on a fixed clock of 1/8 s steps (exact in binary, so
// the countdown rule's "landing on 0 answers false once" shows): fade-in with its clamped opacity,
// the text's slide, the fade-out and the end; and a hidden HUD on which nothing shows while the
// timers still run.
#include "WaveTestSupport.h"

#include "game/world/CWaveBanner.h"

#include <gtest/gtest.h>

namespace {

using Game::CWaveBanner;

constexpr float kStep = 0.125f;
constexpr float kDuration = 5.0f;

TEST(CWaveBannerTest, FadesInSlidesTheTextAcrossAndFadesOut)
{
    struct Sample {
        int step;
        int state;
        float opacity;
        float textX;
        bool textVisible;
        bool backgroundVisible;
    };
    const Sample samples[] = {
        {1, CWaveBanner::STATE_FADE_IN, 0.0f, 1.5f, false, true}, // 1 - 0.375 / 0.25 clamped
        {3, CWaveBanner::STATE_FADE_IN, 0.5f, 1.5f, false, true},
        {4, CWaveBanner::STATE_FADE_IN, 1.0f, 1.5f, false, true}, // exactly 0 left: not yet over
        {5, CWaveBanner::STATE_SLIDE, 1.0f, 1.5f, true, true},
        {6, CWaveBanner::STATE_SLIDE, 1.0f, -0.5f + 2.0f * 4.375f / 4.5f, true, true},
        {23, CWaveBanner::STATE_SLIDE, 1.0f, 0.5f, true, true},
        {41, CWaveBanner::STATE_SLIDE, 1.0f, -0.5f, true, true},
        {42, CWaveBanner::STATE_FADE_OUT, 1.0f, -0.5f, true, true},
        {43, CWaveBanner::STATE_FADE_OUT, 0.5f, -0.5f, true, true},
        {45, CWaveBanner::STATE_IDLE, 0.0f, 1.5f, false, false},
    };
    worldtest::RecordingHud hud;
    CWaveBanner banner;
    banner.SetHud(&hud);
    banner.Show("WAVE 2 COMMENCING", kDuration);
    EXPECT_EQ(hud.m_Banners, (std::vector<std::string>{"WAVE 2 COMMENCING"}));
    EXPECT_EQ(banner.GetDisplayState(), CWaveBanner::STATE_FADE_IN);
    EXPECT_FALSE(hud.m_TextVisible);
    EXPECT_TRUE(hud.m_BackgroundVisible);

    int step = 0;
    for (const Sample& sample : samples) {
        while (step < sample.step) {
            banner.Update(kStep);
            ++step;
        }
        SCOPED_TRACE("step " + std::to_string(step));
        EXPECT_EQ(banner.GetDisplayState(), sample.state);
        EXPECT_NEAR(hud.m_Opacity, sample.opacity, 1e-5f);
        EXPECT_NEAR(hud.m_TextX, sample.textX, 1e-5f);
        EXPECT_EQ(hud.m_TextVisible, sample.textVisible);
        EXPECT_EQ(hud.m_BackgroundVisible, sample.backgroundVisible);
    }
}

TEST(CWaveBannerTest, AHiddenHudShowsNothingWhileTheTimersRun)
{
    worldtest::RecordingHud hud;
    CWaveBanner banner;
    banner.SetHud(&hud);
    banner.SetHidden(true);
    banner.Show("WAVE 1 COMMENCING", kDuration);
    std::vector<int> states;
    for (int step = 0; step < 48; ++step) {
        banner.Update(kStep);
        if (states.empty() || states.back() != banner.GetDisplayState())
            states.push_back(banner.GetDisplayState());
    }
    EXPECT_EQ(states, (std::vector<int>{CWaveBanner::STATE_FADE_IN, CWaveBanner::STATE_SLIDE,
                                        CWaveBanner::STATE_FADE_OUT, CWaveBanner::STATE_IDLE}));
    EXPECT_FALSE(hud.m_TextEverVisible);
    EXPECT_FALSE(hud.m_BackgroundEverVisible);

    // Shown again mid-slide, the banner reappears on the next update.
    banner.Show("WAVE 2 COMMENCING", kDuration);
    for (int step = 0; step < 10; ++step)
        banner.Update(kStep);
    banner.SetHidden(false);
    banner.Update(kStep);
    EXPECT_TRUE(hud.m_TextVisible);
    EXPECT_TRUE(hud.m_BackgroundVisible);
}

} // namespace
