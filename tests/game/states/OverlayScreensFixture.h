// A running game for the screens laid over the menu or a level (options, pause, questions): the
// GUI screen fixture with the game's managers up, the button actions registered, the system
// configuration read from the scratch copy of the assets, and the player's sound as a fresh start
// leaves it. States named as a test likes stand in for the states below the screens and count
// their Enter and Exit calls.
#pragma once

#include "game/gui/GuiScreenFixture.h"

#include "core/COptionSetting.h"
#include "core/CXmlDocument.h"
#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "game/states/ButtonCallbacks.h"
#include "game/states/PlayerOptions.h"
#include "game/world/CLevelManager.h"
#include "game/world/GameLifetime.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace overlaytest {

// How often each stand-in state was entered and left, by name; outlives the states.
struct Visits {
    int enters = 0, exits = 0;
};

class StandIn : public Vesk::IGameState {
public:
    StandIn(const std::string& name, std::shared_ptr<std::map<std::string, Visits>> visits)
        : IGameState(name), m_Visits(std::move(visits))
    {
    }
    void Enter() override { ++(*m_Visits)[m_Name].enters; }
    void Exit() override { ++(*m_Visits)[m_Name].exits; }
    void Update(float) override {}

private:
    std::shared_ptr<std::map<std::string, Visits>> m_Visits;
};

class OverlayScreensFixture : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        GuiScreenFixture::SetUp();
        ASSERT_TRUE(Game::GameManagerTable().Start());
        Game::CLevelManager::GetInstance().SetLevelFileName("");
        Game::RegisterGuiCallbacks();
        Options().SetPath(Vesk::COptionSetting::kDefaultPath);
        ASSERT_TRUE(Options().Init());
        ResetPlayerSound();
    }

    void TearDown() override
    {
        TakeStack();
        ResetPlayerSound();
        // The options singleton unloaded, as a fresh start finds it.
        Options().SetPath(m_Dir.File("none.xml"));
        Options().Init();
        Options().SetPath(Vesk::COptionSetting::kDefaultPath);
        GuiScreenFixture::TearDown();
    }

    static void ResetPlayerSound()
    {
        Game::SetSoundMuted(false);
        Game::SetPauseAttenuation(1.0f);
    }

    static Vesk::COptionSetting& Options() { return Vesk::COptionSetting::GetInstance(); }
    static Vesk::CGameManager& Manager() { return Vesk::CGameManager::GetInstance(); }
    static Vesk::IGameState* Top() { return Manager().GetCurrentState(); }
    static std::string TopName() { return Top() ? Top()->GetName() : std::string(); }

    // Stand-ins pushed bottom first, each entered in its own frame.
    void StandIns(const std::vector<std::string>& names)
    {
        for (const std::string& name : names) {
            Manager().PushState(new StandIn(name, m_Visits));
            Frame();
        }
    }

    template <typename T>
    T* Push(T* state)
    {
        Manager().PushState(state);
        Frame();
        TakeHoverSounds();
        return state;
    }

    // Runs the button action of the number, then one frame, after which its requests are done.
    void RunAction(int id)
    {
        Game::GuiCallback action = Game::CGuiManager::GetInstance().GetCallback(id);
        ASSERT_NE(nullptr, action) << "callback " << id;
        action();
        Frame();
    }

    // The names on the stack, top first, taking every state off it.
    std::vector<std::string> TakeStack()
    {
        std::vector<std::string> names;
        while (Manager().GetStateCount() > 0) {
            names.push_back(TopName());
            Manager().PopState();
            Frame();
        }
        return names;
    }

    // The "val" of an option as the saved file holds it ("<none>" without the element or file).
    std::string Saved(const std::string& key) const
    {
        Vesk::CXmlDocument document;
        if (!document.Load(m_Dir.File("assets/systemconfig.xml")))
            return "<none>";
        const Vesk::CXmlElement element = document.FindElement("Options/" + key);
        const char* value = element != nullptr ? element.GetAttribute("val") : nullptr;
        return value ? value : "<none>";
    }

    std::shared_ptr<std::map<std::string, Visits>> m_Visits = std::make_shared<std::map<std::string, Visits>>();
};

} // namespace overlaytest
