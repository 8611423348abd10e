// The entity base: XML round trips and defaults, hit recoil, renaming, trigger links that either
// side can release, with entities destroyed while others still refer to them, and bodies that
// enter the world where their entities stand.
#include "EntityTestSupport.h"

#include "core/CXmlDocument.h"
#include "game/entities/CGameTrigger.h"
#include "physics/CRigidBody.h"
#include "scene/CSceneNodes.h"
#include "support/TestSupport.h"

#include <cmath>

namespace {

void ExpectVector(const CVector3D& expected, const CVector3D& actual)
{
    EXPECT_FLOAT_EQ(expected.x, actual.x);
    EXPECT_FLOAT_EQ(expected.y, actual.y);
    EXPECT_FLOAT_EQ(expected.z, actual.z);
}

class CEntityTest : public worldtest::WorldFixture {
protected:
    Vesk::CXmlDocument m_Doc;
    Vesk::CXmlElement Element() { return m_Doc.NewRoot("entity"); }

    static std::string Attributes(const Vesk::CXmlElement& element)
    {
        std::string text;
        for (const auto& attribute : element.GetAttributes())
            text += attribute.first + "=" + attribute.second + " ";
        return text;
    }
};

} // namespace

TEST_F(CEntityTest, SaveWritesTheAttributesInOrderAndLoadReadsThemBack)
{
    struct Case {
        int type;
        CVector3D position;
        CVector3D direction;
        const char* saved;
    };
    const Case cases[] = {
        {Game::GENERIC_ENT, CVector3D(0, 0, 0), CVector3D(0, 0, -1),
         "name=e type=GENERIC_ENT entitysettingprefabname= posX=0 posY=0 posZ=0 dirX=0 dirY=0 dirZ=-1 "},
        {Game::GENERIC_DOODADS, CVector3D(1.5f, -2.25f, 1234567.0f), CVector3D(1, 0, 0),
         "name=e type=GENERIC_DOODADS entitysettingprefabname= posX=1.5 posY=-2.25 posZ=1.23457e+06 dirX=1 "
         "dirY=0 dirZ=0 "},
        {Game::WAVELOCATION, CVector3D(0.1f, 100, 3), CVector3D(0, 0, 1),
         "name=e type=WAVELOCATION entitysettingprefabname= posX=0.1 posY=100 posZ=3 dirX=0 dirY=0 dirZ=1 "},
    };
    for (const Case& c : cases) {
        Game::EntitySetting setting;
        setting.m_StartPosition = c.position;
        setting.m_Direction = c.direction;
        Game::CEntity* entity = Make(c.type, "e", setting);
        ASSERT_NE(nullptr, entity);
        Vesk::CXmlElement element = Element();
        entity->Save(element);
        EXPECT_EQ(c.saved, Attributes(element));

        Game::CEntity* loaded = Factory().CreateUninitialised(c.type);
        loaded->Load(element);
        Vesk::CXmlElement again = m_Doc.NewRoot("entity");
        loaded->Save(again);
        EXPECT_EQ(c.saved, Attributes(again));
        EXPECT_EQ(2u, Factory().FindByName("e").size());
        Factory().Clear();
    }
}

TEST_F(CEntityTest, LoadTakesThePrefabAndDefaultsMissingValues)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("p.xml"), R"(<Root><EntitySetting mappedname="GENERIC_TRAPS">
        <prefab prefabname="pillar" meshname="none" dimX="2" dimY="4" dimZ="6" collisiongroup="4" collisionmask="1">
        <physics><mass val="0"/></physics></prefab></EntitySetting></Root>)");
    ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(dir.File("p.xml")));

    Vesk::CXmlElement element = Element();
    element.SetAttribute("name", "column");
    element.SetAttribute("entitysettingprefabname", "pillar");
    Game::CEntity* entity = Factory().CreateUninitialised(Game::GENERIC_TRAPS);
    entity->Load(element);
    EXPECT_EQ(entity, Factory().GetEntityByName("column"));
    EXPECT_EQ("pillar", entity->GetPrefabName());
    ExpectVector(CVector3D(2, 4, 6), entity->GetDimensions());
    ExpectVector(CVector3D(0, 0, 0), entity->GetPosition());
    ExpectVector(CVector3D(0, 0, -1), entity->GetDirection());
    ASSERT_NE(nullptr, entity->GetBody());
    EXPECT_EQ(entity, entity->GetBody()->GetOwner());
    EXPECT_NE(nullptr, entity->GetTransformNode());
    EXPECT_EQ("column_Trans", entity->GetTransformNode()->GetName());
    EXPECT_EQ("column_Geom", entity->GetGeomNode()->GetName());
    EXPECT_EQ(-1, entity->GetGeomNode()->GetBucketKeys().front());

    // An element without a name still gives a named, findable entity.
    Game::CEntity* nameless = Factory().CreateUninitialised(Game::GENERIC_TRAPS);
    nameless->Load(m_Doc.NewRoot("entity"));
    EXPECT_EQ("GENERIC_TRAPS2", nameless->GetName());
    EXPECT_EQ(nameless, Factory().GetEntityByName("GENERIC_TRAPS2"));
}

TEST_F(CEntityTest, HitRecoilDecaysAndNeverTurnsNegative)
{
    Game::CEntity* entity = Make(Game::GENERIC_ENT, "struck");
    entity->SetHitDirection(3.0f, 0.0f, 4.0f, 1.0f);
    EXPECT_NEAR(0.6f, entity->GetHitDirection().x, 1e-6f);
    EXPECT_FLOAT_EQ(0.4f, entity->GetHitDirection().y);
    EXPECT_NEAR(0.8f, entity->GetHitDirection().z, 1e-6f);
    float expected = 1.0f;
    for (int frame = 0; frame < 120; ++frame) {
        entity->UpdatePhysics(1.0f / 60.0f);
        expected -= (1.0f / 60.0f) * 8.0f * expected;
        ASSERT_NEAR(expected, entity->GetHitStrength(), 1e-5f) << frame;
    }
    entity->SetHitDirection(1, 0, 0, 1.0f);
    entity->UpdatePhysics(1.0f); // 8 x the strength in one step
    EXPECT_EQ(0.0f, entity->GetHitStrength());
}

TEST_F(CEntityTest, RenamedEntityIsFoundUnderTheNewNameOnly)
{
    Game::CEntity* entity = Make(Game::GENERIC_ENT, "before");
    entity->SetName("after");
    EXPECT_EQ(nullptr, Factory().GetEntityByName("before"));
    EXPECT_EQ(entity, Factory().GetEntityByName("after"));
    EXPECT_EQ("after", entity->GetName());
}

TEST_F(CEntityTest, BodyEntersTheWorldWhereTheEntityStandsAndTouchesNothingAtTheOriginInItsFirstFrame)
{
    Game::EntitySetting setting;
    Game::CEntity* still = Make(Game::GENERIC_ENT, "still", setting);
    setting.m_StartPosition = CVector3D(40, 0, 0);
    Game::CEntity* placed = Make(Game::GENERIC_ENT, "placed", setting);
    ASSERT_TRUE(still->GetBody() && placed->GetBody());

    // Before any step: its broadphase entry is where it stands, and pairs it with nothing.
    Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
    EXPECT_NEAR(40.0f, placed->GetBody()->GetBroadphaseBox().GetCenter().x, 0.5f);
    EXPECT_EQ(0, physics.GetOverlappingPairCount());

    // Its first frame: a step, then the collision pass.
    physics.StepSimulation(1.0f / 60.0f, 1, 1.0f / 60.0f);
    physics.ProcessCollisions();
    EXPECT_FALSE(placed->GetBody()->IsTouched());
    EXPECT_FALSE(still->GetBody()->IsTouched());
    EXPECT_EQ(0, physics.GetContactManifoldCount());
}

TEST_F(CEntityTest, BoundingBoxWithoutABodyUsesHalfTheDimensions)
{
    Game::CEntity entity; // never initialised: no body
    CAABB box;
    entity.GetBoundingBox(box);
    ExpectVector(CVector3D(0, 0, 0), box.GetCenter());
    EXPECT_FALSE(entity.IsVisible());
    entity.SetVisible(true); // no geometry node: nothing happens
}

TEST_F(CEntityTest, TriggerLinksAreReleasedFromEitherSide)
{
    auto* trigger = dynamic_cast<Game::CGameTrigger*>(Make(Game::SOUND_TRIGGER, "trigger"));
    ASSERT_NE(nullptr, trigger);
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player");
    Game::CEntity* slave = Make(Game::GENERIC_ENT, "slave");
    trigger->AddTriggeringEntity(player);
    trigger->AddTriggeringEntity(player); // once per role
    trigger->AddSlaveEntity(slave, 2);
    ASSERT_EQ(1u, player->GetTriggerLinks().size());
    ASSERT_EQ(1u, slave->GetTriggerLinks().size());

    // The entity side lets go: the trigger forgets it too.
    player->RemoveTriggerLink(trigger, false);
    EXPECT_TRUE(player->GetTriggerLinks().empty());
    EXPECT_TRUE(trigger->GetTriggeringEntities().empty());

    // A silent removal touches only its own side.
    trigger->AddTriggeringEntity(player);
    player->RemoveTriggerLink(trigger, true);
    EXPECT_EQ(1u, trigger->GetTriggeringEntities().size());
    trigger->RemoveTriggeringEntity(player, true);

    // The trigger side lets go: the entity forgets it too.
    trigger->AddTriggeringEntity(player);
    trigger->RemoveSlaveEntity(slave, false);
    EXPECT_TRUE(slave->GetTriggerLinks().empty());

    // The trigger's destruction unlinks every entity it held.
    trigger->AddSlaveEntity(slave, 1);
    Factory().DestroyEntity(trigger);
    EXPECT_TRUE(player->GetTriggerLinks().empty());
    EXPECT_TRUE(slave->GetTriggerLinks().empty());
}

TEST_F(CEntityTest, EntitiesDestroyedWhileReferencedLeaveNoDanglingReference)
{
    auto* trigger = dynamic_cast<Game::CGameTrigger*>(Make(Game::SPAWNER_TRIGGER, "spawner"));
    Game::CEntity* player = Make(Game::GENERIC_CHARACTER, "player");
    Game::CEntity* slave = Make(Game::GENERIC_CHARACTER, "template");
    trigger->AddTriggeringEntity(player);
    trigger->AddSlaveEntity(slave, 0);
    const Game::EntityHandle handle(player);
    ASSERT_EQ(player, handle.Get());

    Factory().DestroyEntity(player);
    EXPECT_EQ(nullptr, handle.Get());
    EXPECT_EQ(nullptr, handle.GetAs<Game::CEntity>());
    EXPECT_TRUE(trigger->GetTriggeringEntities().empty());
    ASSERT_EQ(1u, trigger->GetSlaveEntities().size());

    // A pool slot handed out again is another entity: the old handle stays null.
    Game::CEntity* next = Make(Game::GENERIC_CHARACTER, "next");
    EXPECT_EQ(nullptr, handle.Get());
    EXPECT_EQ(next, Game::EntityHandle(next).Get());

    // Clear frees characters before triggers; neither side reaches the other afterwards.
    trigger->AddTriggeringEntity(next);
    const Game::EntityHandle triggerHandle(trigger);
    Factory().Clear();
    EXPECT_EQ(nullptr, triggerHandle.Get());
    EXPECT_TRUE(Factory().GetLiveEntities().empty());
}

TEST_F(CEntityTest, NodesDeletedWithTheSceneTreeAreNotDeletedAgain)
{
    Game::CEntity* entity = Make(Game::GENERIC_ENT, "survivor");
    ASSERT_NE(nullptr, entity->GetTransformNode());
    Vesk::CSceneGraph::GetInstance().Reset(); // as a state change does
    Factory().DestroyEntity(entity);
    EXPECT_EQ(nullptr, Factory().GetEntityByName("survivor"));
}
