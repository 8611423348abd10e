// The location-based spawner (seeded positions, intervals, its queue and the records it refuses)
// and the sound, camera-lock and boss-event effects, with stand-ins for the side-scrolling camera
// and the game master.
#include "TriggerTestSupport.h"

#include "game/base/ISideScrollCamera.h"
#include "game/controllers/CBigBossController.h"
#include "game/entities/CBossEventTrigger.h"
#include "game/entities/CCameraLockTrigger.h"
#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/entities/CSoundTrigger.h"
#include "math/Random.h"
#include "render/CCameraManager.h"

#include <algorithm>
#include <cmath>

namespace {

using Game::CLocationBasedSpawnerTrigger;
using Game::SpawnGroupRecord;

class CLocationBasedSpawnerTriggerTest : public worldtest::TriggerFixture {
protected:
    Game::CEntity* Location(const CVector3D& at)
    {
        Game::EntitySetting setting;
        setting.m_StartPosition = at;
        return Make(Game::WAVELOCATION, "", setting);
    }

    Game::CEntity* Template()
    {
        Game::EntitySetting setting;
        setting.m_StartPosition = CVector3D(0, -1000, 0);
        return Make(Game::GENERIC_CHARACTER, "mastergrunt", setting);
    }

    CLocationBasedSpawnerTrigger* Spawner(Game::CEntity* templateEntity)
    {
        Game::GameTriggerSetting setting;
        setting.m_PostActionResponse = Vesk::TRIGGER_AFTER_FIRE_CONTINUE;
        if (templateEntity)
            setting.m_SlaveEntities = {{0, Game::EntityHandle(templateEntity)}};
        return MakeTrigger<CLocationBasedSpawnerTrigger>(Game::LOCATIONBASED_SPAWNER_TRIGGER, "spawner", setting);
    }

    // The transient entities in the order the factory lists them, that were not seen before.
    std::vector<Game::CEntity*> NewSpawns()
    {
        std::vector<Game::CEntity*> spawned;
        for (Game::CEntity* entity : Factory().FindByType(Game::GENERIC_CHARACTER)) {
            if (entity->IsTransient() && std::find(m_Seen.begin(), m_Seen.end(), entity) == m_Seen.end()) {
                spawned.push_back(entity);
                m_Seen.push_back(entity);
            }
        }
        return spawned;
    }

    std::vector<Game::CEntity*> m_Seen;
};

class StandInSideScrollCamera : public Vesk::CCamera, public Game::ISideScrollCamera {
public:
    void ChangeState(const std::string& name) override { m_States.push_back(name); }
    std::vector<std::string> m_States;
};

class TriggerEffectsFixture : public worldtest::TriggerFixture {
protected:
    void TearDown() override
    {
        Vesk::CCameraManager::GetInstance().Shutdown();
        TriggerFixture::TearDown();
    }

    static StandInSideScrollCamera* UseSideScrollCamera()
    {
        return dynamic_cast<StandInSideScrollCamera*>(
            Vesk::CCameraManager::GetInstance().CreateCamera<StandInSideScrollCamera>("sidescrolling", true));
    }
};

using CCameraLockTriggerTest = TriggerEffectsFixture;
using CBossEventTriggerTest = TriggerEffectsFixture;
using CSoundTriggerTest = TriggerEffectsFixture;

} // namespace

TEST_F(CLocationBasedSpawnerTriggerTest, SeededSpawnsLandNearRandomWaveLocations)
{
    const std::vector<CVector3D> places = {CVector3D(10, 8, 20), CVector3D(200, 4, 40), CVector3D(-50, 12, 0)};
    for (const CVector3D& place : places)
        Location(place);
    Game::CEntity* master = Template();
    CLocationBasedSpawnerTrigger* spawner = Spawner(master);
    ASSERT_EQ(3u, spawner->GetWaveLocations().size());
    // The locations in the order the spawner holds them, which the random pick indexes.
    std::vector<CVector3D> held;
    for (Game::CEntity* location : spawner->GetWaveLocations())
        held.push_back(location->GetPosition());

    spawner->AddSpawnGroup(SpawnGroupRecord(master, 5, 0.0f));
    EXPECT_EQ(5, spawner->GetRemainingSpawnCount());
    SeedRandom(4242);
    for (int spawn = 0; spawn < 5; ++spawn)
        spawner->Fire();
    const std::vector<Game::CEntity*> spawned = NewSpawns();
    ASSERT_EQ(5u, spawned.size());

    SeedRandom(4242);
    std::vector<CVector3D> expected;
    for (int spawn = 0; spawn < 5; ++spawn) {
        const CVector3D& at = held[static_cast<size_t>(Random15()) % held.size()];
        const float dx = RandomRange(-20.0f, 20.0f);
        const float dz = RandomRange(-20.0f, 20.0f);
        // The clone's own height lifts it; the 5-unit location box lowers it.
        expected.emplace_back(at.x + dx, at.y - 5.0f * 0.5f, at.z + dz);
    }
    // In spawn order.
    std::sort(m_Seen.begin(), m_Seen.end(),
              [](const Game::CEntity* a, const Game::CEntity* b) { return a->GetSerial() < b->GetSerial(); });
    for (int spawn = 0; spawn < 5; ++spawn) {
        const CVector3D& p = m_Seen[spawn]->GetPosition();
        EXPECT_NEAR(expected[spawn].x, p.x, 1e-4f) << spawn;
        EXPECT_NEAR(expected[spawn].y + m_Seen[spawn]->GetDimensions().y * 0.55f, p.y, 1e-4f) << spawn;
        EXPECT_NEAR(expected[spawn].z, p.z, 1e-4f) << spawn;
        const CVector3D& d = m_Seen[spawn]->GetDirection();
        EXPECT_NEAR(0.0f, d.y, 1e-6f);
        EXPECT_NEAR(1.0f, std::sqrt(d.x * d.x + d.z * d.z), 1e-5f);
    }
    EXPECT_EQ(0, spawner->GetRemainingSpawnCount());
    EXPECT_EQ(Vesk::TRIGGER_STATE_SLEEPING, spawner->GetState());
}

TEST_F(CLocationBasedSpawnerTriggerTest, IntervalsSetTheFireDelayRecordByRecord)
{
    Location(CVector3D(0, 0, 0));
    Game::CEntity* master = Template();
    CLocationBasedSpawnerTrigger* spawner = Spawner(master);
    spawner->AddSpawnGroup(SpawnGroupRecord(master, 2, 0.5f));
    spawner->AddSpawnGroup(SpawnGroupRecord(master, 1, 0.0f));
    EXPECT_EQ(Vesk::TRIGGER_DELAY_FIRE, spawner->GetFireMode());
    EXPECT_FLOAT_EQ(0.5f, spawner->GetFireDelay());
    EXPECT_EQ(3, spawner->GetRemainingSpawnCount());

    // dt 0.25: the delay starts on frame 1 and fires once more than 0.5 s have passed (frame 4);
    // continue wakes it on the next frame; after the first record the second fires at once.
    std::vector<int> spawnFrames;
    for (int frame = 1; frame <= 12; ++frame) {
        Vesk::CTriggerManager::GetInstance().Update(0.25f);
        if (!NewSpawns().empty())
            spawnFrames.push_back(frame);
    }
    EXPECT_EQ((std::vector<int>{4, 8, 9}), spawnFrames);
    EXPECT_EQ(Vesk::TRIGGER_IMMEDIATE_FIRE, spawner->GetFireMode());
    EXPECT_EQ(Vesk::TRIGGER_STATE_SLEEPING, spawner->GetState());

    // Refilled and woken by the wave manager, it spawns again.
    spawner->AddSpawnGroup(SpawnGroupRecord(master, 1, 0.0f));
    spawner->SetState(Vesk::TRIGGER_STATE_AWAKE);
    Vesk::CTriggerManager::GetInstance().Update(0.25f);
    EXPECT_EQ(1u, NewSpawns().size());
}

TEST_F(CLocationBasedSpawnerTriggerTest, WithoutLocationsClonesStayAtTheTemplateAndBadRecordsAreRefused)
{
    Game::CEntity* master = Template();
    CLocationBasedSpawnerTrigger* spawner = Spawner(master);
    EXPECT_TRUE(spawner->GetWaveLocations().empty());
    EXPECT_FALSE(master->IsVisible());

    // A record that would never finish (count 0 or less) or has nothing to clone is refused.
    Game::CEntity* gone = Template();
    const SpawnGroupRecord goneRecord(gone, 2, 0.0f);
    Factory().DestroyEntity(gone);
    for (const SpawnGroupRecord& bad : {SpawnGroupRecord(master, 0, 0.0f), SpawnGroupRecord(master, -3, 0.0f),
                                        SpawnGroupRecord(nullptr, 2, 0.0f), goneRecord})
        spawner->AddSpawnGroup(bad);
    EXPECT_EQ(0, spawner->GetRemainingSpawnCount());
    spawner->Fire();
    EXPECT_TRUE(NewSpawns().empty());

    spawner->AddSpawnGroup(SpawnGroupRecord(master, 1, 0.0f));
    spawner->Fire();
    const std::vector<Game::CEntity*> spawned = NewSpawns();
    ASSERT_EQ(1u, spawned.size());
    EXPECT_FLOAT_EQ(-1000.0f, spawned[0]->GetPosition().y);

    // The template goes while a record still names it: the count runs down without clones.
    spawner->AddSpawnGroup(SpawnGroupRecord(master, 2, 0.0f));
    Factory().DestroyEntity(master);
    spawner->Fire();
    spawner->Fire();
    EXPECT_TRUE(NewSpawns().empty());
    EXPECT_EQ(Vesk::TRIGGER_STATE_SLEEPING, spawner->GetState());
}

TEST_F(CSoundTriggerTest, FiresItsSoundWhenItsEntityEnters)
{
    Game::CEntity* player = Make(Game::GENERIC_ENT, "player");
    Game::GameTriggerSetting setting;
    setting.m_SoundName = "cheer";
    setting.m_PlayersAsTriggeringEnts = true;
    setting.m_CollisionStatusCondition = Game::COLLISION_ONENTER;
    setting.m_EntityCountCondition = Game::ANY_ENT;
    setting.m_PostActionResponse = Vesk::TRIGGER_AFTER_FIRE_SLEEP;
    MakeTrigger<Game::CSoundTrigger>(Game::SOUND_TRIGGER, "fanfare", setting, CVector3D(50, 0, 0));
    Frame();
    EXPECT_TRUE(SoundsPlayed().empty());
    player->SetPosition(CVector3D(50, 0, 0));
    Frame();
    Frame();
    EXPECT_EQ(std::vector<std::string>{"cheer.wav"}, SoundsPlayed());
}

TEST_F(CCameraLockTriggerTest, LocksOnlyASideScrollingCameraWhileSomeoneIsInside)
{
    Make(Game::GENERIC_ENT, "player"); // at the trigger's centre
    Game::GameTriggerSetting setting;
    setting.m_PlayersAsTriggeringEnts = true;
    setting.m_PostActionResponse = Vesk::TRIGGER_AFTER_FIRE_SLEEP;
    auto* lock = MakeTrigger<Game::CCameraLockTrigger>(Game::CAMERA_LOCK_TRIGGER, "lock", setting);
    StandInSideScrollCamera* camera = UseSideScrollCamera();
    ASSERT_NE(nullptr, camera);

    Frame(); // entering is not yet inside
    EXPECT_TRUE(camera->m_States.empty());
    Frame();
    EXPECT_EQ(std::vector<std::string>{"LockCameraState"}, camera->m_States);

    // Another kind of camera is left alone.
    Vesk::CCameraManager::GetInstance().CreateCamera<Vesk::CCamera>("menucamera", true);
    lock->SetState(Vesk::TRIGGER_STATE_AWAKE);
    Frame();
    EXPECT_EQ(1u, camera->m_States.size());
}

TEST_F(CBossEventTriggerTest, WakesTheBossStartsItsMusicAndLocksTheCamera)
{
    Game::EntitySetting bossSetting;
    bossSetting.m_ControllerType = Game::BIGBOSS;
    Game::CEntity* boss = Make(Game::GENERIC_CHARACTER, "boss", bossSetting);
    ASSERT_NE(nullptr, dynamic_cast<Game::CBigBossController*>(boss->GetController()));
    boss->GetController()->m_Enabled = false;
    Game::CEntity* minion = Make(Game::GENERIC_CHARACTER, "minion");
    StandInSideScrollCamera* camera = UseSideScrollCamera();

    // The first slave must be the boss: a trigger led by another entity does nothing.
    auto* wrong = MakeTrigger<Game::CBossEventTrigger>(Game::BOSS_EVENT_TRIGGER, "wrong", Game::GameTriggerSetting());
    wrong->AddSlaveEntity(minion, 0);
    wrong->AddSlaveEntity(boss, 1);
    wrong->Fire();
    EXPECT_FALSE(boss->GetController()->m_Enabled);
    EXPECT_TRUE(m_GameMaster.m_Music.empty());

    auto* trigger = MakeTrigger<Game::CBossEventTrigger>(Game::BOSS_EVENT_TRIGGER, "arena", Game::GameTriggerSetting());
    trigger->AddSlaveEntity(boss, 0);
    trigger->Fire();
    EXPECT_TRUE(boss->GetController()->m_Enabled);
    EXPECT_EQ((std::vector<std::pair<std::string, float>>{{"bossbgm", 1.0f}}), m_GameMaster.m_Music);
    EXPECT_EQ(std::vector<std::string>{"LockCameraState"}, camera->m_States);

    // Without slaves, or once the boss is gone, nothing happens.
    Factory().DestroyEntity(boss);
    trigger->Fire();
    EXPECT_EQ(1u, m_GameMaster.m_Music.size());
}
