#include "platform/sound/Output.h"
#include "platform/sound/RecordingOutput.h"
#include "platform/sound/Sound.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

using namespace sound;

namespace {

// A mono 16-bit PCM WAV file of the given length, holding a quiet square wave.
std::string WavFile(int sampleRate, int samples)
{
    std::string data;
    auto put16 = [&](uint16_t v) { data += char(v & 0xFF), data += char(v >> 8); };
    auto put32 = [&](uint32_t v) { put16(uint16_t(v & 0xFFFF)), put16(uint16_t(v >> 16)); };
    data += "RIFF";
    put32(uint32_t(36 + samples * 2));
    data += "WAVEfmt ";
    put32(16);
    put16(1);
    put16(1);
    put32(uint32_t(sampleRate));
    put32(uint32_t(sampleRate * 2));
    put16(2);
    put16(16);
    data += "data";
    put32(uint32_t(samples * 2));
    for (int i = 0; i < samples; ++i)
        put16(uint16_t((i / 50) % 2 ? 1000 : -1000));
    return data;
}

class RecordedSystemTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteFile(m_Dir.File("a.wav"), "a");
        testsupport::WriteFile(m_Dir.File("b.wav"), "b");
    }

    Sound* Load(System& system, const std::string& file)
    {
        Sound* sound = nullptr;
        EXPECT_EQ(system.CreateSound(m_Dir.File(file), &sound), Result::Ok);
        return sound;
    }

    testsupport::ScratchDir m_Dir;
    std::shared_ptr<Recording> m_Recording = std::make_shared<Recording>();
};

} // namespace

TEST_F(RecordedSystemTest, FreePlaysTakeTheLowestIdleChannelAndReusePlaysRestartTheirOwn)
{
    System system(CreateRecordingOutput(m_Recording));
    ASSERT_EQ(system.Init(100), Result::Ok);
    EXPECT_EQ(m_Recording->openedChannels, 100);
    Sound* a = Load(system, "a.wav");
    Sound* b = Load(system, "b.wav");

    Channel first, second;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, a, first), Result::Ok);
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, b, second), Result::Ok);
    EXPECT_EQ(first.index, 0);
    EXPECT_EQ(second.index, 1);
    EXPECT_TRUE(system.IsPlaying(first));

    Channel restarted = first;
    system.SetVolume(first, 0.25f);
    ASSERT_EQ(system.PlaySound(ChannelMode::Reuse, a, restarted), Result::Ok);
    EXPECT_EQ(restarted.index, first.index);
    EXPECT_EQ(restarted.generation, first.generation) << "a restart keeps the handle current";
    EXPECT_EQ(m_Recording->halts, std::vector<int>{0});
    EXPECT_FLOAT_EQ(m_Recording->channelVolumes[0], 1.0f) << "each play starts at full channel volume";

    // Channel 0 runs out; the next free play takes it and the old handle goes stale.
    m_Recording->Finish(0);
    Channel third;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, b, third), Result::Ok);
    EXPECT_EQ(third.index, 0);
    EXPECT_NE(third.generation, first.generation);
    EXPECT_FALSE(system.IsCurrent(first));
    EXPECT_FALSE(system.IsPlaying(first));
    EXPECT_EQ(system.Stop(first), Result::ErrInvalidHandle);
    EXPECT_EQ(system.SetVolume(first, 0.5f), Result::ErrInvalidHandle);
    EXPECT_TRUE(system.IsPlaying(third)) << "a stale handle does not touch the channel's new play";

    // Reusing a stale handle plays on a free channel instead.
    Channel reused = first;
    ASSERT_EQ(system.PlaySound(ChannelMode::Reuse, a, reused), Result::Ok);
    EXPECT_EQ(reused.index, 2);

    EXPECT_EQ(system.Stop(third), Result::Ok);
    EXPECT_FALSE(system.IsPlaying(third));
    EXPECT_TRUE(system.IsCurrent(third));
    EXPECT_FALSE(system.IsPlaying(Channel{}));
    EXPECT_EQ(system.Stop(Channel{}), Result::ErrInvalidHandle);
    EXPECT_EQ(system.Stop(Channel{100, third.generation}), Result::ErrInvalidHandle);
}

TEST_F(RecordedSystemTest, LoopCountsReachTheOutput)
{
    System system(CreateRecordingOutput(m_Recording));
    ASSERT_EQ(system.Init(8), Result::Ok);
    Sound* sound = Load(system, "a.wav");
    const struct {
        int set;
        Result result;
        int played;
    } cases[] = {{-1, Result::Ok, -1}, {0, Result::Ok, 0}, {3, Result::Ok, 3}, {-2, Result::ErrInvalidParam, 3}};
    EXPECT_EQ(sound->GetLoopCount(), -1) << "a new sound loops for ever";
    for (const auto& c : cases) {
        EXPECT_EQ(sound->SetLoopCount(c.set), c.result);
        Channel channel;
        ASSERT_EQ(system.PlaySound(ChannelMode::Free, sound, channel), Result::Ok);
        EXPECT_EQ(m_Recording->plays.back().loopCount, c.played);
    }
}

TEST_F(RecordedSystemTest, FailuresLeaveNoSoundAndNoChannel)
{
    System system(CreateRecordingOutput(m_Recording));
    Sound* sound = reinterpret_cast<Sound*>(this);
    EXPECT_EQ(system.CreateSound(m_Dir.File("a.wav"), &sound), Result::ErrUninitialized);
    EXPECT_EQ(sound, nullptr);
    ASSERT_EQ(system.Init(2), Result::Ok);
    EXPECT_EQ(system.Init(2), Result::ErrAlreadyInitialized);

    EXPECT_EQ(system.CreateSound(m_Dir.File("missing.wav"), &sound), Result::ErrFile);
    EXPECT_EQ(sound, nullptr);

    Channel channel{5, 5};
    EXPECT_EQ(system.PlaySound(ChannelMode::Free, nullptr, channel), Result::ErrInvalidParam);
    EXPECT_TRUE(channel.IsNull());

    Sound* a = Load(system, "a.wav");
    Channel one, two, three;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, a, one), Result::Ok);
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, a, two), Result::Ok);
    EXPECT_EQ(system.PlaySound(ChannelMode::Free, a, three), Result::ErrChannelAlloc);
    EXPECT_TRUE(three.IsNull());
}

TEST_F(RecordedSystemTest, ReleasingASoundStopsItsChannels)
{
    System system(CreateRecordingOutput(m_Recording));
    ASSERT_EQ(system.Init(8), Result::Ok);
    Sound* a = Load(system, "a.wav");
    Sound* b = Load(system, "b.wav");
    Channel onA, onB;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, a, onA), Result::Ok);
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, b, onB), Result::Ok);
    a->Release();
    EXPECT_FALSE(system.IsPlaying(onA));
    EXPECT_TRUE(system.IsPlaying(onB));
    Channel again;
    EXPECT_EQ(system.PlaySound(ChannelMode::Free, a, again), Result::ErrInvalidParam) << "a released sound is refused";
}

TEST_F(RecordedSystemTest, MasterVolumeIsKeptAndClamped)
{
    System system(CreateRecordingOutput(m_Recording));
    system.GetMasterChannelGroup().SetVolume(0.5f);
    ASSERT_EQ(system.Init(8), Result::Ok);
    EXPECT_FLOAT_EQ(m_Recording->masterVolume, 0.5f) << "a volume set before Init reaches the output";
    const float cases[][2] = {{0.0f, 0.0f}, {0.75f, 0.75f}, {2.0f, 1.0f}, {-1.0f, 0.0f}};
    for (const auto& c : cases) {
        system.GetMasterChannelGroup().SetVolume(c[0]);
        EXPECT_FLOAT_EQ(system.GetMasterChannelGroup().GetVolume(), c[1]);
        EXPECT_FLOAT_EQ(m_Recording->masterVolume, c[1]);
    }
}

TEST_F(RecordedSystemTest, HandlesFromBeforeAReleaseStayStale)
{
    System system(CreateRecordingOutput(m_Recording));
    ASSERT_EQ(system.Init(8), Result::Ok);
    Channel old;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, Load(system, "a.wav"), old), Result::Ok);
    system.Release();
    EXPECT_EQ(m_Recording->openedChannels, 0);
    EXPECT_EQ(system.Update(), Result::ErrUninitialized);
    ASSERT_EQ(system.Init(8), Result::Ok);
    Channel fresh;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, Load(system, "a.wav"), fresh), Result::Ok);
    EXPECT_EQ(fresh.index, old.index);
    EXPECT_FALSE(system.IsCurrent(old));
    EXPECT_EQ(system.Update(), Result::Ok);
    EXPECT_EQ(m_Recording->updates, 1);
}

TEST(SilentSoundTest, LoadsFilesAndPlaysNothing)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("a.wav"), "not even a wav");
    System system(CreateRecordingOutput(std::make_shared<Recording>()));
    ASSERT_EQ(system.SetOutputNoSound(), Result::Ok);
    int drivers = -1;
    system.GetNumDrivers(drivers);
    EXPECT_EQ(drivers, 0);
    ASSERT_EQ(system.Init(100), Result::Ok);
    EXPECT_EQ(system.SetOutputNoSound(), Result::ErrAlreadyInitialized);

    Sound* sound = nullptr;
    ASSERT_EQ(system.CreateSound(dir.File("a.wav"), &sound), Result::Ok);
    EXPECT_EQ(system.CreateSound(dir.File("missing.wav"), &sound), Result::ErrFile);
    ASSERT_EQ(system.CreateSound(dir.File("a.wav"), &sound), Result::Ok);
    Channel channel;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, sound, channel), Result::Ok);
    EXPECT_FALSE(channel.IsNull());
    EXPECT_FALSE(system.IsPlaying(channel));
}

// The SDL_mixer output on the test's audio driver (SDL's dummy device unless another is named).
TEST(MixerSoundTest, PlaysStopsAndRejectsBadFiles)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("tone.wav"), WavFile(22050, 22050 * 2));
    testsupport::WriteFile(dir.File("bad.wav"), "RIFF garbage");

    System system;
    unsigned version = 0;
    system.GetVersion(version);
    EXPECT_GE(version, System::kRequiredVersion);
    int drivers = 0;
    system.GetNumDrivers(drivers);
    if (drivers == 0 || system.Init(100) != Result::Ok)
        GTEST_SKIP() << "no audio device here";

    Sound* tone = nullptr;
    ASSERT_EQ(system.CreateSound(dir.File("tone.wav"), &tone), Result::Ok);
    Sound* bad = nullptr;
    EXPECT_EQ(system.CreateSound(dir.File("bad.wav"), &bad), Result::ErrFile);
    EXPECT_EQ(system.CreateSound(dir.File("missing.ogg"), &bad), Result::ErrFile);

    tone->SetLoopCount(-1);
    Channel channel;
    ASSERT_EQ(system.PlaySound(ChannelMode::Free, tone, channel), Result::Ok);
    EXPECT_TRUE(system.IsPlaying(channel));
    EXPECT_EQ(system.SetVolume(channel, 0.5f), Result::Ok);
    Channel restarted = channel;
    ASSERT_EQ(system.PlaySound(ChannelMode::Reuse, tone, restarted), Result::Ok);
    EXPECT_EQ(restarted.index, channel.index);
    EXPECT_TRUE(system.IsPlaying(restarted));
    EXPECT_EQ(system.Stop(channel), Result::Ok);
    EXPECT_FALSE(system.IsPlaying(channel));
    EXPECT_EQ(system.Update(), Result::Ok);
    system.Release();
}
