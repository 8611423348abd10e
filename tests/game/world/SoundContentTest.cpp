// The sound list and sounds under bin/assets: every file is a small mono 22050 Hz PCM WAV, and every sound name the
// game plays (by code, by prefab and by sound trigger) is listed and loads through the game master.
#include "../content/CodeNames.h"
#include "../entities/EntityTestSupport.h"
#include "support/TestSupport.h"

#include "audio/CAudioSystem.h"
#include "game/world/CGameMaster.h"
#include "platform/sound/RecordingOutput.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string AssetsDir() { return testsupport::SourceDir() + "/bin/assets"; }

uint32_t Little(const std::string& bytes, size_t at, int count)
{
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(bytes[at + i]);
    return value;
}

// Runs in the run directory, as the game does, so that the list's relative paths resolve.
class SoundContentTest : public worldtest::WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        ASSERT_TRUE(m_WorkingDir.Enter(testsupport::SourceDir() + "/bin"));
        m_Recording = std::make_shared<sound::Recording>();
        ASSERT_TRUE(Vesk::CAudioSystem::GetInstance().Init(sound::CreateRecordingOutput(m_Recording)));
        Game::CGameMaster::GetInstance().Shutdown();
        Game::CGameMaster::GetInstance().Init();
        Game::CGameMaster::GetInstance().LoadSoundList("assets/soundList.xml");
    }

    void TearDown() override
    {
        Game::CGameMaster::GetInstance().Shutdown();
        Vesk::CAudioSystem::GetInstance().Shutdown();
        m_WorkingDir.Leave();
        WorldFixture::TearDown();
    }

    void ExpectListedEffect(const std::string& name, const std::string& where)
    {
        float volume = 0.0f;
        ASSERT_TRUE(Game::CGameMaster::GetInstance().GetSoundVolume(name, volume)) << name << " (" << where << ")";
        EXPECT_GT(volume, 0.0f) << name;
        EXPECT_TRUE(Game::CGameMaster::GetInstance().PlaySound(name).IsValid()) << name << " does not load";
    }

    testsupport::WorkingDirectory m_WorkingDir;
    std::shared_ptr<sound::Recording> m_Recording;
};

TEST_F(SoundContentTest, EverySoundTheGamePlaysIsListedAndLoads)
{
    for (const std::string& name : contentcheck::kCodeSounds)
        ExpectListedEffect(name, "played by the code");

    ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml("./assets/prefabsettings.xml"));
    const Game::CGamePrefabSettings& prefabs = Game::CGamePrefabSettings::GetInstance();
    for (int category = 0; category < Game::ENTITY_TYPE_COUNT; ++category) {
        for (const std::string& prefab : prefabs.GetEntitySettingNames(category)) {
            const Game::EntitySetting setting = prefabs.GetEntitySetting(category, prefab);
            for (const std::string& sound : {setting.m_SpawnSound, setting.m_HurtSound, setting.m_DeathSound}) {
                if (!sound.empty())
                    ExpectListedEffect(sound, "prefab " + prefab);
            }
        }
        for (const std::string& prefab : prefabs.GetGameTriggerSettingNames(category)) {
            const std::string sound = prefabs.GetGameTriggerSetting(category, prefab).m_SoundName;
            if (!sound.empty())
                ExpectListedEffect(sound, "trigger prefab " + prefab);
        }
    }

    for (const std::string& track : contentcheck::kCodeMusic) {
        Game::CGameMaster& master = Game::CGameMaster::GetInstance();
        master.StopMusic();
        master.PlayMusic(track, 0.5f);
        master.Update(0.1f);
        EXPECT_EQ(Game::MUSIC_FADING_IN, master.GetMusicState()) << track;
        EXPECT_EQ(-1, m_Recording->plays.back().loopCount) << track;
        EXPECT_FALSE(master.PlaySound(track).IsValid()) << track << " must not be a sound effect";
    }
    EXPECT_TRUE(testsupport::FileExists("assets/audio/mouse_over.wav"));
}

TEST_F(SoundContentTest, SoundsAreSmallMonoWavFilesTheMixerDecodes)
{
    std::unique_ptr<sound::Output> mixer = sound::CreateMixerOutput();
    const bool canDecode = mixer->GetNumDrivers() > 0 && mixer->Open(4);
    uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(AssetsDir() + "/audio")) {
        const std::string bytes = testsupport::ReadFile(entry.path().string());
        const std::string name = entry.path().filename().string();
        ASSERT_GE(bytes.size(), 44u) << name;
        EXPECT_EQ("RIFF", bytes.substr(0, 4)) << name;
        EXPECT_EQ("WAVE", bytes.substr(8, 4)) << name;
        EXPECT_EQ(1u, Little(bytes, 20, 2)) << name << ": PCM";
        EXPECT_EQ(1u, Little(bytes, 22, 2)) << name << ": mono";
        EXPECT_EQ(22050u, Little(bytes, 24, 4)) << name;
        EXPECT_EQ(bytes.size() - 44, Little(bytes, 40, 4)) << name << ": data size";
        if (canDecode) {
            EXPECT_NE(nullptr, mixer->Load(entry.path().string())) << name;
        }
        total += bytes.size();
    }
    EXPECT_LT(total, 2u * 1024u * 1024u);
    if (!canDecode)
        GTEST_SKIP() << "no audio driver to decode with";
}

} // namespace
