// The wave manager: a whole level played on a fixed clock (waves in order, one banner each, the
// next wave only after the last is beaten, cleared after the last), the objects it makes and
// spawns being transient, the wave file table with its bad entries, a wave's total held at its
// limit, the clamped queries when the global trigger is woken past its waves, retargeting, and
// the hold before play starts.
#include "WaveTestSupport.h"

#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/entities/CTriggerModifierTrigger.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

namespace {

using Game::CWaveManager;

const char* const kPrefabs = R"(<Root><EntitySetting mappedname="GENERIC_CHARACTER">
    <prefab prefabname="koboldminion" meshname="none" dimX="4" dimY="6" dimZ="4" collisiongroup="1" collisionmask="65535" controllertype="MINION"/>
    <prefab prefabname="boar" meshname="none" dimX="8" dimY="6" dimZ="10" collisiongroup="1" collisionmask="65535" controllertype="BOAR"/>
    <prefab prefabname="skeleton" meshname="none" dimX="4" dimY="8" dimZ="4" collisiongroup="1" collisionmask="65535" controllertype="UNDEAD"/>
    <prefab prefabname="ghost" meshname="none" dimX="4" dimY="8" dimZ="4" collisiongroup="1" collisionmask="65535" controllertype="APPARATION"/>
    <prefab prefabname="golem" meshname="none" dimX="10" dimY="14" dimZ="10" collisiongroup="1" collisionmask="65535" controllertype="GOLEM"/>
</EntitySetting></Root>)";

const char* const kThreeWaves = R"(<WaveList>
    <first><a><minion count="2" interval="0.5"/></a><b><boar count="1"/></b></first>
    <second><a><skeleton count="1" interval="1.0"/><ghost count="1" interval="2.0"/></a></second>
    <third><a><golem count="1"/></a></third>
</WaveList>)";

class CWaveManagerTest : public worldtest::WaveFixture {
protected:
    void SetUp() override
    {
        WaveFixture::SetUp();
        testsupport::WriteFile(m_Dir.File("prefabs.xml"), kPrefabs);
        ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(m_Dir.File("prefabs.xml")));
        BuildLevel();
    }

    bool InitWith(const std::string& waveFile)
    {
        testsupport::WriteFile(m_Dir.File("level.xml"), waveFile);
        return InitWaves(m_Dir.Path(), "level");
    }

    static std::vector<std::string> SpawnerNames()
    {
        std::vector<std::string> names;
        for (Game::CEntity* entity : Factory().FindByType(Game::LOCATIONBASED_SPAWNER_TRIGGER))
            names.push_back(entity->GetName());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CWaveManagerTest, WavesSpawnInOrderOneBannerEachAndTheLevelClearsAfterTheLastIsBeaten)
{
    ASSERT_TRUE(InitWith(kThreeWaves));
    EXPECT_EQ(m_Hud.m_WaveText, std::string(CWaveManager::kWaveTextBlanks, ' '));
    EXPECT_EQ(Waves().GetWaveEnemyTotals(), (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(Waves().GetWaveEnemyTotal(), 0);
    EXPECT_EQ(Waves().GetRemainingEnemies(), 0);

    RunFor(20.0f);
    EXPECT_TRUE(m_Hud.m_Banners.empty()) << "a wave started while on hold";
    EXPECT_TRUE(NewSpawns().empty());
    EXPECT_FALSE(Waves().AreAllWavesSpawned());

    Waves().SetOnHold(false);
    Step();
    ASSERT_EQ(m_Hud.m_Banners, (std::vector<std::string>{"WAVE 1 COMMENCING"}));
    const float bannerAt = m_Clock;
    ASSERT_TRUE(RunUntil([&] { return !LiveSpawns().empty(); }, 10.0f));
    EXPECT_GE(m_Clock - bannerAt, CWaveManager::kFireDelay) << "the wave came before the banner's delay";

    const std::vector<std::multiset<std::string>> spawned = PlayAllWaves();
    const std::vector<std::multiset<std::string>> expected = {
        {"boar", "koboldminion", "koboldminion"}, {"ghost", "skeleton"}, {"golem"}};
    EXPECT_EQ(spawned, expected);
    EXPECT_EQ(m_Hud.m_Banners,
              (std::vector<std::string>{"WAVE 1 COMMENCING", "WAVE 2 COMMENCING", "WAVE 3 COMMENCING"}));

    EXPECT_TRUE(RunUntil([] { return Waves().AreAllWavesCleared(); }, 2.0f));
    EXPECT_TRUE(Waves().AreAllWavesSpawned());
    EXPECT_EQ(m_Hud.m_WaveText, "");
    RunFor(20.0f);
    EXPECT_EQ(m_Hud.m_Banners.size(), 3u) << "a phantom wave after the last";
    EXPECT_TRUE(NewSpawns().empty());
    EXPECT_EQ(Waves().GetGlobalTrigger()->GetState(), Vesk::TRIGGER_STATE_SLEEPING);
}

TEST_F(CWaveManagerTest, EveryWaveObjectAndEverySpawnedEnemyIsTransient)
{
    ASSERT_TRUE(InitWith(kThreeWaves));
    Waves().SetOnHold(false);
    ASSERT_TRUE(RunUntil([&] { return LiveSpawns().size() == 3; }, 30.0f));
    int waveObjects = 0;
    for (const auto& entry : Factory().GetLiveEntities()) {
        if (m_LevelObjects.count(entry.second)) {
            EXPECT_FALSE(entry.second->IsTransient()) << entry.first;
            continue;
        }
        EXPECT_TRUE(entry.second->IsTransient()) << entry.first << " would be saved with the level";
        ++waveObjects;
    }
    // The global trigger, five templates, four spawners and three enemies.
    EXPECT_EQ(waveObjects, 1 + 5 + 4 + 3);
    for (const char* name : {"masterminion", "masterboar", "masterskeleton", "masterghost", "mastergolem"}) {
        auto* master = dynamic_cast<Game::CCharacter*>(Factory().GetEntityByName(name));
        ASSERT_NE(master, nullptr) << name;
        EXPECT_TRUE(master->IsDormant()) << name;
        EXPECT_FALSE(master->IsVisible()) << name;
        EXPECT_FLOAT_EQ(master->GetPosition().y, -1000.0f) << name;
    }

    Waves().Shutdown();
    for (const auto& entry : Factory().GetLiveEntities()) {
        const bool spawned = entry.second->GetType() == Game::GENERIC_CHARACTER && !m_LevelObjects.count(entry.second);
        EXPECT_TRUE(m_LevelObjects.count(entry.second) || spawned) << entry.first << " outlived Shutdown";
    }
}

TEST_F(CWaveManagerTest, WaveFilesMakeOneSpawnerPerUsableGroupAndBadEntriesLogAndStaySafe)
{
    struct Case {
        const char* name;
        const char* file; // null: no file at all
        bool loads;
        std::vector<std::string> spawners;
        std::vector<int> totals;
        const char* logged; // a piece of the expected log line, or null for none
    };
    const Case cases[] = {
        {"two waves of one group",
         "<WaveList><w><g><minion count='1'/></g></w><w><g><golem count='2'/></g></w></WaveList>",
         true,
         {"lspawnertrigger0_0", "lspawnertrigger1_0"},
         {1, 2},
         nullptr},
        {"a group's entries add up",
         "<WaveList><w><g><boar count='3'/><minion count='2' interval='1'/></g></w></WaveList>",
         true,
         {"lspawnertrigger0_0"},
         {5},
         nullptr},
        {"the list under another root",
         "<Root><WaveList><w><g><ghost count='1'/></g></w></WaveList></Root>",
         true,
         {"lspawnertrigger0_0"},
         {1},
         nullptr},
        {"unknown enemy skipped beside a known one",
         "<WaveList><w><g><dragon count='4'/><minion count='1'/></g><h><dragon count='1'/></h></w></WaveList>",
         true,
         {"lspawnertrigger0_0"},
         {1},
         "CWaveManager: \"lspawnertrigger0_0\" skips \"dragon\""},
        {"count absent, zero or negative",
         "<WaveList><w><g><minion/><boar count='0'/><golem count='-3'/></g><h><boar count='1'/></h></w></WaveList>",
         true,
         {"lspawnertrigger0_1"},
         {1},
         "of count 0"},
        {"huge count cut down",
         "<WaveList><w><g><minion count='2147483647'/><boar count='2147483647'/></g></w></WaveList>",
         true,
         {"lspawnertrigger0_0"},
         {2 * CWaveManager::kMaxEntryCount},
         "cuts \"minion\" down"},
        {"negative interval",
         "<WaveList><w><g><minion count='1' interval='-2'/></g></w></WaveList>",
         true,
         {"lspawnertrigger0_0"},
         {1},
         "without an interval"},
        {"missing file", nullptr, false, {}, {}, "does not load"},
        {"empty file", "", false, {}, {}, "does not load"},
        {"no waves", "<WaveList/>", false, {}, {}, "names no enemy"},
        {"no wave list", "<Waves><w><g><minion count='1'/></g></w></Waves>", false, {}, {}, "has no \"WaveList\""},
        {"only unknown enemies",
         "<WaveList><w><g><dragon count='2'/></g></w></WaveList>",
         false,
         {},
         {0},
         "names no enemy"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Waves().Shutdown();
        m_Hud.m_Banners.clear();
        const std::string level = "level" + std::to_string(&c - cases);
        if (c.file)
            testsupport::WriteFile(m_Dir.File(level + ".xml"), c.file);
        testing::internal::CaptureStderr();
        const bool loaded = InitWaves(m_Dir.Path(), level);
        const std::string log = WaveLogLines(testing::internal::GetCapturedStderr());
        EXPECT_EQ(loaded, c.loads);
        EXPECT_EQ(SpawnerNames(), c.spawners);
        EXPECT_EQ(Waves().GetWaveEnemyTotals(), c.totals);
        if (c.logged)
            EXPECT_NE(log.find(c.logged), std::string::npos) << log;
        else
            EXPECT_EQ(log, "");
        EXPECT_NE(Waves().GetGlobalTrigger(), nullptr);
        EXPECT_EQ(Factory().FindByName("masterminion").size(), 1u);
        if (!c.loads) {
            Waves().SetOnHold(false);
            RunFor(15.0f);
            EXPECT_TRUE(m_Hud.m_Banners.empty()) << "a wave banner without waves";
            EXPECT_TRUE(NewSpawns().empty());
            EXPECT_EQ(Waves().GetWaveNumber(), 1);
            EXPECT_EQ(Waves().GetWaveEnemyTotal(), 0);
        }
    }
}

TEST_F(CWaveManagerTest, AWaveWhoseEntriesAddUpPastItsLimitIsHeldThereAndNeverTurnsNegative)
{
    // Two groups of 600 entries of 1000 minions: 1.2 million in the wave.
    std::string group;
    for (int i = 0; i < 600; ++i)
        group += "<minion count='1000' interval='1000'/>";
    testing::internal::CaptureStderr();
    ASSERT_TRUE(InitWith("<WaveList><w><g>" + group + "</g><h>" + group + "</h></w></WaveList>"));
    const std::string log = WaveLogLines(testing::internal::GetCapturedStderr());
    EXPECT_EQ(Waves().GetWaveEnemyTotals(), std::vector<int>{CWaveManager::kMaxWaveEnemyTotal});
    EXPECT_EQ(log, "CWaveManager: wave 0 of \"" + m_Dir.File("level.xml") +
                       "\" adds up to 1200000 enemies; its total is held at 1000000\n");

    Waves().SetOnHold(false);
    RunFor(CWaveManager::kFireDelay + 1.0f);
    ASSERT_EQ(Waves().GetWaveNumber(), 2) << "the wave has started";
    EXPECT_EQ(Waves().GetWaveEnemyTotal(), CWaveManager::kMaxWaveEnemyTotal);
    EXPECT_EQ(Waves().GetRemainingEnemies(), CWaveManager::kMaxWaveEnemyTotal);

    // Queued counts past the int range, as a spawner fed directly could hold them.
    auto* spawner = dynamic_cast<Game::CLocationBasedSpawnerTrigger*>(Factory().FindByName("lspawnertrigger0_0").at(0));
    ASSERT_NE(spawner, nullptr);
    const Game::CEntity* minion = Factory().FindByName("masterminion").at(0);
    for (int i = 0; i < 2; ++i)
        spawner->AddSpawnGroup(Game::SpawnGroupRecord(minion, std::numeric_limits<int>::max(), 1000.0f));
    EXPECT_EQ(spawner->GetRemainingSpawnCount(), std::numeric_limits<int>::max());
    EXPECT_EQ(Waves().GetRemainingEnemies(), CWaveManager::kMaxWaveEnemyTotal);
}

TEST_F(CWaveManagerTest, QueriesStayWithinTheWavesWhenTheGlobalTriggerIsWokenPastThem)
{
    ASSERT_TRUE(InitWith("<WaveList><w><g><minion count='2'/></g></w><w><g><boar count='1'/></g></w></WaveList>"));
    Waves().SetOnHold(false);
    PlayAllWaves();
    ASSERT_TRUE(RunUntil([] { return Waves().AreAllWavesCleared(); }, 2.0f));

    Game::CTriggerModifierTrigger* global = Waves().GetGlobalTrigger();
    global->SetState(Vesk::TRIGGER_STATE_AWAKE);
    for (int i = 0; i < 3; ++i) {
        RunFor(CWaveManager::kFireDelay + 1.0f);
        EXPECT_GT(global->GetSequence().m_ActivationIndex, 2) << "the trigger was not driven past its waves";
        EXPECT_EQ(Waves().GetWaveEnemyTotal(), 1) << "the last wave's total";
        EXPECT_EQ(Waves().GetRemainingEnemies(), 0);
        EXPECT_TRUE(LiveSpawns().empty());
    }
    // The spawner woken again with nothing left to spawn went back to sleep, and so did the trigger.
    for (Game::CEntity* spawner : Factory().FindByType(Game::LOCATIONBASED_SPAWNER_TRIGGER))
        EXPECT_EQ(dynamic_cast<Game::CGameTrigger*>(spawner)->GetState(), Vesk::TRIGGER_STATE_SLEEPING);
    EXPECT_EQ(global->GetState(), Vesk::TRIGGER_STATE_SLEEPING);
}

TEST_F(CWaveManagerTest, EnemiesTurnToThePlayerOnTheFirstUpdateAndEveryPeriodAfter)
{
    ASSERT_TRUE(InitWith(kThreeWaves));
    Game::EntitySetting setting =
        Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "boar");
    setting.m_StartPosition = CVector3D(30.0f, 0.0f, 0.0f);
    auto* enemy = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, "", setting));
    ASSERT_NE(enemy, nullptr);
    ASSERT_NE(enemy->GetCharacterController(), nullptr);
    const CVector3D templateFacing = Factory().GetEntityByName("masterboar")->GetDirection();

    Waves().Update(kDt);
    EXPECT_EQ(enemy->GetCharacterController()->GetTarget(), nullptr) << "retargeted while on hold";

    Waves().SetOnHold(false);
    Waves().Update(kDt);
    Game::CEntity* player = Factory().GetEntityByName("player");
    EXPECT_EQ(enemy->GetCharacterController()->GetTarget(), player);
    EXPECT_NEAR(enemy->GetDirection().x, -1.0f, 1e-5f);
    EXPECT_NEAR(enemy->GetDirection().z, 0.0f, 1e-5f);
    EXPECT_FLOAT_EQ(Factory().GetEntityByName("masterboar")->GetDirection().x, templateFacing.x);

    player->SetPosition(CVector3D(30.0f, 0.0f, 40.0f));
    Waves().Update(CWaveManager::kRetargetPeriod * 0.5f);
    EXPECT_NEAR(enemy->GetDirection().x, -1.0f, 1e-5f) << "retargeted before the period";
    Waves().Update(CWaveManager::kRetargetPeriod * 0.6f);
    EXPECT_NEAR(enemy->GetDirection().z, 1.0f, 1e-5f);
}

} // namespace
