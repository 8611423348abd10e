// The spawner and the trigger modifier: which group each activation uses, short sequences that
// keep their last entry, the activation limit, the 97 and 98 entries, the additional conditions
// through a stand-in game master, and the modifier that puts itself to sleep for good once its
// slave triggers sleep.
#include "TriggerTestSupport.h"

#include "game/controllers/IController.h"
#include "game/entities/CSpawnerTrigger.h"
#include "game/entities/CTriggerModifierTrigger.h"
#include "physics/CRigidBody.h"

#include <algorithm>
#include <set>

namespace {

using Vesk::TRIGGER_STATE_AWAKE;
using Vesk::TRIGGER_STATE_SLEEPING;
using Vesk::TRIGGER_STATE_WAITING_REACTIVATION;

class CSpawnerTriggerTest : public worldtest::TriggerFixture {
protected:
    void SetUp() override
    {
        TriggerFixture::SetUp();
        testsupport::WriteFile(m_Dir.File("prefabs.xml"), R"(<Root><EntitySetting mappedname="GENERIC_CHARACTER">
            <prefab prefabname="grunt" meshname="none" dimX="2" dimY="6" dimZ="2" collisiongroup="1"
                    collisionmask="65535" controllertype="MINION"/></EntitySetting></Root>)");
        ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(m_Dir.File("prefabs.xml")));
    }

    // A "grunt" template per group, told apart by its x position (100 x group).
    Game::CEntity* Template(int group)
    {
        Vesk::CXmlDocument doc;
        Vesk::CXmlElement element = doc.NewRoot("entity");
        element.SetAttribute("name", "template" + std::to_string(group));
        element.SetAttribute("entitysettingprefabname", "grunt");
        element.SetDoubleAttribute("posX", 100.0 * group);
        Game::CEntity* entity = Factory().CreateUninitialised(Game::GENERIC_CHARACTER);
        entity->Load(element);
        return entity;
    }

    // The groups whose templates were cloned since the last call, one entry per clone.
    std::vector<int> NewClones()
    {
        std::vector<int> groups;
        for (Game::CEntity* entity : Factory().FindByType(Game::GENERIC_CHARACTER)) {
            if (entity->IsTransient() && m_Seen.insert(entity).second)
                groups.push_back(static_cast<int>(entity->GetPosition().x / 100.0f));
        }
        std::sort(groups.begin(), groups.end());
        return groups;
    }

    std::set<Game::CEntity*> m_Seen;
};

using CTriggerModifierTriggerTest = worldtest::TriggerFixture;

} // namespace

TEST_F(CSpawnerTriggerTest, ActivationsCloneTheSequencedGroupThenSleepWithTheIndexBackAtZero)
{
    struct Case {
        const char* name;
        int limit;
        std::vector<int> groups;
        std::vector<float> delays;
        std::vector<std::vector<int>> clonesPerFire;
        std::vector<float> delayAfterFire;
        std::vector<int> indexAfterFire;
    };
    const Case cases[] = {
        {"one group per fire", 3, {0, 1, 2}, {1, 2, 3}, {{0}, {1, 1}, {2}}, {1, 2, 3}, {1, 2, 0}},
        {"short sequences keep their last entry",
         4,
         {0, 1},
         {5},
         {{0}, {1, 1}, {1, 1}, {1, 1}},
         {5, 5, 5, 5},
         {1, 2, 3, 0}},
        {"no sequence clones every group", 2, {}, {}, {{0, 1, 1, 2}, {0, 1, 1, 2}}, {9, 9}, {1, 0}},
    };
    for (const Case& c : cases) {
        Game::GameTriggerSetting setting;
        setting.m_MaxActivations = c.limit;
        setting.m_GroupSequence = c.groups;
        setting.m_ReactivationTimeSequence = c.delays;
        setting.m_ReactivationTime = 9.0f;
        setting.m_InitialStatus = TRIGGER_STATE_AWAKE;
        setting.m_SlaveEntities = {{0, Game::EntityHandle(Template(0))},
                                   {1, Game::EntityHandle(Template(1))},
                                   {1, Game::EntityHandle(Template(1))},
                                   {2, Game::EntityHandle(Template(2))}};
        auto* spawner = MakeTrigger<Game::CSpawnerTrigger>(Game::SPAWNER_TRIGGER, "spawner", setting);
        ASSERT_NE(nullptr, spawner);
        for (size_t fire = 0; fire < c.clonesPerFire.size(); ++fire) {
            const std::string label = std::string(c.name) + ", fire " + std::to_string(fire);
            ASSERT_EQ(TRIGGER_STATE_AWAKE, spawner->GetState()) << label;
            spawner->Fire();
            EXPECT_EQ(c.clonesPerFire[fire], NewClones()) << label;
            EXPECT_FLOAT_EQ(c.delayAfterFire[fire], spawner->GetReactivationDelay()) << label;
            EXPECT_EQ(c.indexAfterFire[fire], spawner->GetSequence().m_ActivationIndex) << label;
        }
        EXPECT_EQ(TRIGGER_STATE_SLEEPING, spawner->GetState()) << c.name;
        Factory().Clear();
        m_Seen.clear();
    }
}

TEST_F(CSpawnerTriggerTest, SlavesBecomeDormantTemplatesAndClonesAreLiveTransientEnemies)
{
    Vesk::CPhysicsSystem::GetInstance().SetGravity(CVector3D(0, -25, 0));
    Game::CEntity* slave = Template(0);
    ASSERT_GT(slave->GetBody()->GetGravity().Length(), 0.0f);
    Game::GameTriggerSetting setting;
    setting.m_SlaveEntities = {{0, Game::EntityHandle(slave)}};
    auto* spawner = MakeTrigger<Game::CSpawnerTrigger>(Game::SPAWNER_TRIGGER, "spawner", setting);
    ASSERT_NE(nullptr, slave->GetController());
    EXPECT_FALSE(slave->GetController()->m_Enabled);
    EXPECT_FALSE(slave->IsVisible());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, slave->GetBody()->GetBodyType());
    EXPECT_FLOAT_EQ(0.0f, slave->GetBody()->GetGravity().Length());
    EXPECT_FALSE(slave->IsTransient());

    spawner->Fire();
    const std::vector<Game::CEntity*> characters = Factory().FindByType(Game::GENERIC_CHARACTER);
    ASSERT_EQ(2u, characters.size());
    Game::CEntity* clone = characters[0] == slave ? characters[1] : characters[0];
    EXPECT_TRUE(clone->IsTransient());
    ASSERT_NE(nullptr, clone->GetController());
    EXPECT_TRUE(clone->GetController()->m_Enabled);
    EXPECT_TRUE(clone->IsVisible());
    EXPECT_EQ(Vesk::BODY_DYNAMIC, clone->GetBody()->GetBodyType());

    // A spawner without slaves does nothing, not even count the activation.
    auto* empty = MakeTrigger<Game::CSpawnerTrigger>(Game::SPAWNER_TRIGGER, "empty", Game::GameTriggerSetting());
    empty->Fire();
    EXPECT_EQ(0, empty->GetSequence().m_ActivationIndex);
    EXPECT_EQ(2u, Factory().FindByType(Game::GENERIC_CHARACTER).size());

    // A template destroyed while the spawner lives is simply gone from its slaves.
    Factory().DestroyEntity(slave);
    spawner->Fire();
    EXPECT_EQ(1u, Factory().FindByType(Game::GENERIC_CHARACTER).size());
}

TEST_F(CSpawnerTriggerTest, AllEnemiesDeadWaitsForTheGameMaster)
{
    Game::GameTriggerSetting setting;
    setting.m_AdditionalCondition = Game::ALLENEMIESDEAD;
    auto* waiting = MakeTrigger<Game::CSpawnerTrigger>(Game::SPAWNER_TRIGGER, "waiting", setting);
    auto* plain = MakeTrigger<Game::CSpawnerTrigger>(Game::SPAWNER_TRIGGER, "plain", Game::GameTriggerSetting());
    m_GameMaster.m_EnemiesDefeated = false;
    EXPECT_FALSE(waiting->CheckCondition());
    EXPECT_TRUE(plain->CheckCondition());
    m_GameMaster.m_EnemiesDefeated = true;
    EXPECT_TRUE(waiting->CheckCondition());
    Game::CGameServices::GetInstance().SetGameMaster(nullptr);
    EXPECT_TRUE(waiting->CheckCondition()) << "without a game master nobody counts enemies";
}

TEST_F(CTriggerModifierTriggerTest, EachEntryWakesItsGroupAndPutsTheOthersToSleep)
{
    using namespace Game;
    struct Case {
        const char* name;
        std::vector<int> groups;
        // States of slave triggers a (group 0), b and c (group 1), d (groups 0 and 2) after one fire.
        std::vector<int> states;
        int ownState;
    };
    const int W = TRIGGER_STATE_WAITING_REACTIVATION; // the slaves' state before the fire
    const Case cases[] = {
        {"group 1",
         {1},
         {TRIGGER_STATE_SLEEPING, TRIGGER_STATE_AWAKE, TRIGGER_STATE_AWAKE, TRIGGER_STATE_SLEEPING},
         TRIGGER_STATE_AWAKE},
        {"group 2 wakes a slave listed earlier too",
         {2},
         {TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_AWAKE},
         TRIGGER_STATE_AWAKE},
        {"group 0 keeps its slave when listed again later",
         {0},
         {TRIGGER_STATE_AWAKE, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_AWAKE},
         TRIGGER_STATE_AWAKE},
        {"97 changes nothing", {97}, {W, W, W, W}, TRIGGER_STATE_AWAKE},
        {"98 puts every slave to sleep",
         {98},
         {TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING},
         TRIGGER_STATE_AWAKE},
        {"no sequence: every slave changes and the modifier sleeps",
         {},
         {TRIGGER_STATE_AWAKE, TRIGGER_STATE_AWAKE, TRIGGER_STATE_AWAKE, TRIGGER_STATE_AWAKE},
         TRIGGER_STATE_SLEEPING},
    };
    for (const Case& c : cases) {
        GameTriggerSetting slaveSetting;
        slaveSetting.m_InitialStatus = W;
        std::vector<CGameTrigger*> slaves;
        for (const char* name : {"a", "b", "c", "d"})
            slaves.push_back(MakeTrigger<CGameTrigger>(SOUND_TRIGGER, name, slaveSetting));
        CEntity* bystander = Make(GENERIC_ENT, "not a trigger");

        GameTriggerSetting setting;
        setting.m_NewStatus = TRIGGER_STATE_AWAKE;
        setting.m_MaxActivations = 5;
        setting.m_GroupSequence = c.groups;
        setting.m_SlaveEntities = {{0, EntityHandle(slaves[0])}, {0, EntityHandle(bystander)},
                                   {0, EntityHandle(slaves[3])}, {1, EntityHandle(slaves[1])},
                                   {1, EntityHandle(slaves[2])}, {2, EntityHandle(slaves[3])}};
        auto* modifier = MakeTrigger<CTriggerModifierTrigger>(TRIGGERMODIFIER_TRIGGER, "modifier", setting);
        modifier->Fire();
        for (size_t i = 0; i < slaves.size(); ++i)
            EXPECT_EQ(c.states[i], slaves[i]->GetState()) << c.name << ", slave " << i;
        EXPECT_EQ(c.ownState, modifier->GetState()) << c.name;
        EXPECT_EQ(1, modifier->GetSequence().m_ActivationIndex) << c.name;
        Factory().Clear();
    }
}

TEST_F(CTriggerModifierTriggerTest, SequencesFromTheWaveManagerAndTheFinishedFlag)
{
    using namespace Game;
    CGameTrigger* wave0 = MakeTrigger<CGameTrigger>(SOUND_TRIGGER, "wave0", GameTriggerSetting());
    CGameTrigger* wave1 = MakeTrigger<CGameTrigger>(SOUND_TRIGGER, "wave1", GameTriggerSetting());
    GameTriggerSetting setting;
    setting.m_MaxActivations = 3;
    setting.m_ReactivationTime = 7.0f;
    auto* modifier = MakeTrigger<CTriggerModifierTrigger>(TRIGGERMODIFIER_TRIGGER, "global", setting);
    modifier->AddSlaveEntity(wave0, 0);
    modifier->AddSlaveEntity(wave1, 1);
    modifier->SetFirstSequence({0});
    modifier->AppendToFirstSequence(1);
    modifier->SetSecondSequence({2.0f});
    modifier->AppendToSecondSequence(4.0f);

    const struct {
        int awake; // the slave left awake
        float delay;
        bool finished;
    } fires[] = {{0, 2.0f, false}, {1, 4.0f, false}, {1, 4.0f, true}};
    for (const auto& f : fires) {
        modifier->Fire();
        EXPECT_EQ(f.awake == 0 ? TRIGGER_STATE_AWAKE : TRIGGER_STATE_SLEEPING, wave0->GetState());
        EXPECT_EQ(f.awake == 1 ? TRIGGER_STATE_AWAKE : TRIGGER_STATE_SLEEPING, wave1->GetState());
        EXPECT_FLOAT_EQ(f.delay, modifier->GetReactivationDelay());
        EXPECT_EQ(f.finished, modifier->IsFinished());
    }

    // Waking it from outside clears the flag but keeps counting from where it was.
    modifier->SetState(TRIGGER_STATE_SLEEPING);
    modifier->SetState(TRIGGER_STATE_AWAKE);
    EXPECT_FALSE(modifier->IsFinished());
    EXPECT_EQ(3, modifier->GetSequence().m_ActivationIndex);
    modifier->SetState(TRIGGER_STATE_AWAKE); // awake to awake leaves the flag alone
    modifier->Fire();
    EXPECT_TRUE(modifier->IsFinished());
}

TEST_F(CTriggerModifierTriggerTest, AFinishedModifierSleepsForGoodOnceItsSlavesSleep)
{
    using namespace Game;
    CGameTrigger* wave = MakeTrigger<CGameTrigger>(SOUND_TRIGGER, "wave", GameTriggerSetting());
    GameTriggerSetting setting;
    setting.m_ConditionPassResponse = Vesk::TRIGGER_DELAY_FIRE;
    setting.m_PostActionResponse = Vesk::TRIGGER_AFTER_FIRE_CONTINUE;
    setting.m_FireDelayTime = 0.5f;
    setting.m_MaxActivations = 1;
    setting.m_GroupSequence = {0};
    setting.m_AdditionalCondition = ALLSLAVESASLEEP_AND_ENEMIESDEAD;
    auto* modifier = MakeTrigger<CTriggerModifierTrigger>(TRIGGERMODIFIER_TRIGGER, "global", setting);
    modifier->AddSlaveEntity(wave, 0);
    wave->SetState(TRIGGER_STATE_SLEEPING);
    // The wave trigger is stepped too; it must not fire on its own.
    wave->SetFireMode(Vesk::TRIGGER_DELAY_FIRE, 1000.0f);

    // Additional condition 2: every slave trigger sleeps and every enemy is defeated.
    m_GameMaster.m_EnemiesDefeated = false;
    EXPECT_FALSE(modifier->CheckCondition());
    m_GameMaster.m_EnemiesDefeated = true;
    wave->SetState(TRIGGER_STATE_AWAKE);
    EXPECT_FALSE(modifier->CheckCondition());
    wave->SetState(TRIGGER_STATE_SLEEPING);
    EXPECT_TRUE(modifier->CheckCondition());

    // Frame 1 starts the delay, frame 4 fires (0.5 s < 0.75 s): the wave wakes, the modifier is
    // finished. While the wave runs the modifier keeps asking; once it sleeps, so does the modifier,
    // and no later delayed fire undoes that.
    std::vector<int> states;
    for (int frame = 1; frame <= 10; ++frame) {
        if (frame == 6)
            wave->SetState(TRIGGER_STATE_SLEEPING); // the wave has spawned everything
        Vesk::CTriggerManager::GetInstance().Update(0.25f);
        states.push_back(modifier->GetState());
    }
    const int F = Vesk::TRIGGER_STATE_WAITING_FIRE;
    EXPECT_EQ((std::vector<int>{F, F, F, TRIGGER_STATE_AWAKE, TRIGGER_STATE_AWAKE, TRIGGER_STATE_SLEEPING,
                                TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING, TRIGGER_STATE_SLEEPING,
                                TRIGGER_STATE_SLEEPING}),
              states);
    EXPECT_TRUE(modifier->IsFinished());
    EXPECT_FALSE(modifier->CheckCondition());
}
