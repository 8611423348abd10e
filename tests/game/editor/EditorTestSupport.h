// A fixture for the editor tests: the level fixture with the debug output up (the editor's
// message line) and the edit history emptied around each test.
#pragma once

#include "../world/LevelTestSupport.h"

#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/editor/EditorMessage.h"

#include "debug/CDebugOutputManager.h"

namespace editortest {

class EditorFixture : public leveltest::LevelFixture {
protected:
    void SetUp() override
    {
        LevelFixture::SetUp();
        ASSERT_TRUE(Vesk::CDebugOutputManager::GetInstance().Init());
        History().Clear();
    }

    void TearDown() override
    {
        History().Clear();
        Vesk::CDebugOutputManager::GetInstance().Shutdown();
        LevelFixture::TearDown();
    }

    static Game::CLevelEditorMessageSystem& History() { return Game::CLevelEditorMessageSystem::GetInstance(); }
    static std::string Line27() { return Vesk::CDebugOutputManager::GetInstance().GetLine(Game::kEditorMessageLine); }
};

} // namespace editortest
