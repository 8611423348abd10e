// Fights played in the real play state on level 2's room, with the player driven only through its
// keys by a small bot: one enemy of each kind, placed beside the player, fights back and is beaten
// (the skeleton twice: it rises once); and level 2's first wave, which mixes kinds, is beaten until
// the wave manager moves on to the next wave.
#include "PlayFixture.h"

#include "game/controllers/CBigBossController.h"
#include "game/controllers/CEnemyController.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <set>
#include <string>

namespace {

using Game::CCharacter;
using Game::CEnemyController;
using playtest::FightBot;

using EnemyFightTest = playtest::PlayFixture;

// The state its controller's behaviour machine has entered at the level ("" when the enemy or
// its controller is gone): the enemy controllers' and the boss's.
std::string StateOf(const Game::EntityHandle& enemy, unsigned level)
{
    const CCharacter* character = enemy.GetAs<CCharacter>();
    const Game::IController* controller = character ? character->GetController() : nullptr;
    if (const auto* foe = dynamic_cast<const CEnemyController*>(controller))
        return foe->GetStateName(level);
    if (const auto* boss = dynamic_cast<const Game::CBigBossController*>(controller))
        return boss->GetStateName(level);
    return "";
}

struct Kind {
    const char* prefab;
    float seconds; // simulated time the bot may take
    bool rises;    // beaten twice: it rises once
};

void PrintTo(const Kind& kind, std::ostream* out) { *out << kind.prefab; }

class EnemyKindFightTest : public EnemyFightTest, public ::testing::WithParamInterface<Kind> {};

TEST_P(EnemyKindFightTest, ThePlayerBeatsOneEnemyThatFightsBack)
{
    const Kind& kind = GetParam();
    const std::string level = std::string("fight_") + kind.prefab;
    // Thirty units ahead of the player, facing it.
    WriteLevel("assets/levels/" + level + ".xml", level,
               std::string("  <entity name=\"foe\" type=\"GENERIC_CHARACTER\" entitysettingprefabname=\"") +
                   kind.prefab + "\" posX=\"70\" posY=\"10\" posZ=\"60\" dirX=\"-1\" dirY=\"0\" dirZ=\"0\"/>\n");
    Game::CPlayState* play = Play("assets/levels/" + level + ".xml");
    auto* foe = dynamic_cast<CCharacter*>(Game::CEntityFactory::GetInstance().GetEntityByName("foe"));
    ASSERT_NE(nullptr, foe);
    ASSERT_NE(nullptr, foe->GetController());
    const Game::EntityHandle handle(foe);
    bool foughtBack = false, roseAgain = false;
    int fakeDeaths = 0;
    std::string lastTop = "alivestate";
    const bool over =
        Fight([&] { return StateOf(handle, 0).empty() || StateOf(handle, 1) == "death_dead"; }, kind.seconds,
              [&] {
                  foughtBack = foughtBack || AttackOf(handle) || DamageTaken() > 0;
                  const std::string top = StateOf(handle, 0);
                  fakeDeaths += top == "fakedeathstate" && lastTop != top;
                  roseAgain = roseAgain || (lastTop == "fakedeathstate" && top == "alivestate");
                  lastTop = top;
              });
    EXPECT_TRUE(over) << "still standing after " << kind.seconds << " s with "
                      << (handle.GetAs<CCharacter>() ? handle.GetAs<CCharacter>()->m_Health : 0) << " health";
    EXPECT_TRUE(foughtBack) << "a punching bag: no attack of its own and no damage to the player";
    EXPECT_EQ(kind.rises ? 1 : 0, fakeDeaths);
    EXPECT_EQ(kind.rises, roseAgain);
    // Without waves the level is cleared once its one enemy is down, and the score screen follows.
    Step();
    Step();
    if (const CCharacter* dead = handle.GetAs<CCharacter>()) {
        EXPECT_GE(dead->m_LifeState, Game::LIFE_DYING);
        EXPECT_FALSE(dead->GetController()->m_Enabled);
    }
    EXPECT_TRUE(Waves().AreAllWavesCleared());
    EXPECT_EQ(0, Game::CGameMaster::GetInstance().GetRemainingEnemyCount());
    EXPECT_EQ("endgame", play->GetSubStateName());
}

INSTANTIATE_TEST_SUITE_P(EveryKind, EnemyKindFightTest,
                         ::testing::Values(Kind{"slime", 40.0f, false}, Kind{"koboldminion", 40.0f, false},
                                           Kind{"skeleton", 60.0f, true}, Kind{"ghost", 60.0f, false},
                                           Kind{"boar", 60.0f, false}, Kind{"golem", 90.0f, false},
                                           Kind{"bigboss", 180.0f, false}),
                         [](const ::testing::TestParamInfo<Kind>& info) { return std::string(info.param.prefab); });

TEST_F(EnemyFightTest, LevelTwosFirstWaveOfMixedKindsIsBeatenAndTheNextWaveComes)
{
    Play("assets/levels/emeraldroom.xml");
    for (int i = 0; i < 900 && FightBot::LivingEnemies().empty(); ++i)
        Step();
    ASSERT_EQ(2, Waves().GetWaveNumber());
    ASSERT_EQ(6, Waves().GetWaveEnemyTotal());
    std::set<std::string> prefabs;
    size_t mostAlive = 0;
    const bool cleared = Fight([] { return Waves().GetRemainingEnemies() == 0; }, 240.0f,
                               [&] {
                                   const std::vector<CCharacter*> enemies = FightBot::LivingEnemies();
                                   mostAlive = std::max(mostAlive, enemies.size());
                                   for (const CCharacter* enemy : enemies)
                                       prefabs.insert(enemy->GetPrefabName());
                               });
    EXPECT_TRUE(cleared) << Waves().GetRemainingEnemies() << " left";
    EXPECT_EQ((std::set<std::string>{"koboldminion", "skeleton"}), prefabs);
    EXPECT_GT(mostAlive, 1u) << "the wave came one at a time";
    EXPECT_EQ(2, Waves().GetWaveNumber());
    // The next wave comes after its banner.
    for (int i = 0; i < 900 && Waves().GetWaveNumber() == 2; ++i)
        Step();
    EXPECT_EQ(3, Waves().GetWaveNumber());
    EXPECT_FALSE(Waves().AreAllWavesCleared());
}

} // namespace
