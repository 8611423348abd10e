// Every enemy kind, on the shipped prefabs and attacks, hurts a player who stands still where the
// enemy stops to attack: at its attack radius, whether the enemy starts there or walks up from
// farther off.
#include "EnemyTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class EnemyStrikeTest : public enemytest::EnemyFixture {
protected:
    EnemyStrikeTest() { m_Models.push_back("fireball"); }

    void SetUp() override
    {
        EnemyFixture::SetUp();
        SettleIn();
    }
};

TEST_F(EnemyStrikeTest, AStillPlayerAtTheAttackRadiusOfEachKindIsHurt)
{
    const char* const kinds[] = {"koboldminion", "slime", "skeleton", "golem", "boar", "ghost"};
    // Extra distance between the attack radius and where the enemy starts.
    const float approaches[] = {0.0f, 12.0f};
    const CVector3D spot(0.0f, 4.0f, 0.0f);
    for (const char* kind : kinds) {
        const Game::EntitySetting prefab =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, kind);
        for (const float approach : approaches) {
            SCOPED_TRACE(std::string(kind) + " from " + std::to_string(prefab.m_AttackRadius + approach));
            PlacePlayer(spot);
            m_Player->m_Health = m_Player->m_MaxHealth;
            Game::CCharacter* enemy =
                Enemy(kind, CVector3D(spot.x + prefab.m_AttackRadius + approach, 0.5f * prefab.m_DimY, spot.z));
            ASSERT_NE(nullptr, enemy);
            enemy->m_MaxHealth = enemy->m_Health = 10000;
            const bool hurt = RunUntil([&] { return m_Player->m_Health < m_Player->m_MaxHealth; }, 10.0f);
            const float distance = (enemy->GetPosition() - m_Player->GetPosition()).Length();
            EXPECT_TRUE(hurt) << "the enemy stands " << distance << " from the player";
            Factory().DestroyEntity(enemy);
            Factory().ProcessPendingDestroys();
            // The player's stun and its guard after a hit wear off before the next enemy comes.
            Run(3.0f);
        }
    }
}

} // namespace
