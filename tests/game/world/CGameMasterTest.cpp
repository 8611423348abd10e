// The game master: phase rules, the sound list and named sound effects, the music timeline with
// its cross-fades (against a recording sound output), statistics, combos and the score, and the
// enemy count.
#include "../entities/EntityTestSupport.h"
#include "support/TestSupport.h"

#include "audio/CAudioSystem.h"
#include "game/base/CGameServices.h"
#include "game/controllers/IController.h"
#include "game/world/CGameMaster.h"
#include "platform/sound/RecordingOutput.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>
#include <string>

using Game::CGameMaster;

namespace {

// A recording sound output, a sound list in a scratch folder and a fresh game master.
class GameMasterFixture : public worldtest::WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        m_Recording = std::make_shared<sound::Recording>();
        ASSERT_TRUE(Vesk::CAudioSystem::GetInstance().Init(sound::CreateRecordingOutput(m_Recording)));
        for (const char* file : {"hit.wav", "quiet.wav", "one.wav", "two.wav", "three.wav"})
            testsupport::WriteFile(m_Dir.File(file), "RIFF");
        testsupport::WriteFile(m_Dir.File("sounds.xml"), "<sounds><sfx>"
                                                         "<hit loop=\"0\" vol=\"0.7\" url=\"" +
                                                             m_Dir.File("hit.wav") +
                                                             "\"/>"
                                                             "<quiet url=\"" +
                                                             m_Dir.File("quiet.wav") +
                                                             "\"/>"
                                                             "<ghost vol=\"0.5\" url=\"" +
                                                             m_Dir.File("absent.wav") +
                                                             "\"/>"
                                                             "</sfx><bgm>"
                                                             "<one loop=\"-1\" url=\"" +
                                                             m_Dir.File("one.wav") +
                                                             "\"/>"
                                                             "<two loop=\"-1\" url=\"" +
                                                             m_Dir.File("two.wav") +
                                                             "\"/>"
                                                             "<three loop=\"-1\" url=\"" +
                                                             m_Dir.File("three.wav") +
                                                             "\"/>"
                                                             "</bgm></sounds>");
        Master().Shutdown();
        ASSERT_TRUE(Master().Init());
        Master().LoadSoundList(m_Dir.File("sounds.xml"));
    }

    void TearDown() override
    {
        Master().Shutdown();
        Vesk::CAudioSystem::GetInstance().Shutdown();
        WorldFixture::TearDown();
    }

    static CGameMaster& Master() { return CGameMaster::GetInstance(); }

    float MusicVolume() const
    {
        const sound::Channel channel = Master().GetMusicChannel().GetHandle();
        return channel.IsNull() ? -1.0f : m_Recording->channelVolumes[channel.index];
    }

    std::shared_ptr<sound::Recording> m_Recording;
    testsupport::ScratchDir m_Dir;
};

using CGameMasterTest = GameMasterFixture;

TEST_F(CGameMasterTest, PhaseOnlyRisesExceptForARestart)
{
    const struct {
        int set;
        int expected;
    } steps[] = {{1, 1}, {2, 2}, {1, 2}, {3, 3}, {4, 3}, {-1, 3}, {0, 0}, {2, 2}};
    Master().SetPhase(0);
    for (const auto& step : steps) {
        Master().SetPhase(step.set);
        EXPECT_EQ(step.expected, Master().GetPhase()) << "after SetPhase(" << step.set << ")";
    }
    Master().StartLevel();
    EXPECT_EQ(0, Master().GetPhase());
    EXPECT_TRUE(Master().IsLevelStarted());
    Master().MarkLevelComplete();
    EXPECT_EQ(2, Master().GetPhase());
    Master().SetPhase(3);
    Master().MarkLevelComplete();
    EXPECT_EQ(3, Master().GetPhase());
}

TEST_F(CGameMasterTest, SoundEffectsPlayAtTheirListedVolumeOnTheirOwnChannel)
{
    const Vesk::CSoundChannel first = Master().PlaySound("hit");
    ASSERT_TRUE(first.IsValid());
    EXPECT_FLOAT_EQ(0.7f, m_Recording->channelVolumes[first.GetHandle().index]);
    const Vesk::CSoundChannel again = Master().PlaySound("hit");
    EXPECT_EQ(first.GetHandle().index, again.GetHandle().index); // restarted, not layered
    EXPECT_EQ(2u, m_Recording->plays.size());
    EXPECT_EQ(0, m_Recording->plays.back().loopCount);

    // An absent volume is silent; music tracks, unknown names and unloadable files play nothing.
    const Vesk::CSoundChannel quiet = Master().PlaySound("quiet");
    ASSERT_TRUE(quiet.IsValid());
    EXPECT_FLOAT_EQ(0.0f, m_Recording->channelVolumes[quiet.GetHandle().index]);
    for (const char* name : {"one", "nobody", "ghost"})
        EXPECT_FALSE(Master().PlaySound(name).IsValid()) << name;
    EXPECT_EQ(3u, m_Recording->plays.size());
}

TEST_F(CGameMasterTest, ActorsReachTheMasterThroughTheServicesOnlyWhileItIsUp)
{
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player");
    Game::IGameMaster& seam = Game::CGameServices::GetInstance().GameMaster();
    ASSERT_EQ(&seam, static_cast<Game::IGameMaster*>(&Master()));
    EXPECT_TRUE(seam.PlaySound("hit").IsValid());
    seam.AddPlayer(player);
    for (int i = 0; i < 5; ++i)
        seam.AddComboHit(player);
    seam.AddPoints(player, 10);
    Master().Update(0.125f);
    const Game::PlayerStats stats = Master().GetPlayerStats(player);
    const Game::PlayProgress progress = seam.GetPlayProgress(player);
    EXPECT_EQ(progress.m_ShownPoints, stats.m_ShownPoints);
    EXPECT_EQ(progress.m_Combo, 5);
    EXPECT_FLOAT_EQ(progress.m_ComboMultiplier, stats.m_ComboMultiplier);
    EXPECT_FLOAT_EQ(progress.m_ComboTimer, stats.m_ComboTimer);
    EXPECT_FALSE(progress.m_HasWaves);

    // Once the master is down the actors' calls reach nothing and answer the neutral values.
    Master().Shutdown();
    const size_t plays = m_Recording->plays.size();
    Game::IGameMaster& absent = Game::CGameServices::GetInstance().GameMaster();
    EXPECT_NE(&absent, static_cast<Game::IGameMaster*>(&Master()));
    EXPECT_FALSE(absent.PlaySound("hit").IsValid());
    absent.AddPlayer(player);
    absent.AddPoints(player, 10);
    EXPECT_FALSE(Master().HasPlayer(player));
    EXPECT_EQ(absent.GetPlayProgress(player).m_Combo, 0);
    EXPECT_TRUE(absent.AllEnemiesDefeated());
    EXPECT_EQ(m_Recording->plays.size(), plays);
}

TEST_F(CGameMasterTest, SoundListsAddNamesOnceAndBadFilesAddNothing)
{
    testsupport::WriteFile(m_Dir.File("more.xml"), "<root><sounds><sfx>"
                                                   "<hit vol=\"0.1\" url=\"" +
                                                       m_Dir.File("hit.wav") +
                                                       "\"/>"
                                                       "<extra vol=\"0.25\" url=\"" +
                                                       m_Dir.File("hit.wav") +
                                                       "\"/>"
                                                       "</sfx></sounds></root>");
    testsupport::WriteFile(m_Dir.File("broken.xml"), "<sounds><sfx><bad vol=\"1\"");
    Master().LoadSoundList(m_Dir.File("more.xml"));
    Master().LoadSoundList(m_Dir.File("broken.xml"));
    Master().LoadSoundList(m_Dir.File("missing.xml"));
    float volume = 0.0f;
    ASSERT_TRUE(Master().GetSoundVolume("hit", volume));
    EXPECT_FLOAT_EQ(0.7f, volume);                         // the first listing wins
    ASSERT_TRUE(Master().GetSoundVolume("extra", volume)); // "sounds" under another root
    EXPECT_FLOAT_EQ(0.25f, volume);
    EXPECT_FALSE(Master().GetSoundVolume("bad", volume));
    EXPECT_FALSE(Master().GetSoundVolume("one", volume)); // tracks have no volume entry
}

// One row per update of 0.125 s (exact in binary, so the fades land exactly on their steps).
struct MusicStep {
    const char* request; // PlayMusic before the update, when not null
    float requestVolume;
    int state;         // after the update
    const char* track; // current track after the update
    float volume;      // music channel volume after the update
};

void RunTimeline(const MusicStep* steps, size_t count, const std::function<float()>& volumeNow)
{
    for (size_t i = 0; i < count; ++i) {
        const MusicStep& step = steps[i];
        if (step.request)
            CGameMaster::GetInstance().PlayMusic(step.request, step.requestVolume);
        CGameMaster::GetInstance().Update(0.125f);
        EXPECT_EQ(step.state, CGameMaster::GetInstance().GetMusicState()) << "step " << i;
        EXPECT_EQ(step.track, CGameMaster::GetInstance().GetCurrentTrackName()) << "step " << i;
        EXPECT_NEAR(step.volume, volumeNow(), 1e-6f) << "step " << i;
    }
}

TEST_F(CGameMasterTest, MusicCrossFadesAndKeepsTheTrackPlaying)
{
    using Game::MUSIC_FADING_IN;
    using Game::MUSIC_FADING_OUT;
    using Game::MUSIC_PLAYING;
    using Game::MUSIC_STOPPED;
    const MusicStep steps[] = {
        {"one", 0.8f, MUSIC_FADING_IN, "one", 0.0f}, // starts silent
        {nullptr, 0, MUSIC_FADING_IN, "one", 0.2f},
        {nullptr, 0, MUSIC_FADING_IN, "one", 0.4f},
        {nullptr, 0, MUSIC_FADING_IN, "one", 0.6f},
        {nullptr, 0, MUSIC_FADING_IN, "one", 0.8f}, // the timer lands on 0: one more step
        {nullptr, 0, MUSIC_PLAYING, "one", 0.8f},
        {"one", 0.1f, MUSIC_PLAYING, "one", 0.8f}, // the same track again: nothing
        {"two", 0.5f, MUSIC_FADING_OUT, "one", 0.6f},
        {nullptr, 0, MUSIC_FADING_OUT, "one", 0.4f},
        {nullptr, 0, MUSIC_FADING_OUT, "one", 0.2f},
        {nullptr, 0, MUSIC_FADING_OUT, "one", 0.0f},
        {nullptr, 0, MUSIC_STOPPED, "", 0.0f},
        {nullptr, 0, MUSIC_FADING_IN, "two", 0.0f},
        {nullptr, 0, MUSIC_FADING_IN, "two", 0.125f},
        {nullptr, 0, MUSIC_FADING_IN, "two", 0.25f},
        // A request during the fade-in fades out from where the fade-in stands, then plays.
        {"three", 1.0f, MUSIC_FADING_OUT, "two", 0.125f},
        {nullptr, 0, MUSIC_FADING_OUT, "two", 0.0f},
        {nullptr, 0, MUSIC_STOPPED, "", 0.0f},
        {nullptr, 0, MUSIC_FADING_IN, "three", 0.0f},
        {nullptr, 0, MUSIC_FADING_IN, "three", 0.25f},
    };
    RunTimeline(steps, std::size(steps), [this] { return MusicVolume(); });
    ASSERT_EQ(3u, m_Recording->plays.size());
    EXPECT_EQ(m_Dir.File("three.wav"), m_Recording->plays.back().path);
    EXPECT_EQ(-1, m_Recording->plays.back().loopCount);
    EXPECT_EQ(2u, m_Recording->halts.size()); // "one" and "two" were stopped

    Master().StopMusic();
    EXPECT_EQ(Game::MUSIC_STOPPED, Master().GetMusicState());
    EXPECT_FALSE(Master().GetMusicChannel().IsPlaying());
    EXPECT_EQ("", Master().GetCurrentTrackName());
}

TEST_F(CGameMasterTest, RequestsDuringAFadeOutKeepFadingAndAMissingTrackCanBeRetried)
{
    using Game::MUSIC_FADING_IN;
    using Game::MUSIC_FADING_OUT;
    using Game::MUSIC_STOPPED;
    Master().PlayMusic("one", 1.0f);
    for (int i = 0; i < 6; ++i)
        Master().Update(0.125f);
    const MusicStep steps[] = {
        {"two", 1.0f, MUSIC_FADING_OUT, "one", 0.75f},
        {"three", 1.0f, MUSIC_FADING_OUT, "one", 0.5f}, // no jump back to full volume
        {nullptr, 0, MUSIC_FADING_OUT, "one", 0.25f},
        {nullptr, 0, MUSIC_FADING_OUT, "one", 0.0f},
        {nullptr, 0, MUSIC_STOPPED, "", 0.0f},
        {nullptr, 0, MUSIC_FADING_IN, "three", 0.0f},
    };
    RunTimeline(steps, std::size(steps), [this] { return MusicVolume(); });

    Master().StopMusic();
    Master().PlayMusic("nowhere", 1.0f); // not in the list: never plays
    Master().Update(0.125f);
    EXPECT_EQ(MUSIC_STOPPED, Master().GetMusicState());
    EXPECT_EQ("", Master().GetCurrentTrackName());
    EXPECT_EQ("", Master().GetNextTrackName());
    Master().PlayMusic("one", 1.0f);
    Master().Update(0.125f);
    EXPECT_EQ(MUSIC_FADING_IN, Master().GetMusicState());
    EXPECT_EQ("one", Master().GetCurrentTrackName());
}

TEST_F(CGameMasterTest, CombosRaiseTheMultiplierAndPointsShortenTheComboTimer)
{
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player");
    Master().AddPlayer(player);
    // Combo size -> multiplier after the next update.
    const struct {
        int hits;
        float multiplier;
    } combos[] = {{0, 1.0f}, {4, 1.0f}, {5, 1.1f}, {9, 1.1f}, {10, 1.2f}, {14, 1.2f}, {15, 1.3f}};
    for (const auto& row : combos) {
        Master().ResetPlayerStats();
        for (int i = 0; i < row.hits; ++i)
            Master().AddComboHit(player);
        Master().Update(0.0f);
        EXPECT_FLOAT_EQ(row.multiplier, Master().GetPlayerStats(player).m_ComboMultiplier) << row.hits << " hits";
    }

    Master().ResetPlayerStats();
    for (int i = 0; i < 5; ++i)
        Master().AddComboHit(player);
    EXPECT_FLOAT_EQ(5.0f, Master().GetPlayerStats(player).m_ComboTimer);
    Master().Update(0.0f);
    Master().AddPoints(player, 10);
    Game::PlayerStats stats = Master().GetPlayerStats(player);
    EXPECT_EQ(21, stats.m_Points); // 10 + trunc(10 x 1.1)
    EXPECT_FLOAT_EQ(2.5f, stats.m_ComboTimer);
    EXPECT_EQ(21, stats.m_PointsToShow);

    // The combo ends when its timer runs out; the best combo stays.
    for (int i = 0; i < 20; ++i)
        Master().Update(0.125f);
    EXPECT_EQ(5, Master().GetPlayerStats(player).m_Combo);
    Master().Update(0.125f);
    stats = Master().GetPlayerStats(player);
    EXPECT_EQ(0, stats.m_Combo);
    EXPECT_EQ(5, stats.m_BestCombo);
    EXPECT_EQ(21, stats.m_ShownPoints); // counted up, then set once the count-up timer ran out
}

TEST_F(CGameMasterTest, ShownPointsCountUpOneAFrameUntilTheirTimerRunsOut)
{
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player");
    Master().AddPlayer(player);
    Master().AddPoints(player, 100); // 200 points, count-up timer 1.0
    for (int i = 1; i <= 7; ++i) {
        Master().Update(0.125f);
        EXPECT_EQ(i, Master().GetPlayerStats(player).m_ShownPoints) << "update " << i;
    }
    Master().Update(0.125f); // lands on 0: still counting
    EXPECT_EQ(8, Master().GetPlayerStats(player).m_ShownPoints);
    Master().Update(0.125f);
    EXPECT_EQ(200, Master().GetPlayerStats(player).m_ShownPoints);
}

TEST_F(CGameMasterTest, ScoresAndRecords)
{
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player");
    Game::CEntity* other = Make(Game::GENERIC_CHARACTER, "second");
    // Points are doubled at multiplier 1.0, so the rows add half of them.
    const struct {
        int bestCombo, deaths, damageTaken, points, score;
    } rows[] = {{10, 1, 2, 200, 248}, {0, 0, 0, 0, 0}, {0, 3, 10, 6, -664}, {1, 0, 0, 8, 31}};
    Master().AddPlayer(player);
    for (const auto& row : rows) {
        Master().ResetPlayerStats();
        for (int i = 0; i < row.bestCombo; ++i)
            Master().AddComboHit(player);
        Master().AddDeath(player, row.deaths);
        Master().AddDamageTaken(player, row.damageTaken);
        Master().Update(10.0f); // ends the combo: the multiplier is back to 1.0
        Master().AddPoints(player, row.points / 2);
        EXPECT_EQ(row.score, Master().GetScore(player))
            << row.bestCombo << '/' << row.deaths << '/' << row.damageTaken << '/' << row.points;
    }

    // Only known players are counted; adding a player again keeps its record.
    Master().AddKill(other);
    Master().AddDamageDealt(other, 5);
    EXPECT_EQ(0, Master().GetScore(other));
    EXPECT_FALSE(Master().HasPlayer(other));
    Master().AddPlayer(nullptr);
    Master().AddKill(player);
    Master().AddDamageDealt(player, 7);
    Master().AddPlayer(player);
    Game::PlayerStats stats = Master().GetPlayerStats(player);
    EXPECT_EQ(1, stats.m_Kills);
    EXPECT_EQ(7, stats.m_DamageDealt);
    EXPECT_EQ(player, stats.m_Player.Get());

    Master().ResetPlayerStats();
    stats = Master().GetPlayerStats(player);
    EXPECT_EQ(0, stats.m_Kills);
    EXPECT_EQ(player, stats.m_Player.Get());
    Master().RemovePlayer(player);
    EXPECT_FALSE(Master().HasPlayer(player));
    EXPECT_EQ(0, Master().GetScore(player));
    EXPECT_EQ(nullptr, Master().GetPlayerStats(player).m_Player.Get());
}

TEST_F(CGameMasterTest, EnemiesAreLiveCharactersWithAnEnabledControllerOtherThanThePlayer)
{
    Game::EntitySetting minion;
    minion.m_ControllerType = Game::MINION;
    EXPECT_TRUE(Master().AllEnemiesDefeated());
    Make(Game::GENERIC_CHARACTER, "player", minion);
    Make(Game::GENERIC_CHARACTER, "bystander"); // no controller
    Make(Game::DESTRUCTIBLE_OBJECT, "crate", minion);
    EXPECT_TRUE(Master().AllEnemiesDefeated());
    EXPECT_EQ(0, Master().GetRemainingEnemyCount());

    Game::CEntity* a = Make(Game::GENERIC_CHARACTER, "a", minion);
    Game::CEntity* b = Make(Game::GENERIC_CHARACTER, "b", minion);
    Game::CEntity* c = Make(Game::GENERIC_CHARACTER, "c", minion);
    ASSERT_NE(nullptr, a->GetController());
    EXPECT_FALSE(Master().AllEnemiesDefeated());
    EXPECT_EQ(3, Master().GetRemainingEnemyCount());
    a->GetController()->m_Enabled = false; // a dormant template
    b->m_LifeState = Game::LIFE_DYING;
    EXPECT_EQ(1, Master().GetRemainingEnemyCount());
    c->m_LifeState = Game::LIFE_DEAD;
    EXPECT_TRUE(Master().AllEnemiesDefeated());
    a->GetController()->m_Enabled = true;
    EXPECT_FALSE(Master().AllEnemiesDefeated());
    Factory().DestroyEntity(a);
    EXPECT_TRUE(Master().AllEnemiesDefeated());
}

} // namespace
