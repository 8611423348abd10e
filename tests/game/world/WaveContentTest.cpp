// The shipped wave files under bin/assets with the shipped prefabs: each loads without a log line
// and plays through to a cleared level with the enemy kinds its level brings in.
#include "WaveTestSupport.h"

#include "game/voxel/CubeMeshCache.h"
#include "resources/CResourceManager.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

// Runs in the run directory with the resource manager, as the game does, so that the prefabs'
// models load.
class WaveContentTest : public worldtest::WaveFixture {
protected:
    void SetUp() override
    {
        WaveFixture::SetUp();
        ASSERT_TRUE(m_WorkingDir.Enter(testsupport::SourceDir() + "/bin"));
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
    }

    void TearDown() override
    {
        WaveFixture::TearDown();
        Vesk::CResourceManager::GetInstance().Shutdown();
    }

    // The log without the lines of particle batches, which need a graphics device this run has not
    // got (enemies with particle effects make theirs as they are made).
    static std::string WithoutParticleBatches(const std::string& log)
    {
        std::istringstream lines(log);
        std::string kept;
        for (std::string line; std::getline(lines, line);)
            if (!(line.rfind("Resource \"", 0) == 0 && line.find("particle\" did not load") != std::string::npos))
                kept += line + "\n";
        return kept;
    }

    testsupport::WorkingDirectory m_WorkingDir;
};

TEST_F(WaveContentTest, EachLevelsWavesLoadCleanlyAndPlayToTheEnd)
{
    struct Case {
        const char* level;
        size_t waves;
        std::set<std::string> kinds;
    };
    const Case cases[] = {
        {"arena2", 2, {"koboldminion", "boar"}},
        {"emeraldroom", 3, {"koboldminion", "boar", "skeleton", "ghost"}},
        {"purpleroom", 3, {"koboldminion", "boar", "skeleton", "ghost", "golem"}},
        {"testarena", 1, {"koboldminion"}},
    };
    const std::string assets = "assets/";
    ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(assets + "prefabsettings.xml"));
    BuildLevel();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        testing::internal::CaptureStderr();
        const bool loaded = InitWaves(assets + "scripts/wave", c.level);
        EXPECT_EQ(WithoutParticleBatches(testing::internal::GetCapturedStderr()), "");
        ASSERT_TRUE(loaded);
        EXPECT_EQ(Waves().GetWaveEnemyTotals().size(), c.waves);
        for (int total : Waves().GetWaveEnemyTotals())
            EXPECT_GE(total, 1);

        m_Hud.m_Banners.clear();
        Waves().SetOnHold(false);
        std::set<std::string> kinds;
        for (const std::multiset<std::string>& wave : PlayAllWaves())
            kinds.insert(wave.begin(), wave.end());
        EXPECT_EQ(kinds, c.kinds);
        EXPECT_TRUE(RunUntil([] { return Waves().AreAllWavesCleared(); }, 2.0f));
        EXPECT_EQ(m_Hud.m_Banners.size(), c.waves);
        Waves().Shutdown();
    }
}

} // namespace
