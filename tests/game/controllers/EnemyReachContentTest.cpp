// The shipped enemies reach the player they stop beside. For every enemy kind of
// bin/assets/prefabsettings.xml, read with its attack from bin/assets/attacks.xml through the
// game's loaders, the attack's box (placed along the facing, swept along its flight for a
// flying one) must cover a still player anywhere from touching the enemy out to the farthest
// the enemy stands when it strikes: its prefab's attack radius, where a melee kind stops; the
// spot the boss's follow stops at; the boar runs into the player. It must also overlap, in
// height, a player standing on the enemy's floor. A new enemy kind fails until it is given a
// row here.
#include "game/base/CSlotHash.h"
#include "game/combat/AttackXml.h"
#include "game/controllers/CApparationController.h"
#include "game/controllers/CBigBossController.h"
#include "game/controllers/CBoarController.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/controllers/CGenericAttackFlockController.h"
#include "game/entities/CCharacter.h"
#include "game/world/TypeRegistration.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// What a kind attacks with and the farthest from a still player it stands when it does.
struct Strike {
    std::string attack;
    float farthest = 0.0f;
};

// The kind's strike, from the controller type its prefab names; false for a kind this test does
// not know.
bool StrikeOf(const Game::EntitySetting& kind, float touching, Strike& out)
{
    switch (kind.m_ControllerType) {
    case Game::MINION:
    case Game::SLIME:
    case Game::UNDEAD:
    case Game::GOLEM:
        out = {Game::CGenericAttackFlockController::AttackFor(kind.m_ControllerType), kind.m_AttackRadius};
        return true;
    case Game::APPARATION: out = {Game::CApparationController::kFireball, kind.m_AttackRadius}; return true;
    case Game::BOAR: out = {Game::CBoarController::kHeadbuttAttack, touching}; return true;
    case Game::BIGBOSS:
        out = {Game::CBigBossController::kSmashAttack,
               Game::CBigBossController::kFollowOffset + std::sqrt(Game::CCharacter::kArrivalDistanceSquared)};
        return true;
    default: return false;
    }
}

float HalfWidth(const Game::EntitySetting& kind) { return 0.5f * std::min(kind.m_DimX, kind.m_DimZ); }

TEST(EnemyReachContentTest, EveryEnemyKindsAttackReachesAStillPlayerFromWhereItStrikes)
{
    Game::RegisterEntityTypes();
    Game::RegisterControllerTypes();
    Game::CSlotHash::GetInstance().RegisterCollisionGroups();
    Game::CGamePrefabSettings& prefabs = Game::CGamePrefabSettings::GetInstance();
    prefabs.Shutdown();
    const std::string assets = testsupport::SourceDir() + "/bin/assets/";
    ASSERT_TRUE(prefabs.LoadFromXml(assets + "prefabsettings.xml"));
    Game::AttackDefinitions attacks;
    ASSERT_TRUE(Game::LoadAttackDefinitions(assets + "attacks.xml", attacks));

    const Game::EntitySetting player = prefabs.GetEntitySetting(Game::GENERIC_CHARACTER, "player");
    ASSERT_EQ(Game::PLAYERCONTROLLER, player.m_ControllerType);
    int enemies = 0;
    for (const std::string& name : prefabs.GetEntitySettingNames(Game::GENERIC_CHARACTER)) {
        const Game::EntitySetting kind = prefabs.GetEntitySetting(Game::GENERIC_CHARACTER, name);
        if (kind.m_ControllerType == Game::PLAYERCONTROLLER || kind.m_ControllerType == Game::CONTROLLER_TYPE_COUNT)
            continue;
        SCOPED_TRACE(name);
        ++enemies;
        const float touching = HalfWidth(kind) + HalfWidth(player);
        Strike strike;
        ASSERT_TRUE(StrikeOf(kind, touching, strike))
            << "no strike known for controller type " << kind.m_ControllerType;
        const auto found = attacks.find(strike.attack);
        ASSERT_NE(attacks.end(), found) << strike.attack;
        const Game::AttackRecord& attack = found->second;

        // Along the facing (an axis: the box is widest along a diagonal), the player's box meets
        // the attack's from the near to the far end of the attack's way.
        const float forward = attack.m_OffsetFromUser.x;
        const float flight = attack.m_MovementType == Game::ATTACK_FLIES
                                 ? attack.m_Speed * attack.m_Persist * attack.m_Direction.x
                                 : 0.0f;
        const float overlap = HalfWidth(player) + 0.5f * std::min(attack.m_Dimension.x, attack.m_Dimension.z);
        const float nearEnd = forward + std::min(flight, 0.0f) - overlap;
        const float farEnd = forward + std::max(flight, 0.0f) + overlap;
        EXPECT_LT(nearEnd, touching) << strike.attack << " misses a player touching the enemy";
        EXPECT_GT(farEnd, strike.farthest)
            << strike.attack << " reaches " << farEnd << ", the enemy strikes from up to " << strike.farthest;

        // Both stand on one floor: the attack's heights, from the enemy's centre, meet the player's.
        const float centre = 0.5f * kind.m_DimY + attack.m_OffsetFromUser.y;
        EXPECT_LT(centre - 0.5f * attack.m_Dimension.y, player.m_DimY) << strike.attack << " passes over the player";
        EXPECT_GT(centre + 0.5f * attack.m_Dimension.y, 0.0f) << strike.attack << " stays below the floor";
    }
    EXPECT_GE(enemies, 7);
    prefabs.Shutdown();
}

} // namespace
