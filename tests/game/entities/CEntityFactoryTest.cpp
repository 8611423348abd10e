// The entity factory: default names and counters, lookups with repeated names, deferred
// destruction within a frame, clones, the player query and Clear.
#include "EntityTestSupport.h"

#include "game/controllers/CPlayerController.h"
#include "game/entities/CSoundTrigger.h"

using CEntityFactoryTest = worldtest::WorldFixture;

TEST_F(CEntityFactoryTest, DefaultNamesCountPerTypeAndRestartAfterShutdown)
{
    EXPECT_EQ("GENERIC_DOODADS0", Make(Game::GENERIC_DOODADS)->GetName());
    EXPECT_EQ("GENERIC_DOODADS1", Make(Game::GENERIC_DOODADS)->GetName());
    EXPECT_EQ("GENERIC_CHARACTER0", Make(Game::GENERIC_CHARACTER)->GetName());
    Make(Game::GENERIC_DOODADS, "named"); // a given name still counts
    Factory().CreateUninitialised(Game::GENERIC_DOODADS);
    EXPECT_EQ("GENERIC_DOODADS4", Factory().MakeEntityName(Game::GENERIC_DOODADS));
    EXPECT_EQ(nullptr, Factory().CreateEntity(8, "", Game::EntitySetting()));

    Factory().Shutdown();
    ASSERT_TRUE(Factory().Init());
    EXPECT_EQ("GENERIC_DOODADS0", Make(Game::GENERIC_DOODADS)->GetName());
}

TEST_F(CEntityFactoryTest, RepeatedNamesAndTypeLookups)
{
    Game::CEntity* first = Make(Game::GENERIC_ENT, "twin");
    Game::CEntity* second = Make(Game::GENERIC_CHARACTER, "twin");
    Make(Game::GENERIC_CHARACTER, "alpha");
    EXPECT_EQ(first, Factory().GetEntityByName("twin"));
    EXPECT_EQ((std::vector<Game::CEntity*>{first, second}), Factory().FindByName("twin"));
    EXPECT_EQ(nullptr, Factory().GetEntityByName("nobody"));
    EXPECT_TRUE(Factory().FindByName("nobody").empty());

    const auto characters = Factory().FindByType(Game::GENERIC_CHARACTER);
    ASSERT_EQ(2u, characters.size());
    EXPECT_EQ("alpha", characters[0]->GetName()); // name order
    EXPECT_EQ(second, characters[1]);

    Factory().DestroyEntity(first);
    EXPECT_EQ(second, Factory().GetEntityByName("twin"));
    Factory().DestroyEntity(nullptr);
}

TEST_F(CEntityFactoryTest, QueuedEntitiesLiveThroughTheFrameAndAreDestroyedOnce)
{
    Game::CEntity* doomed = Make(Game::GENERIC_ENT, "doomed");
    Game::CEntity* other = Make(Game::GENERIC_ENT, "other");
    Game::CEntity* destroyedEarly = Make(Game::GENERIC_ENT, "early");
    const Game::EntityHandle doomedHandle(doomed);
    Factory().QueueDestroy(doomed);
    Factory().QueueDestroy(doomed);
    Factory().QueueDestroy(destroyedEarly);
    Factory().QueueDestroy(nullptr);
    Factory().DestroyEntity(destroyedEarly); // destroyed at once while queued

    Factory().UpdateAll(1.0f / 60.0f);
    EXPECT_EQ(doomed, Factory().GetEntityByName("doomed")); // still there for the frame

    const auto* pool = Game::PooledType<Game::CEntity, Game::CEntity>::s_pPool;
    const auto inUse = pool->GetStatistics().objectsInUse;
    Factory().ProcessPendingDestroys();
    EXPECT_EQ(inUse - 1, pool->GetStatistics().objectsInUse);
    EXPECT_EQ(nullptr, doomedHandle.Get());
    EXPECT_EQ(nullptr, Factory().GetEntityByName("doomed"));
    EXPECT_EQ(other, Factory().GetEntityByName("other"));
    Factory().ProcessPendingDestroys(); // nothing left
    EXPECT_EQ(inUse - 1, pool->GetStatistics().objectsInUse);
}

TEST_F(CEntityFactoryTest, ClonesCopyPrefabPlaceAndDirectionButNotMarkersOrTriggers)
{
    Game::EntitySetting setting;
    setting.m_StartPosition = CVector3D(4, 5, 6);
    setting.m_Direction = CVector3D(1, 0, 0);
    Game::CEntity* source = Make(Game::GENERIC_CHARACTER, "source", setting);
    Game::CEntity* clone = Factory().CloneEntity(*source);
    ASSERT_NE(nullptr, clone);
    EXPECT_NE(source, clone);
    EXPECT_EQ(Game::GENERIC_CHARACTER, clone->GetType());
    EXPECT_EQ("GENERIC_CHARACTER1", clone->GetName());
    EXPECT_FLOAT_EQ(4.0f, clone->GetPosition().x);
    EXPECT_FLOAT_EQ(6.0f, clone->GetPosition().z);
    EXPECT_FLOAT_EQ(1.0f, clone->GetDirection().x);

    for (int type = Game::COLLISIONBOX; type <= Game::LOCATIONBASED_SPAWNER_TRIGGER; ++type) {
        if (type == 11)
            continue;
        Game::CEntity* marker = Make(type, "marker");
        ASSERT_NE(nullptr, marker) << type;
        EXPECT_EQ(nullptr, Factory().CloneEntity(*marker)) << type;
    }
}

TEST_F(CEntityFactoryTest, GameTriggersAreMadeOnlyForTriggerClasses)
{
    Game::GameTriggerSetting triggerSetting;
    triggerSetting.m_SoundName = "cheer";
    auto* trigger = dynamic_cast<Game::CSoundTrigger*>(
        Factory().CreateGameTrigger(Game::SOUND_TRIGGER, "", Game::EntitySetting(), triggerSetting));
    ASSERT_NE(nullptr, trigger);
    EXPECT_EQ("SOUND_TRIGGER0", trigger->GetName());
    EXPECT_EQ("cheer", trigger->GetSoundName());
    EXPECT_EQ(trigger, Factory().GetEntityByName("SOUND_TRIGGER0"));

    const auto* pool = Game::PooledType<Game::CEntity, Game::CEntity>::s_pPool;
    const auto inUse = pool->GetStatistics().objectsInUse;
    EXPECT_EQ(nullptr, Factory().CreateGameTrigger(Game::GENERIC_ENT, "no", Game::EntitySetting(), triggerSetting));
    EXPECT_EQ(inUse, pool->GetStatistics().objectsInUse); // the object went back
}

TEST_F(CEntityFactoryTest, FindPlayerKeepsOnlyALivingPlayerOne)
{
    Game::EntitySetting setting;
    setting.m_ControllerType = Game::PLAYERCONTROLLER;
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player", setting);
    ASSERT_NE(nullptr, dynamic_cast<Game::CPlayerController*>(player->GetController()));
    Make(Game::GENERIC_CHARACTER, "player");           // no controller
    Make(Game::GENERIC_ENT, "player", setting);        // not a character
    Make(Game::GENERIC_CHARACTER, "someone", setting); // another name
    EXPECT_EQ((std::vector<Game::CEntity*>{player}), Factory().FindPlayer());

    player->m_LifeState = Game::LIFE_DYING;
    EXPECT_TRUE(Factory().FindPlayer().empty());
    player->m_LifeState = Game::LIFE_DEAD;
    EXPECT_TRUE(Factory().FindPlayer().empty());
    player->m_LifeState = Game::LIFE_ALIVE;
    static_cast<Game::CPlayerController*>(player->GetController())->SetPlayerOne(false);
    EXPECT_TRUE(Factory().FindPlayer().empty());
}

TEST_F(CEntityFactoryTest, ControllersGoWithTheirEntity)
{
    Game::EntitySetting setting;
    setting.m_ControllerType = Game::MINION;
    Game::CEntity* minion = Make(Game::GENERIC_CHARACTER, "minion", setting);
    Game::IController* controller = minion->GetController();
    ASSERT_NE(nullptr, controller);
    EXPECT_EQ(minion, controller->GetOwnerEntity());
    ASSERT_EQ(1u, Game::CControllerManager::GetInstance().GetControllers().size());
    Factory().DestroyEntity(minion);
    EXPECT_TRUE(Game::CControllerManager::GetInstance().GetControllers().empty());
}

TEST_F(CEntityFactoryTest, ClearDestroysEveryEntityAndEmptiesTheQueue)
{
    std::vector<Game::EntityHandle> handles;
    for (int type : {0, 1, 3, 7, 9, 12, 17})
        handles.emplace_back(Make(type));
    Factory().QueueDestroy(handles.front().Get());
    Factory().Clear();
    EXPECT_TRUE(Factory().GetLiveEntities().empty());
    for (const Game::EntityHandle& handle : handles)
        EXPECT_EQ(nullptr, handle.Get());
    Factory().ProcessPendingDestroys();
    EXPECT_EQ(0u, (Game::PooledType<Game::CEntity, Game::CEntity>::s_pPool->GetStatistics().objectsInUse));
    EXPECT_EQ("GENERIC_ENT1", Factory().MakeEntityName(Game::GENERIC_ENT)); // Clear keeps the counters
}
