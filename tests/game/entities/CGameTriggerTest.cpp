// The game trigger: events from real contacts frame by frame, the collision and entity conditions,
// the timing of a live trigger with exact fire frames, its XML element, and links that survive
// either side being destroyed.
#include "TriggerTestSupport.h"

#include "core/CXmlDocument.h"
#include "game/controllers/CPlayerController.h"
#include "game/entities/CSoundTrigger.h"
#include "physics/CRigidBody.h"

#include <algorithm>

namespace {

using Game::CGameTrigger;

const CVector3D kInside(0, 0, 0);
const CVector3D kOutside(100, 0, 0);

class CGameTriggerTest : public worldtest::TriggerFixture {
protected:
    static Game::GameTriggerSetting Watching(int status, int count)
    {
        Game::GameTriggerSetting setting;
        setting.m_CollisionStatusCondition = status;
        setting.m_EntityCountCondition = count;
        return setting;
    }

    static Game::CEntity* Runner(const std::string& name, const CVector3D& at = kOutside)
    {
        Game::EntitySetting setting;
        setting.m_DimX = setting.m_DimY = setting.m_DimZ = 2.0f;
        setting.m_StartPosition = at;
        return Make(Game::GENERIC_ENT, name, setting);
    }

    // Gives each entity the event made by two updates with the touches `before` and `now`.
    static void SetEvents(CGameTrigger& trigger, const std::vector<Game::CEntity*>& entities,
                          const std::vector<int>& events)
    {
        for (int pass = 0; pass < 2; ++pass) {
            for (size_t i = 0; i < entities.size(); ++i) {
                const int event = events[i];
                const bool before = event == Game::COLLISION_INSIDE || event == Game::COLLISION_ONEXIT;
                const bool now = event == Game::COLLISION_INSIDE || event == Game::COLLISION_ONENTER;
                if (pass == 0 ? before : now)
                    trigger.MarkContact(entities[i]);
            }
            trigger.Update(0.0f);
        }
    }
};

std::string Attributes(const Vesk::CXmlElement& element)
{
    std::string text;
    for (const auto& attribute : element.GetAttributes())
        text += attribute.first + "=" + attribute.second + " ";
    return text;
}

} // namespace

TEST_F(CGameTriggerTest, ContactsBecomeEnterInsideExitEventsFrameByFrame)
{
    auto* trigger = MakeTrigger<Game::CSoundTrigger>(Game::SOUND_TRIGGER, "zone", Game::GameTriggerSetting());
    Game::CEntity* runner = Runner("runner");
    Game::CEntity* bystander = Runner("bystander", CVector3D(-100, 0, 0));
    trigger->AddTriggeringEntity(runner);
    trigger->AddTriggeringEntity(bystander);

    const struct {
        bool inside;
        int event;
    } frames[] = {
        {false, Game::COLLISION_NOCOLLIDE}, {true, Game::COLLISION_ONENTER}, {false, Game::COLLISION_ONEXIT},
        {false, Game::COLLISION_NOCOLLIDE}, {true, Game::COLLISION_ONENTER}, {true, Game::COLLISION_INSIDE},
        {true, Game::COLLISION_INSIDE},     {false, Game::COLLISION_ONEXIT}, {false, Game::COLLISION_NOCOLLIDE},
    };
    int frame = 0;
    for (const auto& f : frames) {
        runner->SetPosition(f.inside ? kInside : kOutside);
        Frame();
        EXPECT_EQ(f.event, trigger->GetEvent(runner)) << "frame " << frame;
        EXPECT_EQ(Game::COLLISION_NOCOLLIDE, trigger->GetEvent(bystander)) << "frame " << frame;
        ++frame;
    }

    // An entity that is not watched never gets an event, however it touches the box.
    Game::CEntity* stranger = Runner("stranger", kInside);
    Frame();
    Frame();
    EXPECT_EQ(Game::COLLISION_NOCOLLIDE, trigger->GetEvent(stranger));
}

TEST_F(CGameTriggerTest, ConditionsOverEventSetsIncludingNoEntities)
{
    using namespace Game;
    const struct {
        std::vector<int> events;
        int status;
        bool any, all, none;
    } cases[] = {
        {{}, COLLISION_INSIDE, false, true, true},
        {{}, COLLISION_NOCOLLIDE, false, true, true},
        {{}, COLLISION_ONENTER, false, false, true},
        {{}, COLLISION_ONEXIT, false, false, true},
        {{COLLISION_INSIDE, COLLISION_INSIDE}, COLLISION_INSIDE, true, true, false},
        {{COLLISION_INSIDE, COLLISION_NOCOLLIDE}, COLLISION_INSIDE, true, false, false},
        {{COLLISION_NOCOLLIDE, COLLISION_NOCOLLIDE}, COLLISION_NOCOLLIDE, true, true, false},
        {{COLLISION_ONENTER, COLLISION_INSIDE}, COLLISION_ONENTER, true, true, false},
        {{COLLISION_ONENTER, COLLISION_NOCOLLIDE}, COLLISION_ONENTER, true, false, false},
        {{COLLISION_ONENTER, COLLISION_ONEXIT}, COLLISION_ONENTER, true, false, false},
        {{COLLISION_ONENTER, COLLISION_ONEXIT}, COLLISION_ONEXIT, true, false, false},
        {{COLLISION_ONEXIT, COLLISION_INSIDE}, COLLISION_ONEXIT, true, true, false},
        {{COLLISION_INSIDE, COLLISION_INSIDE}, COLLISION_ONEXIT, false, false, true},
    };
    int index = 0;
    for (const auto& c : cases) {
        const std::string label = "case " + std::to_string(index++);
        std::vector<CGameTrigger*> triggers;
        for (int count : {ANY_ENT, ALL_ENT, NO_ENT, IGNORE_ENT})
            triggers.push_back(MakeTrigger<CGameTrigger>(SOUND_TRIGGER, "t", Watching(c.status, count)));
        std::vector<CEntity*> entities;
        for (size_t i = 0; i < c.events.size(); ++i)
            entities.push_back(Runner("e" + std::to_string(i)));
        for (CGameTrigger* trigger : triggers) {
            for (CEntity* entity : entities)
                trigger->AddTriggeringEntity(entity);
            SetEvents(*trigger, entities, c.events);
            for (size_t i = 0; i < entities.size(); ++i)
                ASSERT_EQ(c.events[i], trigger->GetEvent(entities[i])) << label;
        }
        EXPECT_EQ(c.any, triggers[0]->CheckEntityCondition()) << label;
        EXPECT_EQ(c.all, triggers[1]->CheckEntityCondition()) << label;
        EXPECT_EQ(c.none, triggers[2]->CheckEntityCondition()) << label;
        EXPECT_TRUE(triggers[3]->CheckEntityCondition()) << label;
        Factory().Clear();
    }
}

TEST_F(CGameTriggerTest, AllEntitiesSkipsAPlayerThatIsNotPlayerOne)
{
    Game::EntitySetting setting;
    setting.m_ControllerType = Game::PLAYERCONTROLLER;
    Game::CEntity* second = Make(Game::GENERIC_CHARACTER, "player", setting);
    static_cast<Game::CPlayerController*>(second->GetController())->SetPlayerOne(false);
    Game::CEntity* runner = Runner("runner");
    auto* trigger =
        MakeTrigger<CGameTrigger>(Game::SOUND_TRIGGER, "t", Watching(Game::COLLISION_INSIDE, Game::ALL_ENT));
    trigger->AddTriggeringEntity(second);
    trigger->AddTriggeringEntity(runner);
    SetEvents(*trigger, {second, runner}, {Game::COLLISION_NOCOLLIDE, Game::COLLISION_INSIDE});
    EXPECT_TRUE(trigger->CheckEntityCondition());

    static_cast<Game::CPlayerController*>(second->GetController())->SetPlayerOne(true);
    EXPECT_FALSE(trigger->CheckEntityCondition());
}

TEST_F(CGameTriggerTest, TimingFiresOnExactFrames)
{
    using namespace Vesk;
    struct Case {
        const char* name;
        int fireMode;
        int afterFire;
        bool bypass;
        int entityCount; // any_ent with nobody watched is never true; ignore_ent always is
        std::vector<int> fireFrames;
    };
    const Case cases[] = {
        {"immediate sleep", TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_SLEEP, false, Game::IGNORE_ENT, {1}},
        {"immediate continue",
         TRIGGER_IMMEDIATE_FIRE,
         TRIGGER_AFTER_FIRE_CONTINUE,
         false,
         Game::IGNORE_ENT,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"immediate wait", TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_WAIT, false, Game::IGNORE_ENT, {1, 5, 9}},
        {"delay sleep", TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_SLEEP, false, Game::IGNORE_ENT, {4}},
        {"delay continue", TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_CONTINUE, false, Game::IGNORE_ENT, {4, 8, 12}},
        {"delay wait", TRIGGER_DELAY_FIRE, TRIGGER_AFTER_FIRE_WAIT, false, Game::IGNORE_ENT, {4, 11}},
        {"condition false", TRIGGER_IMMEDIATE_FIRE, TRIGGER_AFTER_FIRE_CONTINUE, false, Game::ANY_ENT, {}},
        {"bypassed",
         TRIGGER_IMMEDIATE_FIRE,
         TRIGGER_AFTER_FIRE_CONTINUE,
         true,
         Game::ANY_ENT,
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const Case& c : cases) {
        Game::GameTriggerSetting setting = Watching(Game::COLLISION_INSIDE, c.entityCount);
        setting.m_ConditionPassResponse = c.fireMode;
        setting.m_PostActionResponse = c.afterFire;
        setting.m_BypassCondition = c.bypass;
        setting.m_FireDelayTime = 0.5f;
        setting.m_ReactivationTime = 0.5f;
        setting.m_SoundName = "cheer";
        MakeTrigger<Game::CSoundTrigger>(Game::SOUND_TRIGGER, c.name, setting);
        std::vector<int> fired;
        for (int frame = 1; frame <= 12; ++frame) {
            const size_t before = m_Sound->plays.size();
            Frame(0.25f);
            if (m_Sound->plays.size() > before)
                fired.push_back(frame);
        }
        EXPECT_EQ(c.fireFrames, fired) << c.name;
        Factory().Clear();
    }
    EXPECT_EQ(std::vector<std::string>(SoundsPlayed().size(), "cheer.wav"), SoundsPlayed());
}

TEST_F(CGameTriggerTest, SaveListsLinkedNamesAndLoadResolvesEveryMatch)
{
    Game::CEntity* crateA = Runner("crate");
    Game::CEntity* crateB = Runner("crate");
    Game::CEntity* gate = Runner("gate");
    Game::CEntity* player = Runner("player");
    Game::GameTriggerSetting setting;
    setting.m_PlayersAsTriggeringEnts = true;
    auto* trigger = MakeTrigger<CGameTrigger>(Game::SPAWNER_TRIGGER, "spawner", setting, CVector3D(1.5f, -2, 3), 4);
    trigger->SetTriggerPrefabName("spawner");
    trigger->AddTriggeringEntity(gate);
    trigger->AddSlaveEntity(crateA, 0);
    trigger->AddSlaveEntity(gate, 0);
    trigger->AddSlaveEntity(crateB, 2);
    trigger->AddSlaveEntity(gate, 7); // kept in memory, not saved
    ASSERT_EQ((std::vector<Game::CEntity*>{player, gate}), trigger->GetTriggeringEntities());

    Vesk::CXmlDocument doc;
    Vesk::CXmlElement element = doc.NewRoot("spatial");
    trigger->Save(element);
    // The player comes first, so the gate, last, ends the list without a comma.
    EXPECT_EQ("name=spawner type=SPAWNER_TRIGGER gametriggerprefabname=spawner posX=1.5 posY=-2 posZ=3 dimX=4 "
              "dimY=4 dimZ=4 triggeringentnames=gate slaveentnames0=crate,gate slaveentnames1= "
              "slaveentnames2=crate slaveentnames3= slaveentnames4= ",
              Attributes(element));

    // With the player last, a trailing comma is left; loading ignores the empty name.
    trigger->RemoveTriggeringEntity(player, false);
    trigger->AddTriggeringEntity(player);
    trigger->Save(element);
    EXPECT_STREQ("gate,", element.GetAttribute("triggeringentnames"));

    Game::CEntity* loadedEntity = Factory().CreateUninitialised(Game::SPAWNER_TRIGGER);
    loadedEntity->Load(element);
    auto* loaded = dynamic_cast<CGameTrigger*>(loadedEntity);
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ("spawner", loaded->GetTriggerPrefabName());
    EXPECT_EQ((std::vector<Game::CEntity*>{gate}), loaded->GetTriggeringEntities());
    // Every live "crate" answers each listed name: both are in group 0 and both in group 2.
    std::vector<std::pair<int, Game::CEntity*>> expected = {
        {0, crateA}, {0, crateB}, {0, gate}, {2, crateA}, {2, crateB}};
    std::vector<std::pair<int, Game::CEntity*>> slaves = loaded->GetSlaveEntries();
    std::sort(slaves.begin(), slaves.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, slaves);
    EXPECT_FLOAT_EQ(1.5f, loaded->GetPosition().x);
    EXPECT_FLOAT_EQ(4.0f, loaded->GetDimensions().z);
    ASSERT_NE(nullptr, loaded->GetBody());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, loaded->GetBody()->GetBodyType());
}

TEST_F(CGameTriggerTest, LoadTakesTheTriggerPrefabOfItsKind)
{
    testsupport::WriteFile(m_Dir.File("prefabs.xml"), R"(<Root>
        <GameTriggerSetting mappedname="SOUND_TRIGGER"><prefab prefabname="gong" initialstatus="sleeping"
            conditionpassresponse="delay_fire" postactionresponse="wait" bypasscondition="1" firedelaytime="1.5"
            reactivationtime="4" collisionstatuscondition="inside" entitycountcondition="all_ent"
            playersastriggeringents="1" soundname="cheer"/></GameTriggerSetting>
        <GameTriggerSetting mappedname="CAMERA_LOCK_TRIGGER"><prefab prefabname="other"
            entitycountcondition="no_ent"/></GameTriggerSetting></Root>)");
    ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(m_Dir.File("prefabs.xml")));
    Game::CEntity* player = Runner("player");

    Vesk::CXmlDocument doc;
    Vesk::CXmlElement element = doc.NewRoot("spatial");
    element.SetAttribute("name", "gong");
    element.SetAttribute("gametriggerprefabname", "gong");
    auto* gong = dynamic_cast<Game::CSoundTrigger*>(Factory().CreateUninitialised(Game::SOUND_TRIGGER));
    gong->Load(element);
    EXPECT_EQ(Vesk::TRIGGER_STATE_SLEEPING, gong->GetState());
    EXPECT_EQ(Vesk::TRIGGER_DELAY_FIRE, gong->GetFireMode());
    EXPECT_EQ(Vesk::TRIGGER_AFTER_FIRE_WAIT, gong->GetAfterFireMode());
    EXPECT_TRUE(gong->GetBypassCondition());
    EXPECT_FLOAT_EQ(1.5f, gong->GetFireDelay());
    EXPECT_FLOAT_EQ(4.0f, gong->GetReactivationDelay());
    EXPECT_EQ(Game::COLLISION_INSIDE, gong->GetCollisionStatusCondition());
    EXPECT_EQ(Game::ALL_ENT, gong->GetEntityCountCondition());
    EXPECT_TRUE(gong->GetPlayersAsTriggeringEntities());
    EXPECT_EQ((std::vector<Game::CEntity*>{player}), gong->GetTriggeringEntities());
    EXPECT_EQ("cheer", gong->GetSoundName());

    // A prefab of another kind is not found: the record's defaults hold.
    element.SetAttribute("gametriggerprefabname", "other");
    auto* plain = dynamic_cast<CGameTrigger*>(Factory().CreateUninitialised(Game::SOUND_TRIGGER));
    plain->Load(element);
    EXPECT_EQ(Game::IGNORE_ENT, plain->GetEntityCountCondition());
    EXPECT_EQ(Game::COLLISION_ONENTER, plain->GetCollisionStatusCondition());
    EXPECT_EQ(Vesk::TRIGGER_STATE_AWAKE, plain->GetState());
    EXPECT_FALSE(plain->GetPlayersAsTriggeringEntities());
}

TEST_F(CGameTriggerTest, PlayersJoinedByNameAreLinkedBothWays)
{
    Game::CEntity* player = Runner("player", kInside);
    Game::GameTriggerSetting setting;
    setting.m_PlayersAsTriggeringEnts = true;
    auto* trigger = MakeTrigger<CGameTrigger>(Game::CAMERA_LOCK_TRIGGER, "lock", setting);
    ASSERT_EQ((std::vector<Game::CEntity*>{player}), trigger->GetTriggeringEntities());
    EXPECT_EQ((std::vector<CGameTrigger*>{trigger}), player->GetTriggerLinks());

    // The player goes first: the trigger forgets it and its pair callback, and frames go on.
    Factory().DestroyEntity(player);
    EXPECT_TRUE(trigger->GetTriggeringEntities().empty());
    Frame();

    // Clear frees characters before triggers; the trigger's release must not reach the player.
    Game::CEntity* again = Make(Game::GENERIC_CHARACTER, "player");
    trigger->AddTriggeringEntitiesByName("player");
    EXPECT_EQ((std::vector<CGameTrigger*>{trigger}), again->GetTriggerLinks());
    Factory().Clear();
    EXPECT_TRUE(Factory().GetLiveEntities().empty());
}

TEST_F(CGameTriggerTest, DestroyingLinkedEntitiesMidGameLeavesTheTriggerWorking)
{
    Game::GameTriggerSetting setting = Watching(Game::COLLISION_INSIDE, Game::ANY_ENT);
    setting.m_SoundName = "cheer";
    auto* trigger = MakeTrigger<Game::CSoundTrigger>(Game::SOUND_TRIGGER, "zone", setting);
    Game::CEntity* first = Runner("first", kInside);
    Game::CEntity* second = Runner("second", CVector3D(-3, 0, 0));
    Game::CEntity* slave = Runner("slave");
    trigger->AddTriggeringEntity(first);
    trigger->AddTriggeringEntity(second);
    trigger->AddSlaveEntity(slave, 1);
    Frame();
    Frame();
    ASSERT_EQ(1u, m_Sound->plays.size()); // inside from the second frame

    Factory().QueueDestroy(first);
    Factory().DestroyEntity(slave);
    Frame();
    EXPECT_EQ((std::vector<Game::CEntity*>{second}), trigger->GetTriggeringEntities());
    EXPECT_TRUE(trigger->GetSlaveEntities().empty());
    Frame();
    EXPECT_EQ(3u, m_Sound->plays.size()) << "the survivor keeps the trigger firing";

    // The trigger goes while the entity lives: the entity's link goes with it.
    Factory().DestroyEntity(trigger);
    EXPECT_TRUE(second->GetTriggerLinks().empty());
    Frame();
    EXPECT_FALSE(Vesk::CTriggerManager::GetInstance().IsInFirstList(trigger));
}

TEST_F(CGameTriggerTest, TimingListsFollowTheTriggerAndSlaveGroupsGoTogether)
{
    auto* trigger = MakeTrigger<CGameTrigger>(Game::SOUND_TRIGGER, "t", Game::GameTriggerSetting());
    Vesk::CTriggerManager& manager = Vesk::CTriggerManager::GetInstance();
    EXPECT_TRUE(manager.IsInFirstList(trigger));
    trigger->AddToTimingManager();
    EXPECT_FALSE(manager.IsInFirstList(trigger));
    EXPECT_TRUE(manager.IsInSecondList(trigger));

    Game::CEntity* a = Runner("a");
    Game::CEntity* b = Runner("b");
    trigger->AddSlaveEntity(a, 3);
    trigger->AddSlaveEntity(a, 3); // once per group
    trigger->AddSlaveEntity(b, 3);
    trigger->AddSlaveEntity(a, 4);
    EXPECT_EQ(2u, a->GetTriggerLinks().size());
    trigger->RemoveSlaveGroup(3, false);
    EXPECT_EQ(1u, a->GetTriggerLinks().size());
    EXPECT_TRUE(b->GetTriggerLinks().empty());
    EXPECT_EQ((std::vector<std::pair<int, Game::CEntity*>>{{4, a}}), trigger->GetSlaveEntries());

    trigger->Release();
    EXPECT_FALSE(manager.IsInSecondList(trigger));
    EXPECT_TRUE(a->GetTriggerLinks().empty());
}
