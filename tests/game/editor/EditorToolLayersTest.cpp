// The editor's layers over a running level: the Terrain layer shows the terrain brush and takes
// the camera's keys away, the Spatials layer shows the spatials tool, and every other layer hides
// both (the brush's highlight cleared).
#include "../gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/cameras/GameCameras.h"
#include "game/editor/CLESpatialsTool.h"
#include "game/editor/CLETerrainBrushTool.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/CLevelEditorState.h"
#include "game/states/GameStates.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CLevelManager.h"
#include "game/world/GameStartup.h"

#include "devgui/IDevGUI.h"
#include "render/CCameraManager.h"

#include <gtest/gtest.h>

namespace {

using Game::CLevelEditor;

class EditorToolLayersTest : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        GuiScreenFixture::SetUp();
        Game::RegisterGameTypes();
        Game::CLevelManager::GetInstance().SetLevelFileName("");
        Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("editorcamera", false);
        Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("terraineditorcamera", false);
    }

    void TearDown() override
    {
        while (Vesk::CGameManager::GetInstance().GetStateCount() > 0) {
            Vesk::CGameManager::GetInstance().PopState();
            Frame();
        }
        Game::ReleaseCubeRenderer();
        GuiScreenFixture::TearDown();
    }
};

TEST_F(EditorToolLayersTest, EachLayerShowsItsTool)
{
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.PushState(new Game::CPlayState("CPlayState", 1));
    Frame();
    Game::CLevelEditorState::s_OpeningCameraName = Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName();
    game.PushState(new Game::CLevelEditorState());
    Frame();
    CLevelEditor& editor = CLevelEditor::GetInstance();
    ASSERT_NE(editor.GetTerrainBrush(), nullptr);
    ASSERT_NE(editor.GetSpatials(), nullptr);
    const devgui::Panels& panels = Vesk::IDevGUI::GetInstance().GetPanels();
    auto shown = [&](const char* bar) { return panels.FindBar(bar) != devgui::kNoBar; };
    auto cameraKeys = [] {
        auto* camera = dynamic_cast<Game::CLevelEditorCamera*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera());
        return camera && camera->IsInputEnabled();
    };

    struct Row {
        uint32_t layer;
        bool terrain, spatials, keys;
    } rows[] = {
        {CLevelEditor::TerrainLayer, true, false, false}, {CLevelEditor::SpatialsLayer, false, true, true},
        {CLevelEditor::TerrainLayer, true, false, false}, {CLevelEditor::UnitsLayer, false, false, true},
        {CLevelEditor::SpatialsLayer, false, true, true}, {CLevelEditor::NoLayers, false, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.layer);
        editor.GetTerrainBrush()->SetSelectedBlock({4, 0, 4});
        editor.GetTerrainBrush()->SelectBlock();
        editor.ChangeLayer(row.layer);
        Frame();
        EXPECT_EQ(shown("TerrainBar"), row.terrain);
        EXPECT_EQ(editor.GetTerrainBrush()->GetListener().IsEnabled(), row.terrain);
        EXPECT_EQ(editor.GetTerrainBrush()->IsHighlightShown(), row.terrain);
        EXPECT_EQ(shown("SpatialsBar"), row.spatials);
        EXPECT_EQ(editor.GetSpatials()->GetListener().IsEnabled(), row.spatials);
        EXPECT_EQ(cameraKeys(), row.keys);
    }

    // Leaving the editor takes the tools and their bars away.
    editor.Resume();
    Frame();
    EXPECT_EQ(editor.GetTerrainBrush(), nullptr);
    EXPECT_FALSE(shown("SpatialsBar"));
}

} // namespace
