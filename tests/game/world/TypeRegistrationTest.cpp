// Type registration: every entity and controller type creates an object of its class from its
// pool, and the destroy callback gives it back and clears the caller's pointer.
#include "../entities/EntityTestSupport.h"

#include "game/controllers/CPlayerController.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CGameTrigger.h"
#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/entities/CNonCollidableDestructible.h"

#include <typeinfo>

using TypeRegistrationTest = worldtest::WorldFixture;

TEST_F(TypeRegistrationTest, EveryEntityTypeCreatesItsOwnClass)
{
    const int types[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 10, 12, 13, 14, 15, 16, 17};
    for (int type : types) {
        Game::CEntity* entity = Factory().CreateUninitialised(type);
        ASSERT_NE(nullptr, entity) << type;
        EXPECT_EQ(type, entity->GetType());
        EXPECT_EQ(type >= 12, dynamic_cast<Game::CGameTrigger*>(entity) != nullptr) << type;
        Factory().DestroyEntity(entity);
    }
    EXPECT_EQ(nullptr, Factory().CreateUninitialised(8));
    EXPECT_EQ(nullptr, Factory().CreateUninitialised(11));
    EXPECT_EQ(nullptr, Factory().CreateUninitialised(Game::kEnumNotFound));
    EXPECT_NE(nullptr, dynamic_cast<Game::CNonCollidableDestructible*>(Factory().CreateUninitialised(6)));
}

TEST_F(TypeRegistrationTest, EveryControllerTypeCreatesItsOwnClass)
{
    Game::CControllerManager& manager = Game::CControllerManager::GetInstance();
    for (int type = 0; type <= 12; ++type) {
        Game::IController* controller = manager.CreateController(type, Game::ControllerSetting());
        ASSERT_NE(nullptr, controller) << type;
        EXPECT_EQ(type, controller->GetControllerType());
        manager.DestroyController(controller);
        EXPECT_EQ(nullptr, controller);
    }
    EXPECT_EQ(nullptr, manager.CreateController(Game::CONTROLLER_TYPE_COUNT, Game::ControllerSetting()));
    for (int type = 0; type <= 1; ++type) {
        Game::ISharedCharacterController* shared = manager.CreateSharedController(type, "shared");
        ASSERT_NE(nullptr, shared) << type;
        EXPECT_EQ(type, shared->GetType());
        manager.DestroySharedController(shared);
    }
}

TEST_F(TypeRegistrationTest, DestroyCallbackNullsThePointerAndRefusesOtherClasses)
{
    using Pool = Game::PooledType<Game::CCharacter, Game::CEntity>;
    Game::CEntity* none = nullptr;
    Pool::Destroy(&none);
    EXPECT_EQ(nullptr, none);

    Game::CEntity* character = Pool::Create();
    ASSERT_NE(nullptr, character);
    const auto before = Pool::s_pPool->GetStatistics().objectsInUse;
    Game::CEntity* other = Factory().CreateUninitialised(Game::GENERIC_ENT);
    Pool::Destroy(&other); // a plain entity is not a character: left alone
    EXPECT_NE(nullptr, other);
    Pool::Destroy(&character);
    EXPECT_EQ(nullptr, character);
    EXPECT_EQ(before - 1, Pool::s_pPool->GetStatistics().objectsInUse);
    Factory().DestroyEntity(other);
}

TEST_F(TypeRegistrationTest, RegisteringTwiceKeepsThePoolAndItsObjects)
{
    Game::CEntity* entity = Make(Game::GENERIC_CHARACTER, "kept");
    const auto* pool = Game::PooledType<Game::CCharacter, Game::CEntity>::s_pPool;
    Game::RegisterEntityTypes();
    EXPECT_EQ(pool, (Game::PooledType<Game::CCharacter, Game::CEntity>::s_pPool));
    EXPECT_EQ(entity, Factory().GetEntityByName("kept"));
}
