// A fixture for the wave tests: the trigger fixture with the real game master counting enemies, a
// player and wave locations made directly through the entity factory, a HUD that records what it
// is told, and a fixed clock that runs frames in the play state's order (physics, entities,
// triggers, then the wave manager) and tells apart each wave's spawns.
#pragma once

#include "../entities/TriggerTestSupport.h"

#include "game/base/IWaveHud.h"
#include "game/entities/CCharacter.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace worldtest {

class RecordingHud : public Game::IWaveHud {
public:
    void SetWaveText(const std::string& text) override { m_WaveText = text; }
    void SetBannerText(const std::string& text) override { m_Banners.push_back(text); }
    void SetBannerTextX(float x) override { m_TextX = x; }
    void SetBannerTextVisible(bool visible) override
    {
        m_TextVisible = visible;
        m_TextEverVisible = m_TextEverVisible || visible;
    }
    void SetBannerBackgroundVisible(bool visible) override
    {
        m_BackgroundVisible = visible;
        m_BackgroundEverVisible = m_BackgroundEverVisible || visible;
    }
    void SetBannerBackgroundOpacity(float opacity) override { m_Opacity = opacity; }

    std::string m_WaveText = "unset";
    std::vector<std::string> m_Banners;
    float m_TextX = 0.0f;
    float m_Opacity = 0.0f;
    bool m_TextVisible = false;
    bool m_BackgroundVisible = false;
    bool m_TextEverVisible = false;
    bool m_BackgroundEverVisible = false;
};

class WaveFixture : public TriggerFixture {
protected:
    static constexpr float kDt = 1.0f / 30.0f;

    void SetUp() override
    {
        TriggerFixture::SetUp();
        Game::CGameServices::GetInstance().SetGameMaster(&Game::CGameMaster::GetInstance());
        Waves().SetHud(&m_Hud);
    }

    void TearDown() override
    {
        Waves().Shutdown();
        Waves().SetHud(nullptr);
        Waves().SetWaveDirectory("assets/scripts/wave");
        Game::CLevelManager::GetInstance().SetLevelName(std::string());
        TriggerFixture::TearDown();
    }

    static Game::CWaveManager& Waves() { return Game::CWaveManager::GetInstance(); }

    // The level's own objects: a player and two wave locations, not transient.
    void BuildLevel()
    {
        Game::EntitySetting setting;
        setting.m_DimX = setting.m_DimY = setting.m_DimZ = 4.0f;
        m_LevelObjects.insert(Make(Game::GENERIC_CHARACTER, "player", setting));
        for (int i = 0; i < 2; ++i) {
            setting.m_StartPosition = CVector3D(60.0f * static_cast<float>(i + 1), 0.0f, 0.0f);
            m_LevelObjects.insert(Make(Game::WAVELOCATION, "wavelocation" + std::to_string(i), setting));
        }
    }

    // Init with the level's wave file in the given directory.
    bool InitWaves(const std::string& directory, const std::string& levelName)
    {
        Game::CLevelManager::GetInstance().SetLevelName(levelName);
        Waves().SetWaveDirectory(directory);
        return Waves().Init();
    }

    void Step()
    {
        Frame(kDt);
        Waves().Update(kDt);
        m_Clock += kDt;
    }

    // Steps until the condition holds or the seconds run out; whether it held.
    bool RunUntil(const std::function<bool()>& done, float seconds)
    {
        for (float t = 0.0f; t < seconds; t += kDt) {
            if (done())
                return true;
            Step();
        }
        return done();
    }

    void RunFor(float seconds)
    {
        RunUntil([] { return false; }, seconds);
    }

    // Characters spawned since the last call (clones of the templates).
    std::vector<Game::CCharacter*> NewSpawns()
    {
        std::vector<Game::CCharacter*> spawned;
        for (Game::CEntity* entity : Factory().FindByType(Game::GENERIC_CHARACTER)) {
            auto* character = dynamic_cast<Game::CCharacter*>(entity);
            if (character && !character->IsDormant() && !m_LevelObjects.count(entity) &&
                m_Seen.insert(entity->GetSerial()).second)
                spawned.push_back(character);
        }
        return spawned;
    }

    // The spawned characters still standing.
    std::vector<Game::CCharacter*> LiveSpawns() const
    {
        std::vector<Game::CCharacter*> live;
        for (Game::CEntity* entity : Factory().FindByType(Game::GENERIC_CHARACTER)) {
            auto* character = dynamic_cast<Game::CCharacter*>(entity);
            if (character && !character->IsDormant() && !m_LevelObjects.count(entity) && !character->IsDying() &&
                !character->IsDead())
                live.push_back(character);
        }
        return live;
    }

    void DefeatSpawns()
    {
        for (Game::CCharacter* character : LiveSpawns())
            character->Die();
    }

    // Plays the released level wave by wave: waits for each wave's total to be spawned, checks
    // that nothing more comes while they stand, then defeats them. The prefab names spawned per
    // wave.
    std::vector<std::multiset<std::string>> PlayAllWaves()
    {
        std::vector<std::multiset<std::string>> waves;
        const std::vector<int> totals = Waves().GetWaveEnemyTotals();
        for (size_t w = 0; w < totals.size(); ++w) {
            std::multiset<std::string> spawned;
            const bool all = RunUntil(
                [&] {
                    for (Game::CCharacter* character : NewSpawns())
                        spawned.insert(character->GetPrefabName());
                    return static_cast<int>(spawned.size()) >= totals[w];
                },
                120.0f);
            EXPECT_TRUE(all) << "wave " << w << " spawned " << spawned.size() << " of " << totals[w];
            EXPECT_EQ(Waves().GetWaveEnemyTotal(), totals[w]) << "wave " << w;
            EXPECT_EQ(m_Hud.m_Banners.size(), w + 1) << "wave " << w;
            RunFor(12.0f);
            EXPECT_TRUE(NewSpawns().empty()) << "wave " << w << " overflowed while its enemies stand";
            EXPECT_EQ(m_Hud.m_Banners.size(), w + 1) << "the next wave came before wave " << w << " was beaten";
            EXPECT_FALSE(Waves().AreAllWavesCleared()) << "wave " << w;
            EXPECT_EQ(Waves().GetRemainingEnemies(), totals[w]) << "wave " << w;
            DefeatSpawns();
            waves.push_back(spawned);
        }
        return waves;
    }

    // The lines of a captured log that the wave code and the objects it makes write (meshes and
    // resources left out: the unit tests' prefabs have no models).
    static std::string WaveLogLines(const std::string& log)
    {
        static const char* const kSources[] = {
            "CWaveManager:", "CLocationBasedSpawnerTrigger:", "CTriggerModifierTrigger:",
            "CGameTrigger:", "CGamePrefabSettings:",          "CEntityFactory:"};
        std::string kept;
        size_t start = 0;
        while (start < log.size()) {
            const size_t end = std::min(log.find('\n', start), log.size());
            const std::string line = log.substr(start, end - start);
            for (const char* source : kSources) {
                if (line.rfind(source, 0) == 0)
                    kept += line + "\n";
            }
            start = end + 1;
        }
        return kept;
    }

    RecordingHud m_Hud;
    std::set<Game::CEntity*> m_LevelObjects;
    std::set<uint64_t> m_Seen;
    float m_Clock = 0.0f;
};

} // namespace worldtest
