// The player controller's frame and hooks: targets, the enemy arrow, stuns, hits, landed attacks,
// and a teardown in the middle of the death move.
#include "PlayerTestSupport.h"

#include "game/fx/CSprite3D.h"
#include "scene/CSceneNodes.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace playertest {
namespace {

using Strings = std::vector<std::string>;

class CPlayerControllerTest : public PlayerFixture {
protected:
    // A character with the test model at a point, under a controller when a type is given.
    Game::CCharacter* Enemy(const CVector3D& at, int controllerType = Game::CONTROLLER_TYPE_COUNT)
    {
        Game::EntitySetting setting;
        setting.m_MeshName = "mover";
        setting.m_HealthPoints = 30;
        setting.m_StartPosition = at;
        setting.m_DimY = 6.0f;
        setting.m_ControllerType = controllerType;
        auto* enemy = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, std::string(), setting));
        EXPECT_NE(nullptr, enemy);
        return enemy;
    }

    static bool Shown(const Game::CSprite3D* sprite)
    {
        return sprite && sprite->m_pGeomNode && sprite->m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled);
    }
};

TEST_F(CPlayerControllerTest, TheNearestCharacterAheadIsTheTargetAndMarked)
{
    SettleIn();
    Enemy(CVector3D(40.0f, 3.0f, 0.0f));
    Game::CCharacter* near = Enemy(CVector3D(20.0f, 3.0f, 5.0f));
    Enemy(CVector3D(-60.0f, 3.0f, 0.0f)); // behind the player, out of the sensor
    Run(0.1f);

    // The target list lives within a frame: the ring shows where the nearest one stood.
    ASSERT_TRUE(Shown(m_Controller->GetTargetMarker()));
    const CMatrix4 ring = m_Controller->GetTargetMarker()->m_pTransformNode->GetLocalMatrix();
    EXPECT_NEAR(near->GetPosition().x, ring.m[3], 0.5f);
    EXPECT_NEAR(near->GetPosition().z, ring.m[11], 0.5f);
    EXPECT_NEAR(m_Player->GetPosition().y, ring.m[7], 0.5f);
    EXPECT_EQ(nullptr, m_Controller->GetNearestTarget()) << "emptied at the end of the frame";
}

TEST_F(CPlayerControllerTest, TheArrowPointsAtEnemiesUnderEnabledControllersOnly)
{
    SettleIn();
    Run(0.1f);
    EXPECT_FALSE(Shown(m_Controller->GetEnemyArrow())) << "no enemy";

    // Another character named "player" never counts as an enemy.
    Game::CCharacter* other = Enemy(CVector3D(150.0f, 3.0f, 0.0f), worldtest::RecordingController::kType);
    other->SetName("player");
    Factory().RenameEntity(other, "player");
    Run(0.1f);
    EXPECT_FALSE(Shown(m_Controller->GetEnemyArrow()));

    Game::CCharacter* enemy = Enemy(CVector3D(-150.0f, 3.0f, 0.0f), worldtest::RecordingController::kType);
    Run(0.1f);
    ASSERT_TRUE(Shown(m_Controller->GetEnemyArrow()));
    const CMatrix4 arrow = m_Controller->GetEnemyArrow()->m_pTransformNode->GetLocalMatrix();
    EXPECT_NEAR(m_Player->GetPosition().x, arrow.m[3], 0.5f) << "the arrow stands at the player";

    enemy->GetController()->m_Enabled = false;
    Run(0.1f);
    EXPECT_FALSE(Shown(m_Controller->GetEnemyArrow())) << "a disabled controller is no enemy";
}

TEST_F(CPlayerControllerTest, ASwingAtAFarTargetHopsToItAndANearOneIsStruckWhereThePlayerStands)
{
    SettleIn();
    Game::CCharacter* enemy = Enemy(CVector3D(45.0f, 3.0f, 10.0f));
    Run(0.1f); // the sensor finds it
    const float start = m_Player->GetPosition().x;
    Down(KEY_ATTACK);
    EXPECT_EQ(Strings{"FirstSwing"}, Frame());
    Up(KEY_ATTACK);
    ASSERT_EQ(2u, m_Player->GetMoveQueue().GetCount());
    EXPECT_EQ("hop", m_Player->GetMoveQueue().GetFront()->GetName()) << "the hop runs before the swing";
    Run(0.3f);
    EXPECT_GT(m_Player->GetPosition().x, start + 3.0f) << "the hop carries the player towards the target";
    EXPECT_GT(m_Player->GetDirection().z, 0.1f) << "turned towards the target";

    RunUntilFree();
    Run(0.6f);
    enemy->SetPosition(m_Player->GetPosition() + CVector3D(10.0f, 0.0f, 0.0f));
    Frame();
    const float before = m_Player->GetPosition().x;
    Tap(KEY_ATTACK);
    Run(0.3f);
    EXPECT_NEAR(before, m_Player->GetPosition().x, 0.5f) << "no hop at a near target";
}

TEST_F(CPlayerControllerTest, AStunEndsTheDodgeAndGuardsThePlayerALittleLonger)
{
    SettleIn();
    Tap(KEY_DODGE);
    ASSERT_EQ("dodge", m_Player->GetMoveQueue().GetFront()->GetName());
    ASSERT_TRUE(m_Player->m_Spawning);

    m_Controller->OnStunned(1.0f);
    ASSERT_NE(nullptr, m_Player->GetMoveQueue().GetFront());
    EXPECT_EQ("stun", m_Player->GetMoveQueue().GetFront()->GetName());
    EXPECT_EQ(1u, m_Player->GetMoveQueue().GetCount());
    EXPECT_FALSE(m_Player->m_Spawning) << "the dodge gave the player back";
    EXPECT_FLOAT_EQ(1.0f, m_Player->m_SpeedFactor);
    EXPECT_TRUE(m_Player->m_StunGuard);
    EXPECT_FLOAT_EQ(2.25f, m_Controller->GetStunImmunityTimer());

    Run(2.0f);
    EXPECT_TRUE(m_Player->m_StunGuard);
    Run(0.4f);
    EXPECT_FALSE(m_Player->m_StunGuard);
}

TEST_F(CPlayerControllerTest, HitsAndLandedAttacksCountInTheStatistics)
{
    SettleIn();
    Game::CGameMaster& master = Game::CGameMaster::GetInstance();
    m_Controller->SetCollectedSkills(3);
    m_Controller->OnHit(12);
    EXPECT_EQ(2, m_Controller->GetCollectedSkills());
    EXPECT_EQ(1u, CountEntities("fireskill"));
    EXPECT_EQ(12, master.GetPlayerStats(m_Player).m_DamageTaken);

    Game::CCharacter* enemy = Enemy(CVector3D(100.0f, 3.0f, 0.0f));
    m_Controller->OnAttackLanded(enemy, 7);
    Game::PlayerStats stats = master.GetPlayerStats(m_Player);
    EXPECT_EQ(0, stats.m_Kills);
    EXPECT_EQ(7, stats.m_DamageDealt);
    EXPECT_EQ(1, stats.m_Combo);

    enemy->m_Health = 0;
    m_Controller->OnAttackLanded(enemy, 5);
    stats = master.GetPlayerStats(m_Player);
    EXPECT_EQ(1, stats.m_Kills);
    EXPECT_EQ(12, stats.m_DamageDealt);
    EXPECT_EQ(2, stats.m_Combo);
    EXPECT_GE(stats.m_Points, 30);
}

TEST_F(CPlayerControllerTest, TheEntityGoingDuringTheDeathMoveRunsNoTombstone)
{
    SettleIn();
    m_Player->TakeDamage(m_Player->m_MaxHealth);
    Run(0.1f);
    ASSERT_EQ("death", m_Player->GetMoveQueue().GetFront()->GetName());
    Game::CSprite3D* tombstone = m_Controller->GetTombstone();
    ASSERT_NE(nullptr, tombstone);
    ASSERT_FALSE(Shown(tombstone));

    // The markers go back to the sprite manager with the controller; the cut death move must
    // not reach them (the sanitizer build catches a use after free).
    Factory().DestroyEntity(m_Player);
    m_Player = nullptr;
    m_Controller = nullptr;
    Run(1.0f);
    EXPECT_TRUE(Game::CSprite3DManager::GetInstance().GetSprites().empty() ||
                std::none_of(Game::CSprite3DManager::GetInstance().GetSprites().begin(),
                             Game::CSprite3DManager::GetInstance().GetSprites().end(),
                             [tombstone](const Game::CSprite3D* s) { return s == tombstone; }));
}

TEST_F(CPlayerControllerTest, ResetActionsDropsTheChargeAndTheCombo)
{
    SettleIn();
    m_Controller->SetCollectedSkills(1);
    Tap(KEY_ATTACK);
    Down(KEY_SPECIAL);
    Run(1.3f);
    ASSERT_EQ(1, m_Controller->GetChargeLevel());
    m_Controller->ResetActions();
    EXPECT_EQ(0, m_Controller->GetChargeLevel());
    EXPECT_TRUE(m_Controller->GetComboHistory().empty());
    EXPECT_EQ("", m_Controller->GetChargingSoundName());
    EXPECT_FLOAT_EQ(0.0f, Input().GetHoldTime(Listener::ACTION_SPECIAL));
}

} // namespace
} // namespace playertest
