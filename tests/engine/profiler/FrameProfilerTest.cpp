// The frame profiler's section statistics and shares under a scripted time-stamp counter, and
// the overlay lines it produces.
#include "profiler/CFrameProfiler.h"
#include "profiler/ProfileOverlay.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <deque>
#include <string>

using Vesk::CFrameProfiler;

namespace {

// Each reading of the counter takes the next scripted value (the last one repeats).
class FrameProfilerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_Profiler.SetTickSource([this] {
            if (!m_Ticks.empty()) {
                m_Last = m_Ticks.front();
                m_Ticks.pop_front();
            }
            return m_Last;
        });
        m_Profiler.Init();
    }
    void TearDown() override
    {
        m_Profiler.Shutdown();
        m_Profiler.SetTickSource(nullptr);
    }

    // One frame of frameTicks in which the section runs for sectionTicks.
    void RunFrame(uint64_t start, uint64_t frameTicks, int section, uint64_t sectionTicks)
    {
        m_Ticks = {start, start + 1, start + 1 + sectionTicks, start + frameTicks};
        m_Profiler.BeginFrame();
        m_Profiler.BeginSection(section);
        m_Profiler.EndSection();
        m_Profiler.EndFrame();
    }

    CFrameProfiler& m_Profiler = CFrameProfiler::GetInstance();
    std::deque<uint64_t> m_Ticks;
    uint64_t m_Last = 0;
};

} // namespace

TEST_F(FrameProfilerTest, SectionRecordsCallsLatestTotalMinimumAndMaximum)
{
    const uint64_t framesBefore = m_Profiler.GetFrameCount();
    const uint64_t runs[] = {300, 100, 200};
    uint64_t start = 1000;
    for (uint64_t ticks : runs) {
        RunFrame(start, 1000, Vesk::FRAME_AUDIO, ticks);
        start += 5000;
    }
    const Vesk::ProfileSection* audio = m_Profiler.GetSection(Vesk::FRAME_AUDIO);
    ASSERT_NE(nullptr, audio);
    EXPECT_EQ(3u, audio->calls);
    EXPECT_EQ(200u, audio->last);
    EXPECT_EQ(600u, audio->total);
    EXPECT_EQ(100u, audio->minimum);
    EXPECT_EQ(300u, audio->maximum);
    EXPECT_TRUE(audio->inUse);
    EXPECT_FLOAT_EQ(20.0f, m_Profiler.GetShare(Vesk::FRAME_AUDIO));
    EXPECT_EQ(3u, m_Profiler.GetFrameCount() - framesBefore);

    const Vesk::ProfileSection* idle = m_Profiler.GetSection(Vesk::FRAME_COLLISION);
    ASSERT_NE(nullptr, idle);
    EXPECT_EQ(0u, idle->calls);
    EXPECT_EQ(UINT64_MAX, idle->minimum);
    EXPECT_FLOAT_EQ(0.0f, m_Profiler.GetShare(Vesk::FRAME_COLLISION));
}

TEST_F(FrameProfilerTest, ZeroLengthFrameAndBackwardClockGiveNoShareAndNoWrap)
{
    RunFrame(500, 0, Vesk::FRAME_STATE_UPDATE, 0);
    EXPECT_FLOAT_EQ(0.0f, m_Profiler.GetShare(Vesk::FRAME_STATE_UPDATE));

    // The section's end reads earlier than its start.
    m_Ticks = {1000, 900, 800, 2000};
    m_Profiler.BeginFrame();
    m_Profiler.BeginSection(Vesk::FRAME_RENDERING_3D);
    m_Profiler.EndSection();
    m_Profiler.EndFrame();
    EXPECT_EQ(0u, m_Profiler.GetSection(Vesk::FRAME_RENDERING_3D)->last);
    EXPECT_FLOAT_EQ(0.0f, m_Profiler.GetShare(Vesk::FRAME_RENDERING_3D));
}

TEST_F(FrameProfilerTest, UnknownSectionsAndCallsOutsideInitAreIgnored)
{
    m_Profiler.BeginSection(7);
    m_Profiler.BeginSection(-1);
    m_Profiler.EndSection();
    EXPECT_EQ(nullptr, m_Profiler.GetSection(7));
    EXPECT_FLOAT_EQ(0.0f, m_Profiler.GetShare(-1));
    EXPECT_STREQ("FRAME_UNKNOWN", CFrameProfiler::GetSectionName(7));
    EXPECT_STREQ("FRAME_UNKNOWN", CFrameProfiler::GetSectionName(-1));
    EXPECT_STREQ("FRAME_COLLISIONRES_PHYSICS", CFrameProfiler::GetSectionName(Vesk::FRAME_COLLISIONRES_PHYSICS));

    m_Profiler.Shutdown();
    EXPECT_EQ(nullptr, m_Profiler.GetSection(Vesk::FRAME_AUDIO));
    m_Profiler.BeginFrame();
    {
        Vesk::CProfileScope scope(Vesk::FRAME_AUDIO);
    }
    m_Profiler.EndFrame();
    EXPECT_FLOAT_EQ(0.0f, m_Profiler.GetShare(Vesk::FRAME_AUDIO));

    // A second Init starts from fresh records.
    m_Profiler.Init();
    EXPECT_EQ(0u, m_Profiler.GetSection(Vesk::FRAME_AUDIO)->calls);
}

TEST(ProfileOverlayTest, SectionLineAtKnownShares)
{
    struct Case {
        int section;
        float share;
        const char* expected;
    };
    const Case cases[] = {
        {Vesk::FRAME_COLLISION, 0.0f, "               FRAME_COLLISION:                            0%\n"},
        {Vesk::FRAME_AUDIO, 3.9f, "                   FRAME_AUDIO:                            3.9%\n"},
        {Vesk::FRAME_AUDIO, 4.0f, "                   FRAME_AUDIO: |                          4%\n"},
        {Vesk::FRAME_RENDERING_3D, 50.0f, "            FRAME_RENDERING_3D: ||||||||||||               50%\n"},
        {Vesk::FRAME_OTHERS_1, 12.345f, "                FRAME_OTHERS_1: |||                        12%\n"},
        {Vesk::FRAME_STATE_UPDATE, 100.0f, "            FRAME_STATE_UPDATE: |||||||||||||||||||||||||  1e+02%\n"},
        {9, 8.0f, "                 FRAME_UNKNOWN: ||                         8%\n"},
        // A share beyond the frame (a jumping clock) keeps the bar inside its field.
        {Vesk::FRAME_AUDIO, 1e30f, "                   FRAME_AUDIO: |||||||||||||||||||||||||  1e+30%\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Vesk::FormatSectionLine(c.section, c.share)) << c.share;
}

TEST(ProfileOverlayTest, FpsLineIsZeroForFramesWithoutLength)
{
    struct Case {
        float seconds;
        const char* expected;
    };
    const Case cases[] = {
        {0.02f, "FPS : 50"},        {0.0f, "FPS : 0"}, {-0.5f, "FPS : 0"},
        {std::nanf(""), "FPS : 0"}, {3.0f, "FPS : 0"}, {1e-12f, "FPS : 2147483647"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, Vesk::FormatFpsLine(c.seconds)) << c.seconds;
}
