// A fixture for entity tests that listen to the game's sounds: the world fixture plus a recording
// sound output and a sound list of the named effects (each a file in a scratch folder), and a
// character-controller stand-in, registered under its own controller type, that logs its hooks.
#pragma once

#include "EntityTestSupport.h"
#include "support/TestSupport.h"

#include "audio/CAudioSystem.h"
#include "game/controllers/IController.h"
#include "game/world/CGameMaster.h"
#include "platform/sound/RecordingOutput.h"

#include <memory>
#include <string>
#include <vector>

namespace worldtest {

// Logs every hook call as "OnHit 5", "OnStunned 1.5", "OnDying", "OnAttackLanded 3".
class RecordingController : public Game::CCharacterController {
public:
    static constexpr int kType = 40;
    static inline std::vector<std::string> s_Log;

    int GetControllerType() const override { return kType; }
    void OnHit(const int& damage) override { s_Log.push_back("OnHit " + std::to_string(damage)); }
    void OnDying() override { s_Log.push_back("OnDying"); }
    void OnAttackLanded(Game::CCharacter*, const int& damage) override
    {
        s_Log.push_back("OnAttackLanded " + std::to_string(damage));
    }
    void OnStunned(float seconds) override { s_Log.push_back("OnStunned " + std::to_string(seconds)); }
    void OnFlockLaunch() override { s_Log.push_back("OnFlockLaunch"); }
};

class SoundFixture : public WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        Game::RegisterControllerType<RecordingController>(RecordingController::kType, "TESTRECORDER", 16);
        RecordingController::s_Log.clear();
        m_Recording = std::make_shared<sound::Recording>();
        ASSERT_TRUE(Vesk::CAudioSystem::GetInstance().Init(sound::CreateRecordingOutput(m_Recording)));
        Game::CGameMaster::GetInstance().Shutdown();
        Game::CGameMaster::GetInstance().Init();
        AddSounds({"hurt", "death", "collect"});
    }

    // Lists more named effects with the game master, each a file in the scratch folder.
    void AddSounds(const std::vector<std::string>& names)
    {
        std::string list = "<sounds><sfx>";
        for (const std::string& name : names) {
            testsupport::WriteFile(m_Dir.File(name + ".wav"), "RIFF");
            list += "<" + name + " vol=\"0.5\" url=\"" + m_Dir.File(name + ".wav") + "\"/>";
        }
        const std::string path = m_Dir.File("sounds" + std::to_string(++m_SoundLists) + ".xml");
        testsupport::WriteFile(path, list + "</sfx></sounds>");
        Game::CGameMaster::GetInstance().LoadSoundList(path);
    }

    void TearDown() override
    {
        Game::CGameMaster::GetInstance().Shutdown();
        Vesk::CAudioSystem::GetInstance().Shutdown();
        WorldFixture::TearDown();
    }

    // How often the named effect was played.
    int Plays(const std::string& name) const
    {
        int count = 0;
        for (const auto& play : m_Recording->plays)
            count += play.path == m_Dir.File(name + ".wav") ? 1 : 0;
        return count;
    }

    std::shared_ptr<sound::Recording> m_Recording;
    testsupport::ScratchDir m_Dir;
    int m_SoundLists = 0;
};

} // namespace worldtest
