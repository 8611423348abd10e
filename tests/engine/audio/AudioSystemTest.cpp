#include "audio/CAudioSystem.h"
#include "platform/sound/RecordingOutput.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Vesk;

namespace {

class AudioSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* file : {"a.wav", "b.wav", "music.ogg"})
            testsupport::WriteFile(m_Dir.File(file), file);
    }
    void TearDown() override { Audio().Release(); }

    static CAudioSystem& Audio() { return CAudioSystem::GetInstance(); }
    bool InitRecorded() { return Audio().Init(sound::CreateRecordingOutput(m_Recording)); }
    std::string Path(const char* file) const { return m_Dir.File(file); }

    testsupport::ScratchDir m_Dir;
    std::shared_ptr<sound::Recording> m_Recording = std::make_shared<sound::Recording>();
};

} // namespace

TEST_F(AudioSystemTest, InitOpensOneHundredChannelsAtHalfVolume)
{
    ASSERT_TRUE(InitRecorded());
    EXPECT_EQ(m_Recording->openedChannels, CAudioSystem::kChannelCount);
    EXPECT_FLOAT_EQ(Audio().GetMasterVolume(), 0.5f);
    EXPECT_FLOAT_EQ(m_Recording->masterVolume, 0.5f);

    Audio().SetMasterVolume(0.0f); // "mute" at start-up
    EXPECT_FLOAT_EQ(Audio().GetMasterVolume(), 0.0f);
    EXPECT_FLOAT_EQ(m_Recording->masterVolume, 0.0f);

    Audio().Update();
    Audio().Update();
    EXPECT_EQ(m_Recording->updates, 2) << "the one system is updated every frame";
}

TEST_F(AudioSystemTest, ANameLoadedTwiceKeepsItsFirstSound)
{
    ASSERT_TRUE(InitRecorded());
    Audio().LoadSound("hit", Path("a.wav"), 0);
    Audio().LoadSound("hit", Path("b.wav"), -1);
    EXPECT_EQ(m_Recording->loads, std::vector<std::string>{Path("a.wav")});
    Audio().PlaySound("hit", false);
    ASSERT_EQ(m_Recording->plays.size(), 1u);
    EXPECT_EQ(m_Recording->plays[0].path, Path("a.wav"));
    EXPECT_EQ(m_Recording->plays[0].loopCount, 0);
}

TEST_F(AudioSystemTest, LoopCountsAreHandedOnAndBadOnesPlayOnce)
{
    ASSERT_TRUE(InitRecorded());
    const struct {
        const char* name;
        int loopCount;
        int played;
    } cases[] = {{"forever", -1, -1}, {"once", 0, 0}, {"thrice", 2, 2}, {"bad", -7, 0}};
    for (const auto& c : cases) {
        Audio().LoadSound(c.name, Path("music.ogg"), c.loopCount);
        Audio().PlaySound(c.name, true);
        EXPECT_EQ(m_Recording->plays.back().loopCount, c.played) << c.name;
    }
}

TEST_F(AudioSystemTest, RestartsOnTheRememberedChannelOrPlaysOnNewOnes)
{
    ASSERT_TRUE(InitRecorded());
    Audio().LoadSound("step", Path("a.wav"), 0);
    Audio().LoadSound("ping", Path("b.wav"), 0);

    const CSoundChannel first = Audio().PlaySound("step", false);
    const CSoundChannel again = Audio().PlaySound("step", false);
    ASSERT_TRUE(first.IsValid());
    EXPECT_EQ(again.GetHandle().index, first.GetHandle().index) << "restarted on its own channel";
    EXPECT_EQ(m_Recording->halts, std::vector<int>{first.GetHandle().index});
    EXPECT_TRUE(first.IsPlaying());

    const CSoundChannel one = Audio().PlaySound("ping", true);
    const CSoundChannel two = Audio().PlaySound("ping", true);
    EXPECT_NE(one.GetHandle().index, two.GetHandle().index) << "two overlapping instances";
    EXPECT_NE(one.GetHandle().index, first.GetHandle().index);
    EXPECT_TRUE(one.IsPlaying());
    EXPECT_TRUE(two.IsPlaying());
    EXPECT_EQ(Audio().GetRememberedChannel("ping").index, one.GetHandle().index) << "the first stays remembered";
    const CSoundChannel restarted = Audio().PlaySound("ping", false);
    EXPECT_EQ(restarted.GetHandle().index, one.GetHandle().index);
}

TEST_F(AudioSystemTest, ARememberedChannelTakenByAnotherSoundIsReplaced)
{
    ASSERT_TRUE(InitRecorded());
    Audio().LoadSound("step", Path("a.wav"), 0);
    Audio().LoadSound("ping", Path("b.wav"), 0);
    CSoundChannel step = Audio().PlaySound("step", false);
    m_Recording->Finish(step.GetHandle().index);
    const CSoundChannel ping = Audio().PlaySound("ping", true);
    ASSERT_EQ(ping.GetHandle().index, step.GetHandle().index) << "the ended channel was free again";

    step.SetVolume(0.1f);
    step.Stop();
    EXPECT_TRUE(ping.IsPlaying()) << "the stale handle left the new play alone";
    EXPECT_NE(m_Recording->channelVolumes[ping.GetHandle().index], 0.1f);

    const CSoundChannel restarted = Audio().PlaySound("step", false);
    EXPECT_NE(restarted.GetHandle().index, ping.GetHandle().index);
    EXPECT_TRUE(ping.IsPlaying());
    EXPECT_EQ(Audio().GetRememberedChannel("step").index, restarted.GetHandle().index);
}

TEST_F(AudioSystemTest, UnknownNamesAndMissingFilesGiveNullHandlesThatAreSafeToUse)
{
    ASSERT_TRUE(InitRecorded());
    Audio().LoadSound("gone", Path("missing.wav"), 0);
    for (const char* name : {"gone", "never-loaded"}) {
        CSoundChannel channel = Audio().PlaySound(name, false);
        EXPECT_FALSE(channel.IsValid()) << name;
        EXPECT_FALSE(channel.IsPlaying());
        channel.SetVolume(0.3f);
        channel.Stop();
    }
    EXPECT_TRUE(m_Recording->plays.empty());
    EXPECT_TRUE(m_Recording->halts.empty());

    // A file that appears later can be loaded under the name, which was left free.
    testsupport::WriteFile(Path("missing.wav"), "now here");
    Audio().LoadSound("gone", Path("missing.wav"), 0);
    EXPECT_TRUE(Audio().PlaySound("gone", false).IsValid());
}

TEST_F(AudioSystemTest, WithoutADeviceStartUpSucceedsAndPlaysNothing)
{
    for (bool listed : {false, true}) {
        SCOPED_TRACE(listed ? "a device that will not open" : "no device");
        m_Recording = std::make_shared<sound::Recording>();
        m_Recording->drivers = listed ? 1 : 0;
        m_Recording->openSucceeds = false;
        ASSERT_TRUE(InitRecorded());
        EXPECT_FLOAT_EQ(Audio().GetMasterVolume(), 0.5f);
        Audio().LoadSound("hit", Path("a.wav"), 0);
        Audio().LoadSound("lost", Path("missing.wav"), 0);
        const CSoundChannel channel = Audio().PlaySound("hit", false);
        EXPECT_TRUE(channel.IsValid());
        EXPECT_FALSE(channel.IsPlaying());
        EXPECT_FALSE(Audio().PlaySound("lost", false).IsValid());
        EXPECT_TRUE(m_Recording->plays.empty());
    }
}

TEST_F(AudioSystemTest, AfterReleaseEverythingIsAHarmlessNoOp)
{
    ASSERT_TRUE(InitRecorded());
    Audio().LoadSound("hit", Path("a.wav"), -1);
    CSoundChannel channel = Audio().PlaySound("hit", false);
    Audio().Shutdown();
    EXPECT_EQ(m_Recording->openedChannels, 0);
    EXPECT_FALSE(channel.IsPlaying());
    channel.Stop();
    channel.SetVolume(1.0f);
    Audio().Update();
    EXPECT_FALSE(Audio().PlaySound("hit", false).IsValid());
    EXPECT_FLOAT_EQ(Audio().GetMasterVolume(), 0.0f);

    ASSERT_TRUE(InitRecorded());
    Audio().LoadSound("hit", Path("a.wav"), -1);
    const CSoundChannel fresh = Audio().PlaySound("hit", false);
    EXPECT_EQ(fresh.GetHandle().index, channel.GetHandle().index);
    EXPECT_FALSE(channel.IsPlaying()) << "a handle from before the release stays stale";
    EXPECT_TRUE(fresh.IsPlaying());
}

TEST_F(AudioSystemTest, InitOnTheAudioDevice)
{
    ASSERT_TRUE(Audio().Init()) << Audio().GetErrorMessage();
    EXPECT_FLOAT_EQ(Audio().GetMasterVolume(), 0.5f);
    Audio().LoadSound("missing", Path("missing.wav"), 0);
    EXPECT_FALSE(Audio().PlaySound("missing", false).IsValid());
}
