// A fixture for the trigger tests: the world fixture without gravity, sound recorded instead of
// played, a stand-in game master, and one frame as the game runs it (physics step and contacts,
// entity updates, trigger timing).
#pragma once

#include "EntityTestSupport.h"

#include "audio/CAudioSystem.h"
#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/entities/CGameTrigger.h"
#include "platform/sound/RecordingOutput.h"
#include "support/TestSupport.h"
#include "triggers/CTriggerManager.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace worldtest {

class StandInGameMaster : public Game::IGameMaster {
public:
    bool AllEnemiesDefeated() const override { return m_EnemiesDefeated; }
    int GetRemainingEnemyCount() const override { return m_EnemiesDefeated ? 0 : 1; }
    void PlayMusic(const std::string& name, float volume) override { m_Music.emplace_back(name, volume); }
    Vesk::CSoundChannel PlaySound(const std::string&) override { return {}; }
    void MarkLevelComplete() override {}
    void AddPlayer(Game::CEntity*) override {}
    void RemovePlayer(Game::CEntity*) override {}
    void AddComboHit(Game::CEntity*) override {}
    void AddKill(Game::CEntity*) override {}
    void AddDeath(Game::CEntity*, int) override {}
    void AddDamageTaken(Game::CEntity*, int) override {}
    void AddDamageDealt(Game::CEntity*, int) override {}
    void AddPoints(Game::CEntity*, int) override {}
    Game::PlayProgress GetPlayProgress(Game::CEntity*) const override { return {}; }

    bool m_EnemiesDefeated = true;
    std::vector<std::pair<std::string, float>> m_Music;
};

class TriggerFixture : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        Vesk::CPhysicsSystem::GetInstance().SetGravity(CVector3D(0, 0, 0));
        ASSERT_TRUE(Vesk::CAudioSystem::GetInstance().Init(sound::CreateRecordingOutput(m_Sound)));
        for (const char* name : {"cheer", "crate_destroy"}) {
            testsupport::WriteFile(m_Dir.File(std::string(name) + ".wav"), name);
            Vesk::CAudioSystem::GetInstance().LoadSound(name, m_Dir.File(std::string(name) + ".wav"), 0);
        }
        Game::CGameServices::GetInstance().SetGameMaster(&m_GameMaster);
    }

    void TearDown() override
    {
        Game::CGameServices::GetInstance().SetGameMaster(nullptr);
        WorldFixture::TearDown();
        Vesk::CAudioSystem::GetInstance().Release();
    }

    // One frame in the game's order, with the contacts of this frame's positions.
    static void Frame(float dt = 1.0f / 60.0f)
    {
        Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
        physics.StepSimulation(dt, 1, dt);
        physics.ProcessCollisions();
        Factory().UpdateAll(dt);
        Vesk::CTriggerManager::GetInstance().Update(dt);
        Factory().ProcessPendingDestroys();
    }

    template <typename T>
    static T* MakeTrigger(int type, const std::string& name, const Game::GameTriggerSetting& triggerSetting,
                          const CVector3D& position = CVector3D(0, 0, 0), float size = 10.0f)
    {
        Game::EntitySetting setting;
        setting.m_DimX = setting.m_DimY = setting.m_DimZ = size;
        setting.m_StartPosition = position;
        return dynamic_cast<T*>(Factory().CreateGameTrigger(type, name, setting, triggerSetting));
    }

    // The paths of the sounds played so far.
    std::vector<std::string> SoundsPlayed() const
    {
        std::vector<std::string> played;
        for (const auto& play : m_Sound->plays)
            played.push_back(play.path.substr(play.path.rfind('/') + 1));
        return played;
    }

    testsupport::ScratchDir m_Dir;
    std::shared_ptr<sound::Recording> m_Sound = std::make_shared<sound::Recording>();
    StandInGameMaster m_GameMaster;
};

} // namespace worldtest
