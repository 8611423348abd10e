// The player's actions driven by key presses at a fixed step: the sword combo, dodges, the charged
// specials, death with its tombstone, and revival.
#include "PlayerTestSupport.h"

#include "game/fx/CSprite3D.h"
#include "game/voxel/CVeskCubeAnimationController.h"

#include <gtest/gtest.h>

namespace playertest {
namespace {

using Strings = std::vector<std::string>;

class CPlayerActionsTest : public PlayerFixture {
protected:
    // Holds the special for the given time, the special's first frame included.
    Strings HoldSpecial(float seconds)
    {
        Down(KEY_SPECIAL);
        return Run(seconds);
    }
};

TEST_F(CPlayerActionsTest, PressesInsideTheWindowRunTheComboThenItStartsOver)
{
    SettleIn();
    Strings swings;
    for (int press = 0; press < 5; ++press) {
        RunUntilFree();
        for (const std::string& name : Tap(KEY_ATTACK))
            swings.push_back(name);
    }
    EXPECT_EQ((Strings{"FirstSwing", "SecondSwing", "FirstSwing", "SecondSwing", "ThirdSwing"}), swings);
    EXPECT_EQ(5u, m_Controller->GetComboHistory().size());
    EXPECT_TRUE(Tap(KEY_ATTACK).empty()) << "the last swing holds the player";

    Run(0.6f);
    EXPECT_TRUE(m_Controller->GetComboHistory().empty()) << "the window ran out";
    RunUntilFree();
    EXPECT_EQ(Strings{"FirstSwing"}, Tap(KEY_ATTACK)) << "a new combo starts";
}

TEST_F(CPlayerActionsTest, AHeldAttackSwingsOnceAndAFurtherSwingNeedsANewPress)
{
    SettleIn();
    Down(KEY_ATTACK);
    EXPECT_EQ(Strings{"FirstSwing"}, Run(1.0f));
    Up(KEY_ATTACK);
    Frame();
    EXPECT_EQ(Strings{"FirstSwing"}, Tap(KEY_ATTACK)) << "the window closed while the key was held";
}

TEST_F(CPlayerActionsTest, ADodgeClearsTheComboAndTheSpecialAfterItIsTheNeedle)
{
    SettleIn();
    Tap(KEY_ATTACK);
    RunUntilFree();
    ASSERT_EQ(std::vector<int>{Game::CPlayerController::kComboSwing}, m_Controller->GetComboHistory());

    Tap(KEY_DODGE);
    EXPECT_EQ(std::vector<int>{Game::CPlayerController::kComboDodge}, m_Controller->GetComboHistory());
    ASSERT_NE(nullptr, m_Player->GetMoveQueue().GetFront());
    EXPECT_EQ("dodge", m_Player->GetMoveQueue().GetFront()->GetName());
    RunUntilFree();
    EXPECT_EQ(Strings{"NeedleAttack"}, Tap(KEY_SPECIAL));
    RunUntilFree();
    Run(0.7f);
    EXPECT_EQ(Strings{"SmallEnergyBall"}, Tap(KEY_SPECIAL)) << "without a dodge before it";
}

struct ChargeCase {
    int skills;
    float hold;
    int level;
    Strings released; // attacks of the release
    const char* lastSound;
};

class ChargeTable : public CPlayerActionsTest, public ::testing::WithParamInterface<ChargeCase> {};

TEST_P(ChargeTable, TheChargeRisesWithTheHoldUpToTheCollectedSkills)
{
    const ChargeCase& c = GetParam();
    SettleIn();
    m_Controller->SetCollectedSkills(c.skills);
    EXPECT_EQ(Strings{"SmallEnergyBall"}, HoldSpecial(c.hold)) << "the press fires at once";
    EXPECT_EQ(c.level, m_Controller->GetChargeLevel());
    EXPECT_EQ(c.lastSound, m_Controller->GetChargingSoundName());
    for (int level = 1; level <= 3; ++level)
        EXPECT_EQ(level <= c.level ? 1 : 0, Plays("charge_achieve" + std::to_string(level))) << level;

    Up(KEY_SPECIAL);
    EXPECT_EQ(c.released, Run(0.1f));
    EXPECT_EQ(0, m_Controller->GetChargeLevel());
    EXPECT_EQ("", m_Controller->GetChargingSoundName());
}

INSTANTIATE_TEST_SUITE_P(Levels, ChargeTable,
                         ::testing::Values(ChargeCase{0, 2.0f, 0, {}, ""}, ChargeCase{1, 1.0f, 0, {}, "charging_1"},
                                           ChargeCase{1, 1.5f, 1, {"MediumEnergyBall"}, "charging_full"},
                                           ChargeCase{2, 2.5f, 2, {"MediumEnergyBall2"}, "charging_full"},
                                           ChargeCase{3, 2.5f, 2, {"MediumEnergyBall2"}, "charging_3"},
                                           ChargeCase{3, 3.5f, 3, {"LargeEnergyBall"}, "charging_full"}));

TEST_F(CPlayerActionsTest, AChargedReleaseDuringTheDodgeFiresTheDrillOnceTheDodgeEnds)
{
    SettleIn();
    m_Controller->SetCollectedSkills(2);
    HoldSpecial(2.4f);
    ASSERT_EQ(2, m_Controller->GetChargeLevel());
    Tap(KEY_DODGE);
    ASSERT_FALSE(m_Player->GetMoveQueue().IsEmpty());
    Up(KEY_SPECIAL);
    Frame();
    EXPECT_TRUE(m_Controller->IsChargingDuringDodge()) << "the release is kept";

    Strings fired;
    for (int i = 0; i < 60 && fired.empty(); ++i)
        fired = Frame();
    EXPECT_EQ((Strings{"DrillBackBlast", "DrillAttack"}), fired);
    EXPECT_FALSE(m_Controller->IsChargingDuringDodge());
    ASSERT_NE(nullptr, m_Player->GetMoveQueue().GetFront());
    EXPECT_EQ("chargeDrill", m_Player->GetMoveQueue().GetFront()->GetName());
}

TEST_F(CPlayerActionsTest, ASpecialReleasedWhileAMoveRunsDoesNotLockTheNextPress)
{
    SettleIn();
    Tap(KEY_DODGE);
    RunUntilFree();
    // The needle's drill is still running when the key comes up.
    Down(KEY_SPECIAL);
    ASSERT_EQ(Strings{"NeedleAttack"}, Frame());
    Up(KEY_SPECIAL);
    Frame();
    ASSERT_FALSE(m_Player->GetMoveQueue().IsEmpty());
    RunUntilFree();
    Run(0.7f);
    EXPECT_EQ(Strings{"SmallEnergyBall"}, Tap(KEY_SPECIAL));
}

TEST_F(CPlayerActionsTest, DeathLeavesATombstoneAndAPressRevives)
{
    SettleIn();
    m_Controller->SetCollectedSkills(3);
    m_Player->TakeDamage(m_Player->m_MaxHealth);
    Run(0.05f);
    EXPECT_TRUE(m_Controller->IsDead());
    EXPECT_EQ(1, m_Controller->GetDeathCount());
    EXPECT_EQ(0, m_Controller->GetCollectedSkills());
    EXPECT_EQ(3u, CountEntities("fireskill")) << "every skill flies out";
    ASSERT_NE(nullptr, m_Player->GetMoveQueue().GetFront());
    EXPECT_EQ("death", m_Player->GetMoveQueue().GetFront()->GetName());

    Game::CSprite3D* tombstone = m_Controller->GetTombstone();
    ASSERT_NE(nullptr, tombstone);
    Run(0.7f);
    EXPECT_FALSE(m_Player->GetMoveQueue().IsEmpty()) << "the death move lasts 0.75 s";
    Run(0.1f);
    ASSERT_NE(nullptr, tombstone->m_pAnimationController);
    EXPECT_EQ("CREATED", tombstone->m_pAnimationController->GetCurrentAnimationName());

    EXPECT_TRUE(Tap(KEY_ATTACK).empty()) << "the actions stay locked a moment after the fall";
    Run(1.0f);
    EXPECT_EQ(Strings{"PlayerRevive"}, Tap(KEY_ATTACK));
    EXPECT_FALSE(m_Controller->IsDead());
    EXPECT_EQ(m_Player->m_MaxHealth, m_Player->m_Health);
    EXPECT_EQ(Game::LIFE_ALIVE, m_Player->m_LifeState);
    EXPECT_EQ("alive", m_Player->GetLifeMachineState());
    EXPECT_TRUE(m_Player->m_Spawning);
    EXPECT_GT(m_Controller->GetReviveTimer(), 1.0f);

    // A second death plays out like the first.
    Run(2.5f);
    m_Player->TakeDamage(m_Player->m_MaxHealth);
    Run(0.1f);
    EXPECT_TRUE(m_Controller->IsDead());
    EXPECT_EQ(2, m_Controller->GetDeathCount());
    ASSERT_NE(nullptr, m_Player->GetMoveQueue().GetFront());
    EXPECT_EQ("death", m_Player->GetMoveQueue().GetFront()->GetName());
}

TEST_F(CPlayerActionsTest, APressInTheGraceTimeSpawnsThePlayerWithTheRevive)
{
    Frame();
    EXPECT_EQ(Strings{"PlayerRevive"}, Tap(KEY_DODGE));
    EXPECT_EQ(Game::CPlayerController::SPAWN, m_Controller->GetNextAnimState());
}

// One revive per revive time: the player who keeps tapping, or holds the key, through the time
// of the opening or of a revive after a death revives once, and once the time is over the next
// tap swings the sword.
TEST_F(CPlayerActionsTest, PressesDuringAReviveDoNotReviveAgain)
{
    struct Case {
        const char* name;
        bool afterDeath;
        bool held;
    };
    const Case cases[] = {
        {"tapped through the opening", false, false},
        {"tapped through a revive", true, false},
        {"held through a revive", true, true},
    };
    const float reviveTime = Game::CPlayerController::kReviveGrace;
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (test.afterDeath) {
            RunUntilFree();
            m_Player->TakeDamage(m_Player->m_MaxHealth);
            // The death move and the lock after the fall.
            Run(2.0f);
            ASSERT_TRUE(m_Controller->IsDead());
        }
        // Taps one frame long every 6 frames (10 a second); a held key stays down through the
        // revive time first.
        const int heldUntil = test.held ? int(reviveTime / kDt) : -1;
        auto keyDown = [&](int frame) { return frame <= heldUntil || frame % 6 == 0; };
        int revives = 0;
        float swungAt = -1.0f;
        for (int frame = 0; frame < int((reviveTime + 0.5f) / kDt) && swungAt < 0.0f; ++frame) {
            if (keyDown(frame) && (frame == 0 || !keyDown(frame - 1)))
                Down(KEY_ATTACK);
            else if (!keyDown(frame) && frame > 0 && keyDown(frame - 1))
                Up(KEY_ATTACK);
            for (const std::string& name : Frame()) {
                revives += name == "PlayerRevive";
                if (name == "FirstSwing")
                    swungAt = float(frame) * kDt;
            }
        }
        EXPECT_EQ(1, revives);
        EXPECT_FALSE(m_Controller->IsDead());
        EXPECT_GE(swungAt, reviveTime - kDt) << "a swing during the revive time";
        EXPECT_LE(swungAt, reviveTime + 0.2f) << "no swing soon after the revive time";
        Up(KEY_ATTACK);
        RunUntilFree();
    }
}

TEST_F(CPlayerActionsTest, OneCoinOfTwoTouchingIsTakenAFrame)
{
    SettleIn();
    Game::EntitySetting setting =
        Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::PICKUPITEM, "smallcoin");
    setting.m_StartPosition = m_Player->GetPosition();
    for (int i = 0; i < 2; ++i)
        ASSERT_NE(nullptr, Make(Game::PICKUPITEM, "smallcoin", setting));
    const int before = Game::CGameMaster::GetInstance().GetPlayerStats(m_Player).m_Points;

    auto points = [this] { return Game::CGameMaster::GetInstance().GetPlayerStats(m_Player).m_Points; };
    // A coin is worth 10 points, raised by the combo multiplier.
    Frame();
    const int coin = points() - before;
    EXPECT_GE(coin, 10);
    Frame();
    EXPECT_EQ(before + 2 * coin, points());
    Frame();
    EXPECT_EQ(before + 2 * coin, points());
}

} // namespace
} // namespace playertest
