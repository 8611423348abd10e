// The level editor over a running play state: entering hides the HUD, stops the controllers and
// keeps the level; leaving restores them and the camera; the editor refuses to open without a
// level. The menu's file operations go through a scripted dialog: Save As puts the level into the
// levels folder whatever folder was chosen, a cancelled or impossible Load keeps the level and
// its edits, and New, Load, Reset and Resume leave the stack and the play state as they should.
// Picking, the watcher bar and an undoable Delete of the selection.
#include "EditorStateFixture.h"
#include "EditorTestSupport.h"

#include "frame/CGameManager.h"
#include "game/base/GameEnums.h"
#include "game/cameras/GameCameras.h"
#include "game/controllers/CControllerManager.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/CLevelEditorState.h"
#include "game/editor/EntityPicking.h"
#include "game/editor/LevelFileNames.h"
#include "game/entities/CEntityFactory.h"
#include "game/gui/CGuiManager.h"
#include "game/states/GameStates.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CLevelManager.h"
#include "game/world/GameStartup.h"
#include "game/world/TypeRegistration.h"

#include "debug/CDebugOutputManager.h"
#include "devgui/IDevGUI.h"
#include "platform/dialogs/ScriptedFileDialogs.h"
#include "render/CCameraManager.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

namespace {

using Game::CLevelEditor;

TEST(LevelFileNamesTest, SaveAsPathTable)
{
    const std::string levels = "/run/assets/levels/";
    struct Row {
        const char* chosen;
        const char* name;
        bool outside;
    } rows[] = {
        {"/run/assets/levels/level3.xml", "level3", false}, {"/run/assets/levels/level3", "level3", false},
        {"/run/assets/levels/arena2.xml", "arena2", false}, // an existing file is overwritten by name
        {"/run/assets/levels/../levels/x.xml", "x", false}, {"/home/me/Desktop/mine.xml", "mine", true},
        {"/run/assets/levels/sub/deep.xml", "deep", true},  {"/run/assets/levelsextra/a.xml", "a", true},
        {"/run/assets/levels/two.xml.bak", "two", false},   {"/run/assets/levels/.xml", "", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.chosen);
        const Game::LevelSaveName result = Game::LevelNameForSavePath(row.chosen, levels);
        EXPECT_EQ(result.name, row.name);
        EXPECT_EQ(result.outside, row.outside);
    }
    // Paths are not limited in length.
    const std::string longName(400, 'q');
    EXPECT_EQ(Game::LevelNameForSavePath(levels + longName + ".xml", levels).name, longName);
}

// The editor opened over a play state, with scripted file dialogs.
class CLevelEditorTest : public editortest::EditorStateFixture {
protected:
    // An undoable move of the first destructible of the level; returns the entity's name.
    std::string MoveSomething(const CVector3D& to)
    {
        const std::vector<Game::CEntity*> crates = Factory().FindByType(Game::DESTRUCTIBLE_OBJECT);
        EXPECT_FALSE(crates.empty());
        if (crates.empty())
            return "";
        Game::CEntity* crate = crates.front();
        auto move = std::make_unique<Game::MoveEntityMessagePacket>();
        move->m_Entity = Game::EntityHandle(crate);
        move->m_OldPosition = crate->GetPosition();
        move->m_NewPosition = to;
        move->m_OldDirection = move->m_NewDirection = crate->GetDirection();
        Game::CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(move));
        return crate->GetName();
    }

    // The names of the play screen's visible elements (the HUD among them).
    std::set<std::string> VisibleElements() const
    {
        std::set<std::string> names;
        for (const Vesk::CDisplayObject2D* element : m_Play->GetScreenElements())
            if (element->IsVisible())
                names.insert(element->GetName());
        return names;
    }
};

TEST_F(CLevelEditorTest, EnteringFreezesAndHidesAndLeavingRestores)
{
    Play(1);
    Frame();
    const std::set<std::string> shown = VisibleElements();
    ASSERT_FALSE(shown.empty());
    OpenEditor();
    EXPECT_EQ(GameManager().GetStateCount(), 2u);
    EXPECT_EQ(Levels().GetLevelName(), "arena2");
    EXPECT_TRUE(VisibleElements().empty());
    EXPECT_FALSE(Game::CControllerManager::GetInstance().IsEnabled());
    EXPECT_EQ(Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName(), "editorcamera");
    EXPECT_TRUE(Editor().IsActive());
    EXPECT_NE(Vesk::IDevGUI::GetInstance().GetPanels().FindBar("Menus"), devgui::kNoBar);

    // The layer left decides the camera, and the Terrain layer takes the camera's keys away: R
    // (forward) flies it on every other layer only.
    const auto flownByR = [this] {
        Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
        const CVector3D eye = camera->GetEye();
        TapKeys({'R'});
        return terraintest::V(camera->GetEye()) != terraintest::V(eye);
    };
    Editor().ChangeLayer(CLevelEditor::TerrainLayer);
    EXPECT_FALSE(Editor().IsCameraInputEnabled());
    EXPECT_FALSE(flownByR());
    Editor().ChangeLayer(CLevelEditor::UnitsLayer);
    EXPECT_EQ(Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName(), "terraineditorcamera");
    EXPECT_TRUE(Editor().IsCameraInputEnabled());
    EXPECT_TRUE(flownByR());
    Editor().ChangeLayer(CLevelEditor::SpatialsLayer);
    EXPECT_EQ(Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName(), "editorcamera");

    Game::CEntity* player = Factory().FindPlayer().empty() ? nullptr : Factory().FindPlayer().front();
    ASSERT_NE(player, nullptr);
    const CVector3D still = player->GetPosition();
    // Long enough for the level's banner to end, which brings its HUD up in play.
    for (int i = 0; i < 300; ++i)
        Frame();
    EXPECT_EQ(terraintest::V(player->GetPosition()), terraintest::V(still));
    for (const std::string& name : VisibleElements())
        ADD_FAILURE() << name << " shows under the editor";

    Editor().Resume();
    Frame();
    EXPECT_EQ(GameManager().GetStateCount(), 1u);
    // Everything shown on entry is back, with what the level brought up meanwhile.
    const std::set<std::string> after = VisibleElements();
    EXPECT_TRUE(std::includes(after.begin(), after.end(), shown.begin(), shown.end()));
    EXPECT_TRUE(Game::CControllerManager::GetInstance().IsEnabled());
    EXPECT_EQ(Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName(), "sidescrolling");
    EXPECT_FALSE(Editor().IsActive());
    EXPECT_EQ(Vesk::IDevGUI::GetInstance().GetPanels().FindBar("Menus"), devgui::kNoBar);
    EXPECT_EQ(Game::CLevelEditorMessageSystem::GetInstance().GetHistorySize(), 0u);
}

TEST_F(CLevelEditorTest, WithoutALevelTheEditorRefusesToOpen)
{
    ASSERT_EQ(Levels().GetTerrain(), nullptr);
    EXPECT_FALSE(Game::CLevelEditorState::CanOpen());
    EXPECT_EQ(Line27(), "Level editor not opened: no level is loaded");
}

TEST_F(CLevelEditorTest, ResumeKeepsTheEditsAndResetLoadsTheLevelAgain)
{
    Play(1);
    OpenEditor();
    const std::string moved = MoveSomething(CVector3D(40.0f, 30.0f, 20.0f));
    Editor().Resume();
    Frame();
    ASSERT_EQ(GameManager().GetStateCount(), 1u);
    EXPECT_EQ(terraintest::V(PositionOf(moved)), terraintest::V(CVector3D(40.0f, 30.0f, 20.0f)));

    OpenEditor();
    Editor().Reset();
    Frame();
    ASSERT_EQ(GameManager().GetStateCount(), 1u);
    EXPECT_EQ(GameManager().GetCurrentState()->GetName(), "CPlayState");
    EXPECT_EQ(Levels().GetLevelName(), "arena2");
    EXPECT_NE(terraintest::V(PositionOf(moved)), terraintest::V(CVector3D(40.0f, 30.0f, 20.0f)));
}

TEST_F(CLevelEditorTest, LoadCancelledOrMissingKeepsTheLevelAndItsEdits)
{
    Play(1);
    OpenEditor();
    const std::string moved = MoveSomething(CVector3D(40.0f, 30.0f, 20.0f));

    m_Dialogs->QueueCancel();
    Editor().Load();
    Answer();
    EXPECT_EQ(Line27(), "Load cancelled: the level and its edits stay");
    m_Dialogs->QueueChoice(m_Dir.File("assets/levels/nosuchlevel.xml"));
    Editor().Load();
    Answer();
    EXPECT_EQ(Line27(), "Load refused: no level file at " + m_Dir.File("assets/levels/nosuchlevel.xml"));

    EXPECT_EQ(GameManager().GetStateCount(), 2u);
    EXPECT_EQ(terraintest::V(PositionOf(moved)), terraintest::V(CVector3D(40.0f, 30.0f, 20.0f)));
    EXPECT_EQ(Game::CLevelEditorMessageSystem::GetInstance().GetHistorySize(), 1u);
    ASSERT_EQ(m_Dialogs->GetRequests().size(), 2u);
    EXPECT_EQ(m_Dialogs->GetRequests()[0].title, "Open Level XML File");
    EXPECT_EQ(m_Dialogs->GetRequests()[0].filter, "*.xml");
    EXPECT_EQ(std::filesystem::path(m_Dialogs->GetRequests()[0].initialDirectory),
              std::filesystem::path(m_Dir.File("assets/levels/")));
}

TEST_F(CLevelEditorTest, LoadAndNewRestartThePlayStateOnTheirLevel)
{
    Play(1);
    OpenEditor();
    m_Dialogs->QueueChoice(m_Dir.File("assets/levels/emeraldroom.xml"));
    Editor().Load();
    Answer();
    ASSERT_EQ(GameManager().GetStateCount(), 1u);
    EXPECT_EQ(GameManager().GetCurrentState()->GetName(), "CPlayState");
    EXPECT_EQ(Levels().GetLevelName(), "emeraldroom");

    // New starts the play state over on the empty level: the bare slab, no entities, no name.
    // The editor opens over it, and Save As gives it a file.
    OpenEditor();
    Editor().NewLevel();
    Frame();
    ASSERT_EQ(GameManager().GetStateCount(), 1u);
    EXPECT_EQ(GameManager().GetCurrentState()->GetName(), "CPlayState");
    EXPECT_TRUE(Levels().IsNewLevel());
    EXPECT_EQ(Levels().GetLevelName(), "");
    EXPECT_TRUE(Factory().FindPlayer().empty());
    EXPECT_TRUE(Factory().FindByType(Game::DESTRUCTIBLE_OBJECT).empty());
    // A restart of the play state (the editor's Resume, a pause-menu restart) keeps it empty.
    GameManager().m_Status = Vesk::CGameManager::StatusRestart;
    Frame();
    EXPECT_EQ(Levels().GetLevelName(), "");
    EXPECT_TRUE(Factory().FindPlayer().empty());
    OpenEditor();
    m_Dialogs->QueueChoice(m_Dir.File("assets/levels/fresh.xml"));
    Editor().SaveAs();
    Answer();
    EXPECT_EQ(Line27(), "Level saved as fresh.xml");
    // A level file set again ends the new level.
    Levels().SetLevelFileName("assets/levels/fresh.xml");
    EXPECT_FALSE(Levels().IsNewLevel());
}

TEST_F(CLevelEditorTest, SaveAsWritesIntoTheLevelsFolderAndSaysWhatHappened)
{
    Play(1);
    OpenEditor();
    const std::string moved = MoveSomething(CVector3D(40.0f, 30.0f, 20.0f));

    m_Dialogs->QueueCancel();
    Editor().SaveAs();
    Answer();
    EXPECT_EQ(GameManager().GetStateCount(), 2u);

    m_Dialogs->QueueChoice(m_Dir.File("elsewhere/mine.xml"));
    Editor().SaveAs();
    Answer();
    EXPECT_EQ(Line27(), "Level saved as mine.xml in the levels folder (the chosen folder is outside it)");
    EXPECT_TRUE(testsupport::FileExists(m_Dir.File("assets/levels/mine.xml")));
    EXPECT_FALSE(std::filesystem::exists(m_Dir.File("elsewhere/mine.xml")));
    EXPECT_EQ(Levels().GetLevelName(), "mine");
    EXPECT_EQ(GameManager().GetStateCount(), 2u);

    // The saved level holds the edit: a play of it finds the entity where it was moved.
    Levels().SetLevelFileName(Levels().GetLevelPath());
    Editor().Resume();
    Frame();
    GameManager().m_Status = Vesk::CGameManager::StatusRestart;
    Frame();
    EXPECT_EQ(Levels().GetLevelName(), "mine");
    EXPECT_EQ(terraintest::V(PositionOf(moved)), terraintest::V(CVector3D(40.0f, 30.0f, 20.0f)));
}

// A designer's session through the menu bar: over level 1, an entity is created and moved, the
// move undone and redone with the bar's buttons, the level saved as a new file through the
// dialog; the editor closes, and a new play of the saved level has the entity where it was moved.
TEST_F(CLevelEditorTest, CreateMoveUndoRedoSaveAsAndPlayTheNewLevel)
{
    Play(1);
    OpenEditor();
    devgui::Panels& panels = Vesk::IDevGUI::GetInstance().GetPanels();
    auto create = std::make_unique<Game::CreateEntityMessagePacket>();
    create->m_EntityType = Game::DESTRUCTIBLE_OBJECT;
    create->m_EntitySetting.m_StartPosition = CVector3D(20.0f, 12.0f, 30.0f);
    Game::CreateEntityMessagePacket* creation = create.get();
    Game::CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(create));
    Game::CEntity* made = creation->m_ResultantEntity.Get();
    ASSERT_NE(made, nullptr);
    const std::string name = made->GetName();
    const CVector3D start = made->GetPosition();

    auto move = std::make_unique<Game::MoveEntityMessagePacket>();
    move->m_Entity = creation->m_ResultantEntity;
    move->m_OldPosition = start;
    move->m_NewPosition = CVector3D(60.0f, 12.0f, 30.0f);
    move->m_OldDirection = move->m_NewDirection = made->GetDirection();
    Game::CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(move));
    ASSERT_TRUE(panels.Press("Menus", "UndoBtn"));
    EXPECT_EQ(terraintest::V(PositionOf(name)), terraintest::V(start));
    ASSERT_TRUE(panels.Press("Menus", "RedoBtn"));
    EXPECT_EQ(terraintest::V(PositionOf(name)), terraintest::V(CVector3D(60.0f, 12.0f, 30.0f)));

    m_Dialogs->QueueChoice(m_Dir.File("assets/levels/designed.xml"));
    ASSERT_TRUE(panels.Press("Menus", "SaveAsLevelBtn"));
    Answer();
    EXPECT_EQ(Line27(), "Level saved as designed.xml");
    Editor().Resume();
    Frame();
    ASSERT_EQ(GameManager().GetStateCount(), 1u);

    Levels().SetLevelFileName("assets/levels/designed.xml");
    GameManager().ChangeState(new Game::CPlayState("CPlayState", 1));
    Frame();
    EXPECT_EQ(Levels().GetLevelName(), "designed");
    EXPECT_EQ(terraintest::V(PositionOf(name)), terraintest::V(CVector3D(60.0f, 12.0f, 30.0f)));
}

TEST_F(CLevelEditorTest, SaveEntityTellsTheRealOutcome)
{
    Play(1);
    OpenEditor();
    Editor().SaveEntity();
    EXPECT_EQ(Line27(), "No Entity Saved. Select an entity to save.");
    Game::CEntity* crate = Factory().FindByType(Game::DESTRUCTIBLE_OBJECT).front();
    Editor().SelectEntity(crate);
    EXPECT_NE(Vesk::IDevGUI::GetInstance().GetPanels().FindBar("EntityWatcherBar"), devgui::kNoBar);
    Editor().SaveEntity();
    EXPECT_EQ(Line27(), "Entity Saved: " + crate->GetName());
    // A level file that cannot be written: the save fails, and the line says so.
    std::filesystem::remove(m_Dir.File(Levels().GetLevelPath()));
    std::filesystem::create_directories(m_Dir.File(Levels().GetLevelPath()));
    Editor().SaveEntity();
    EXPECT_EQ(Line27(), "Entity not saved: " + crate->GetName() + ". Save the entire level as a file first.");
}

TEST_F(CLevelEditorTest, DeleteRemovesTheSelectionUndoablyAndWithoutSelectionDoesNothing)
{
    Play(1);
    OpenEditor();
    const size_t live = Factory().GetLiveEntities().size();
    Editor().DeleteSelection();
    EXPECT_EQ(Factory().GetLiveEntities().size(), live);
    EXPECT_EQ(Game::CLevelEditorMessageSystem::GetInstance().GetHistorySize(), 0u);

    Game::CEntity* crate = Factory().FindByType(Game::DESTRUCTIBLE_OBJECT).front();
    const std::string name = crate->GetName();
    Editor().SelectEntity(crate);
    Editor().DeleteSelection();
    EXPECT_EQ(Factory().GetEntityByName(name), nullptr);
    EXPECT_EQ(Editor().GetSelectedEntity(), nullptr);
    EXPECT_EQ(Vesk::IDevGUI::GetInstance().GetPanels().FindBar("EntityWatcherBar"), devgui::kNoBar);
    Game::CLevelEditorMessageSystem::GetInstance().Undo();
    EXPECT_NE(Factory().GetEntityByName(name), nullptr);
    EXPECT_EQ(Factory().GetLiveEntities().size(), live);
}

TEST_F(CLevelEditorTest, WatcherBarEditsAreUndoable)
{
    Play(1);
    OpenEditor();
    Game::CEntity* crate = Factory().FindByType(Game::DESTRUCTIBLE_OBJECT).front();
    const CVector3D start = crate->GetPosition();
    Editor().SelectEntity(crate);
    devgui::Panels& panels = Vesk::IDevGUI::GetInstance().GetPanels();
    devgui::Value value;
    ASSERT_TRUE(panels.GetValue("EntityWatcherBar", "EntityPosition", value));
    EXPECT_EQ(terraintest::Vec(value.f[0], value.f[1], value.f[2]), terraintest::V(start));
    value.f[1] += 5.0f;
    ASSERT_TRUE(panels.SetValue("EntityWatcherBar", "EntityPosition", value));
    EXPECT_EQ(crate->GetPosition().y, start.y + 5.0f);
    ASSERT_TRUE(panels.GetValue("EntityWatcherBar", "EntityType", value));
    EXPECT_EQ(value.s, "DESTRUCTIBLE_OBJECT");
    ASSERT_TRUE(panels.Press("Menus", "UndoBtn"));
    EXPECT_EQ(terraintest::V(crate->GetPosition()), terraintest::V(start));
}

// Deleting the player in the editor takes its HUD down with it; leaving the editor then shows
// only the elements that still exist (the sanitizer build catches any use of a freed one).
TEST_F(CLevelEditorTest, LeavingAfterThePlayerWasDeletedShowsOnlyLiveElements)
{
    Play(1);
    Frame();
    OpenEditor();
    ASSERT_FALSE(Factory().FindPlayer().empty());
    Editor().SelectEntity(Factory().FindPlayer().front());
    Editor().DeleteSelection();
    EXPECT_TRUE(Factory().FindPlayer().empty());
    Editor().Resume();
    Frame();
    Frame();
    EXPECT_EQ(GameManager().GetStateCount(), 1u);
}

using EntityPickingTest = editortest::EditorFixture;

TEST_F(EntityPickingTest, NearestHitUnlessASmallerOneIsHit)
{
    ASSERT_TRUE(Manager().LoadLevel(""));
    Game::EntitySetting big, small;
    big.m_DimX = big.m_DimY = big.m_DimZ = 10.0f;
    small.m_DimX = small.m_DimY = small.m_DimZ = 2.0f;
    Game::CEntity* near = Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "near", big);
    near->SetPosition(CVector3D(0.0f, 0.0f, 20.0f));
    Game::CEntity* far = Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "far", big);
    far->SetPosition(CVector3D(0.0f, 0.0f, 40.0f));
    const CRay ray(CVector3D(0.0f, 0.0f, 0.0f), CVector3D(0.0f, 0.0f, 1.0f));
    EXPECT_EQ(Game::PickEntityAlongRay(ray), near);
    EXPECT_EQ(Game::PickEntityAlongRay(CRay(CVector3D(50.0f, 0.0f, 0.0f), CVector3D(0.0f, 0.0f, 1.0f))), nullptr);

    Game::CEntity* inside = Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "inside", small);
    inside->SetPosition(CVector3D(0.0f, 0.0f, 41.0f));
    EXPECT_EQ(Game::PickEntityAlongRay(ray), inside);
    // Excluding a type skips it; the boxes grow by 2.25 then.
    EXPECT_EQ(Game::PickEntityAlongRay(ray, {Game::DESTRUCTIBLE_OBJECT}, 2.25f), nullptr);
    EXPECT_EQ(Game::PickEntityAlongRay(CRay(CVector3D(8.0f, 0.0f, 0.0f), CVector3D(0.0f, 0.0f, 1.0f)), {}, 2.25f),
              near);
}

} // namespace
