// The options the player keeps: the volume kept apart from the pause's attenuation and from the
// mute, and the round trip through the system configuration: saved atomically with every other
// option of the file left as it was, and read back at the next start, where values that make no
// sense keep the defaults.
#include "game/states/PlayerOptions.h"

#include "audio/CAudioSystem.h"
#include "core/COptionSetting.h"
#include "core/CXmlDocument.h"
#include "platform/sound/RecordingOutput.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

class PlayerOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Audio().Init(sound::CreateRecordingOutput(std::make_shared<sound::Recording>())));
        Restart();
        Options().SetPath(m_Path);
    }

    void TearDown() override
    {
        Restart();
        Audio().Shutdown();
        Options().SetPath(m_Dir.File("none.xml"));
        Options().Init();
        Options().SetPath(Vesk::COptionSetting::kDefaultPath);
    }

    static Vesk::CAudioSystem& Audio() { return Vesk::CAudioSystem::GetInstance(); }
    static Vesk::COptionSetting& Options() { return Vesk::COptionSetting::GetInstance(); }

    // The sound as a new run of the program finds it.
    static void Restart()
    {
        Game::SetSoundMuted(false);
        Game::SetPauseAttenuation(1.0f);
        Audio().SetMasterVolume(0.5f);
    }

    // The saved file's options in document order.
    Entries Saved() const
    {
        Vesk::CXmlDocument document;
        Entries entries;
        if (!document.Load(m_Path))
            return entries;
        for (Vesk::CXmlElement e = document.GetRoot().FirstChildElement(); e != nullptr; ++e) {
            const char* value = e.GetAttribute("val");
            entries.emplace_back(e.GetName(), value ? value : "<none>");
        }
        return entries;
    }

    testsupport::ScratchDir m_Dir;
    std::string m_Path = m_Dir.File("systemconfig.xml");
};

const char* const kShippedConfig = R"(<?xml version="1.0" encoding="UTF-8"?>
<Options>
  <bgm_vol val="1"/>
  <fullscreen val="0"/>
  <initialstate val="MenuState"/>
  <levelfile val="assets/levels/emeraldroom.xml"/>
  <mute val="0"/>
  <scrn_height val="720"/>
  <scrn_width val="1280"/>
  <use_gamepad val="1"/>
</Options>
)";

TEST_F(PlayerOptionsTest, ThePauseAndTheMuteLieOverThePlayersVolumeWithoutChangingIt)
{
    Game::SetPlayerVolume(0.6f);
    Game::SetPauseAttenuation(0.5f);
    EXPECT_FLOAT_EQ(0.3f, Audio().GetMasterVolume());
    EXPECT_FLOAT_EQ(0.6f, Game::GetPlayerVolume());

    Game::SetSoundMuted(true);
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume());
    EXPECT_FLOAT_EQ(0.6f, Game::GetPlayerVolume());
    Game::SetPauseAttenuation(1.0f);
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume()) << "the end of the pause leaves a muted sound muted";
    Game::SetPlayerVolume(0.8f);
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume()) << "a volume set while muted waits for the unmute";
    Game::SetSoundMuted(false);
    EXPECT_FLOAT_EQ(0.8f, Audio().GetMasterVolume());

    // Muted and unmuted under the pause: what comes back is attenuated while the pause is up.
    Game::SetPauseAttenuation(0.5f);
    Game::SetSoundMuted(true);
    Game::SetSoundMuted(false);
    EXPECT_FLOAT_EQ(0.4f, Audio().GetMasterVolume());
    Game::SetPauseAttenuation(0.0f);
    EXPECT_FLOAT_EQ(0.5f, Game::GetPauseAttenuation()) << "a factor of 0 is refused";
    Game::SetPauseAttenuation(1.0f);
    EXPECT_FLOAT_EQ(0.8f, Audio().GetMasterVolume());

    // A master volume set by other means since muting ends the mute.
    Game::SetSoundMuted(true);
    Audio().SetMasterVolume(0.2f);
    EXPECT_FALSE(Game::IsSoundMuted());
    Game::SetSoundMuted(false);
    EXPECT_FLOAT_EQ(0.2f, Audio().GetMasterVolume());
}

TEST_F(PlayerOptionsTest, SavingWritesThePlayersOptionsAtomicallyAndKeepsEveryOtherOne)
{
    testsupport::WriteFile(m_Path, kShippedConfig);
    ASSERT_TRUE(Options().Init());
    Game::SetPlayerVolume(0.3f);
    Game::SetPauseAttenuation(0.5f);
    Game::SetSoundMuted(true);
    ASSERT_TRUE(Game::SavePlayerOptions());
    EXPECT_EQ((Entries{{"bgm_vol", "0.3"},
                       {"fullscreen", "0"},
                       {"initialstate", "MenuState"},
                       {"levelfile", "assets/levels/emeraldroom.xml"},
                       {"mute", "1"},
                       {"scrn_height", "720"},
                       {"scrn_width", "1280"},
                       {"use_gamepad", "1"}}),
              Saved());
    EXPECT_FALSE(testsupport::FileExists(m_Path + ".tmp"));

    // The next start: the volume and the mute come back; unmuting gives the volume back.
    Restart();
    ASSERT_TRUE(Options().Init());
    Game::ApplyStoredPlayerOptions();
    EXPECT_TRUE(Game::IsSoundMuted());
    EXPECT_FLOAT_EQ(0.0f, Audio().GetMasterVolume());
    Game::SetSoundMuted(false);
    EXPECT_FLOAT_EQ(0.3f, Audio().GetMasterVolume());
}

TEST_F(PlayerOptionsTest, StoredValuesThatMakeNoSenseKeepTheDefaults)
{
    const struct {
        const char* volume;
        const char* mute;
        float master;
        bool muted;
    } cases[] = {
        {"0.7", "1", 0.0f, true},  {"0.7", "0", 0.7f, false}, {"loud", "0", 0.5f, false},
        {"2", "yes", 1.0f, false}, {"-1", "", 0.0f, false},   {"", "2", 0.5f, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.volume) + " / " + c.mute);
        Restart();
        testsupport::WriteFile(m_Path, std::string("<Options><bgm_vol val=\"") + c.volume + "\"/><mute val=\"" +
                                           c.mute + "\"/></Options>");
        ASSERT_TRUE(Options().Init());
        Game::ApplyStoredPlayerOptions();
        EXPECT_FLOAT_EQ(c.master, Audio().GetMasterVolume());
        EXPECT_EQ(c.muted, Game::IsSoundMuted());
    }
}

TEST_F(PlayerOptionsTest, AFileWithoutAKeyOrWithoutTheFileSavesWhatItCanAndSaysSo)
{
    testsupport::WriteFile(m_Path, R"(<Options><bgm_vol val="1"/><initialstate val="CtrlState"/></Options>)");
    ASSERT_TRUE(Options().Init());
    Game::SetPlayerVolume(0.4f);
    EXPECT_TRUE(Game::SavePlayerOptions());
    EXPECT_EQ((Entries{{"bgm_vol", "0.4"}, {"initialstate", "CtrlState"}}), Saved()) << "no key is added";

    Options().SetPath(m_Dir.File("missing.xml"));
    Options().Init();
    EXPECT_FALSE(Game::SavePlayerOptions());
    EXPECT_FALSE(testsupport::FileExists(m_Dir.File("missing.xml")));
}

} // namespace
