// Each shipped level played from its start to its score screen by the fight bot, which drives the
// player only through key messages: every wave comes, is beaten, and the level counts as cleared
// within a bounded number of frames. Each run reports its frames, the damage dealt and taken, the
// deaths and the score (on standard output and in the build tree's artefacts as
// LevelBotTest_<level>.txt), and keeps a picture of the level in play as LevelBotTest_<level>.bmp.
#include "PlayFixture.h"

#include "game/controllers/CPlayerController.h"
#include "render/CRenderer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <ostream>
#include <sstream>
#include <string>

namespace {

using Game::CCharacter;
using playtest::FightBot;

struct ShippedLevel {
    const char* name;
    int number;
    int frames; // the bound: simulated minutes at 60 frames a second
};

void PrintTo(const ShippedLevel& level, std::ostream* out) { *out << level.name; }

class LevelBotTest : public playtest::PlayFixture, public ::testing::WithParamInterface<ShippedLevel> {
protected:
    // The number of living enemies within the distance of the player.
    static size_t EnemiesNear(const CCharacter& player, float distance)
    {
        size_t near = 0;
        for (const CCharacter* enemy : FightBot::LivingEnemies()) {
            const CVector3D d = enemy->GetPosition() - player.GetPosition();
            near += d.x * d.x + d.z * d.z < distance * distance;
        }
        return near;
    }
};

TEST_P(LevelBotTest, TheBotClearsTheLevelThroughTheKeys)
{
    const ShippedLevel& level = GetParam();
    std::filesystem::create_directories(THRUMMOCK_ARTIFACT_DIR);
    const std::string artefacts = THRUMMOCK_ARTIFACT_DIR;
    Game::CPlayState* play = Play("", level.number);
    ASSERT_NE(nullptr, Player());
    ASSERT_EQ(level.name, Levels().GetLevelName());

    FightBot bot;
    int frames = 0;
    // The frame each wave started on: the wave number counts the waves started plus one.
    std::vector<int> waveStarts;
    bool pictured = false;
    const auto playing = [play] {
        const std::string step = play->GetSubStateName();
        return step == "start" || step == "running";
    };
    for (; frames < level.frames && playing(); ++frames) {
        const CCharacter* player = Player();
        ASSERT_NE(nullptr, player);
        const std::vector<win::Message> keys = bot.Step(*player);
        if (Waves().GetWaveNumber() - 1 > int(waveStarts.size()))
            waveStarts.push_back(frames);
        // The picture: the first frame with three enemies about the player, drawn as the game
        // draws it.
        if (!pictured && EnemiesNear(*player, 60.0f) >= 3) {
            Frame(keys);
            EXPECT_TRUE(
                Vesk::CRenderer::GetInstance().SaveScreenshot(artefacts + "/LevelBotTest_" + level.name + ".bmp"));
            pictured = true;
        } else {
            Step(keys);
        }
    }

    CCharacter* player = Player();
    ASSERT_NE(nullptr, player);
    const Game::CGameMaster& master = Game::CGameMaster::GetInstance();
    const Game::PlayerStats stats = master.GetPlayerStats(player);
    const auto* controller = dynamic_cast<const Game::CPlayerController*>(player->GetController());
    ASSERT_NE(nullptr, controller);
    std::ostringstream report;
    report << level.name << ": " << frames << " frames (" << frames / 60 << " s), waves started at frames";
    for (const int start : waveStarts)
        report << ' ' << start;
    report << " of " << Waves().GetWaveEnemyTotals().size() << " waves, damage dealt " << stats.m_DamageDealt
           << ", taken " << stats.m_DamageTaken << ", deaths " << controller->GetDeathCount() << ", score "
           << master.GetScore(player) << ", enemies left " << Waves().GetRemainingEnemies() << "\n";
    std::cout << report.str();
    std::ofstream(artefacts + "/LevelBotTest_" + level.name + ".txt") << report.str();

    EXPECT_TRUE(Waves().AreAllWavesCleared()) << report.str();
    EXPECT_EQ("endgame", play->GetSubStateName()) << report.str();
    EXPECT_EQ(Waves().GetWaveEnemyTotals().size(), waveStarts.size()) << "a wave never came";
    EXPECT_TRUE(pictured) << "never three enemies about the player";
    EXPECT_GT(stats.m_DamageDealt, 0);
}

INSTANTIATE_TEST_SUITE_P(ShippedLevels, LevelBotTest,
                         ::testing::Values(ShippedLevel{"arena2", 1, 6 * 60 * 60},
                                           ShippedLevel{"emeraldroom", 2, 10 * 60 * 60},
                                           ShippedLevel{"purpleroom", 3, 12 * 60 * 60}),
                         [](const ::testing::TestParamInfo<ShippedLevel>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
