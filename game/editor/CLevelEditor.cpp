#include "game/editor/CLevelEditor.h"

#include "game/base/CSlotHash.h"
#include "game/base/GameEnums.h"
#include "game/cameras/CLevelEditorCamera.h"
#include "game/editor/CLELinker.h"
#include "game/editor/CLEObjectControl.h"
#include "game/editor/CLESpatialsTool.h"
#include "game/editor/CLETerrainBrushTool.h"
#include "game/editor/CLevelEditorMessageSystem.h"
#include "game/editor/EditorMessage.h"
#include "game/editor/EditorTriggers.h"
#include "game/editor/EntityPicking.h"
#include "game/editor/LevelFileNames.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CGameTrigger.h"
#include "game/world/CLevelLineup.h"
#include "game/world/CLevelManager.h"

#include "debug/CDebugOutputManager.h"
#include "devgui/IDevGUI.h"
#include "frame/CGameManager.h"
#include "input/CInputManager.h"
#include "platform/dialogs/FileDialogs.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "render/ScreenProjection.h"

#include <filesystem>

namespace Game {

namespace {

constexpr const char* kHelp = "Welcome to pmarls level editor! \nWASD to move camera. Right-click to move the cameras "
                              "lookat.\nMiddle click and move to move cameras x and z. Middle scroll to zoom in/out.";

CLevelEditor& Editor(void* clientData) { return *static_cast<CLevelEditor*>(clientData); }

// The folder the level manager saves levels into, as an absolute path.
std::string LevelsFolder()
{
    std::error_code error;
    return std::filesystem::absolute(CLevelLineup::kLevelsDirectory, error).string();
}

dialogs::FileDialogRequest LevelDialog(const char* title)
{
    dialogs::FileDialogRequest request;
    request.title = title;
    request.filter = "*.xml";
    request.initialDirectory = LevelsFolder();
    return request;
}

// The watcher bar's accessors: each works on the editor's selection and does nothing without one.
template <typename Action>
void WithSelection(void* clientData, Action action)
{
    if (CEntity* entity = Editor(clientData).GetSelectedEntity())
        action(*entity);
}

void CopyVector(void* value, const CVector3D& v)
{
    float* out = static_cast<float*>(value);
    out[0] = v.x, out[1] = v.y, out[2] = v.z;
}

CVector3D VectorOf(const void* value)
{
    const float* in = static_cast<const float*>(value);
    return CVector3D(in[0], in[1], in[2]);
}

// Both editor cameras, so that the one a later layer change makes current has the same keys.
void SetEditorCameraKeys(bool enabled)
{
    for (const char* name : {"editorcamera", "terraineditorcamera"})
        if (auto* camera = dynamic_cast<CLevelEditorCamera*>(Vesk::CCameraManager::GetInstance().GetCamera(name)))
            enabled ? camera->EnableInput() : camera->DisableInput();
}

void SetText(void* value, const std::string& text) { *static_cast<std::string*>(value) = text; }

// A watcher-bar edit of the selection, as an undoable properties packet.
template <typename Change>
void EditSelection(void* clientData, Change change)
{
    CEntity* entity = Editor(clientData).GetSelectedEntity();
    if (!entity)
        return;
    auto packet = std::make_unique<EntityPropertiesMessagePacket>(entity);
    change(packet->m_New);
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::move(packet));
}

} // namespace

// Input listener

void CLevelEditorInputListener::OnMouseUp(const Vesk::MouseEvent& event)
{
    const uint32_t layer = m_Editor->GetLayer();
    if (event.button != 0 || layer == CLevelEditor::TerrainLayer || layer == CLevelEditor::SpatialsLayer)
        return;
    // A release that ends a handle drag, or makes an entity in Create mode, keeps the selection.
    if (const CLEObjectControl* objects = m_Editor->GetObjectControl()) {
        const bool objectLayer = layer == CLevelEditor::UnitsLayer || layer == CLevelEditor::DoodadsLayer;
        if (objects->GetListener().IsDragging() || (objectLayer && objects->GetMode() == CLEObjectControl::CreateMode))
            return;
    }
    m_Editor->SelectEntity(m_Editor->PickEntityAtMouse());
}

void CLevelEditorInputListener::OnKeyUp(const Vesk::KeyEvent& event)
{
    if (event.key == win::VK_DELETE)
        m_Editor->DeleteSelection();
}

// Life

CLevelEditor::CLevelEditor() = default;

CLevelEditor::~CLevelEditor() { Shutdown(); }

bool CLevelEditor::Init()
{
    if (m_Active)
        Shutdown();
    Vesk::IDevGUI::SetGlobalHelp(kHelp);
    BuildMenuBar();
    // The editor's messages and labels need the debug texts; the profiler overlay would share
    // their line slots.
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    m_LogWasHidden = debug.IsLogHidden();
    m_LinesWereHidden = debug.AreLinesHidden();
    m_ScreenTextsWereHidden = debug.AreScreenTextsHidden();
    m_ProfilerWasShown = game.m_ShowProfiler;
    debug.SetLogHidden(false);
    debug.SetLinesHidden(false);
    debug.SetScreenTextsHidden(false);
    game.m_ShowProfiler = false;
    m_Listener = std::make_unique<CLevelEditorInputListener>(this);
    m_TerrainBrush = std::make_unique<CLETerrainBrushTool>();
    m_Spatials = std::make_unique<CLESpatialsTool>();
    m_ObjectControl = std::make_unique<CLEObjectControl>(this);
    m_Linker = std::make_unique<CLELinker>(this);
    CLevelEditorMessageSystem::GetInstance().Init();
    m_Active = true;
    ShowSlaves(true);
    m_Layer = NoLayers;
    m_CameraInput = true;
    return true;
}

void CLevelEditor::Shutdown()
{
    if (!m_Active)
        return;
    if (m_DialogShowing)
        dialogs::GetFileDialogs().Dismiss();
    m_DialogShowing = false;
    ShowSlaves(false);
    Vesk::IDevGUI::DeleteAllBars();
    m_MenuBar.Clear();
    m_WatcherBar.Clear();
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    debug.SetLogHidden(m_LogWasHidden);
    debug.SetLinesHidden(m_LinesWereHidden);
    debug.SetScreenTextsHidden(m_ScreenTextsWereHidden);
    Vesk::CGameManager::GetInstance().m_ShowProfiler = m_ProfilerWasShown;
    CLevelEditorMessageSystem::GetInstance().Clear();
    m_TerrainBrush.reset();
    m_Spatials.reset();
    SetEditorCameraKeys(true);
    m_ObjectControl.reset();
    m_Linker.reset();
    m_Selected.Reset();
    m_Listener.reset();
    debug.ClearScreenText();
    m_Layer = NoLayers;
    m_Active = false;
}

void CLevelEditor::BuildMenuBar()
{
    using Vesk::IDevGUI;
    m_MenuBar = IDevGUI::NewBar("Menus");
    IDevGUI::Define("Menus size='250 300' fontsize='2' help='Main Menu Bar' valueswidth=fit buttonalign=center");
    struct Button {
        const char* name;
        devgui::ButtonCallback action;
        const char* definition;
    };
    const Button files[] = {
        {"NewLevelBtn", [](void* c) { Editor(c).NewLevel(); },
         "label='New Level..' key=F1 help='Generate a new level'"},
        {"SaveAsLevelBtn", [](void* c) { Editor(c).SaveAs(); },
         "label='Save Entire Level As..' help='Save entire level as new file..'"},
        {"SaveEntityBtn", [](void* c) { Editor(c).SaveEntity(); },
         "label='Save selected entity..' key=F2 help='Save only entities loaded earlier from this level'"},
        {"SaveRecentBtn", [](void* c) { Editor(c).SaveRecent(); },
         "label='Save Recently Added/Deleted' help='Save recently added/loaded entities..'"},
        {"SaveTerrainBtn", [](void* c) { Editor(c).SaveTerrain(); }, "label='Save Terrain' help='Save Terrain..'"},
        {"ResumeLevelBtn", [](void* c) { Editor(c).Resume(); }, "label='Resume..' key=F4 help='Resumes the level'"},
        {"ResetLevelBtn", [](void* c) { Editor(c).Reset(); },
         "label='Reset..' key=F5 help='Resets this level while still in editor state'"},
        {"LoadLevelBtn", [](void* c) { Editor(c).Load(); }, "label='Load..' key=F6 help='Loads a level'"},
    };
    for (const Button& b : files)
        m_MenuBar.AddButton(b.name, b.action, this, b.definition);
    m_MenuBar.AddSeparator();
    m_MenuBar.AddButton(
        "UndoBtn", [](void*) { CLevelEditorMessageSystem::GetInstance().Undo(); }, this,
        "label='Undo' key=CTRL+z help='Attempts to undo the last action'");
    m_MenuBar.AddButton(
        "RedoBtn", [](void*) { CLevelEditorMessageSystem::GetInstance().Redo(); }, this,
        "label='Redo' key=CTRL+a help='Attempts to redo the last action'");
    m_MenuBar.AddSeparator();
    m_MenuBar.AddButton(
        "ShowSlavesBtn", [](void* c) { Editor(c).ShowSlaves(!Editor(c).AreSlavesShown()); }, this,
        "label='Hide/Show Slaves' key=CTRL+f help='Shows all slave entities'");
    m_MenuBar.AddSeparator();
    const Vesk::DevGUIType layers = IDevGUI::DefineEnum("LayerEnum", {});
    m_MenuBar.AddVarCB(
        "Layers", layers,
        [](const void* v, void* c) { Editor(c).ChangeLayer(uint32_t(*static_cast<const int32_t*>(v))); },
        [](void* v, void* c) { *static_cast<int32_t*>(v) = int32_t(Editor(c).GetLayer()); }, this,
        "label='Layers' enum='0 {No Layers}, 1 {Terrain}, 2 {Units}, 3 {Doodads}, 4 {Spatials}, 5{Linker}' key=Tab");
    m_MenuBar.AddSeparator();
    m_MenuBar.AddButton("LevelText", nullptr, this,
                        "label='Filename of level: " + CLevelManager::GetInstance().GetLevelName() + ".xml'");
}

// Per frame

void CLevelEditor::Update(float dt)
{
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    debug.ClearScreenText();
    if (m_TerrainBrush && m_Layer == TerrainLayer)
        m_TerrainBrush->Update(dt);
    else if (m_Spatials && m_Layer == SpatialsLayer)
        m_Spatials->Update(dt);
    else if (m_ObjectControl && (m_Layer == UnitsLayer || m_Layer == DoodadsLayer))
        m_ObjectControl->Update(dt);
    else if (m_Linker && m_Layer == LinkerLayer)
        m_Linker->DrawLinks();
    const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const float width = float(renderer.GetScreenWidth()), height = float(renderer.GetScreenHeight());
    if (width <= 0.0f || height <= 0.0f)
        return;
    // The triggers' names at their places.
    for (CGameTrigger* trigger : LiveGameTriggers()) {
        const CVector3D& p = trigger->GetPosition();
        const float world[3] = {p.x, p.y, p.z};
        float screen[2];
        if (Vesk::WorldToScreen(screen, world))
            debug.AddScreenText(trigger->GetName(), screen[0] / width, screen[1] / height, 255.0f, 255.0f, 255.0f);
    }
}

// Layers

void CLevelEditor::ChangeLayer(uint32_t layer)
{
    Vesk::CCameraManager::GetInstance().SetCurrentCamera(
        m_Layer == TerrainLayer ? "terraineditorcamera" : "editorcamera", false);
    SetLayer(layer);
}

void CLevelEditor::SetLayer(uint32_t layer)
{
    m_Layer = layer;
    m_CameraInput = layer != TerrainLayer;
    SetEditorCameraKeys(m_CameraInput);
    if (layer == TerrainLayer || layer == SpatialsLayer || layer == LinkerLayer)
        SelectEntity(nullptr);
    if (m_TerrainBrush && layer == TerrainLayer) {
        m_TerrainBrush->Show();
    } else if (m_TerrainBrush) {
        m_TerrainBrush->Hide();
        m_TerrainBrush->SetHighlight(false, CAABB());
    }
    if (m_Spatials && layer == SpatialsLayer)
        m_Spatials->Show();
    else if (m_Spatials)
        m_Spatials->Hide();
    if (m_ObjectControl && (layer == UnitsLayer || layer == DoodadsLayer))
        m_ObjectControl->Show();
    else if (m_ObjectControl)
        m_ObjectControl->Hide();
    if (m_Linker && layer == LinkerLayer)
        m_Linker->Show();
    else if (m_Linker)
        m_Linker->Hide();
}

// Selection

void CLevelEditor::SelectEntity(CEntity* entity)
{
    DeleteWatcherBar();
    m_Selected = EntityHandle(entity);
    if (entity && m_Active)
        BuildWatcherBar();
}

void CLevelEditor::DeleteWatcherBar() { Vesk::IDevGUI::DeleteBar(m_WatcherBar); }

void CLevelEditor::BuildWatcherBar()
{
    using Vesk::IDevGUI;
    m_WatcherBar = IDevGUI::NewBar("EntityWatcherBar");
    IDevGUI::Define("EntityWatcherBar position='10 370' size='320 350' valueswidth=fit fontsize='2' "
                    "help='Object Watcher Bar'");
    m_WatcherBar.AddVarCB(
        "EntityPosition", devgui::TYPE_DIR3F,
        [](const void* v, void* c) { EditSelection(c, [v](auto& p) { p.position = VectorOf(v); }); },
        [](void* v, void* c) { WithSelection(c, [v](CEntity& e) { CopyVector(v, e.GetPosition()); }); }, this, "");
    m_WatcherBar.AddVarCB(
        "EntityDimensions", devgui::TYPE_DIR3F, nullptr,
        [](void* v, void* c) { WithSelection(c, [v](CEntity& e) { CopyVector(v, e.GetDimensions()); }); }, this, "");
    m_WatcherBar.AddVarCB(
        "EntityDirection", devgui::TYPE_DIR3F,
        [](const void* v, void* c) { EditSelection(c, [v](auto& p) { p.direction = VectorOf(v); }); },
        [](void* v, void* c) { WithSelection(c, [v](CEntity& e) { CopyVector(v, e.GetDirection()); }); }, this, "");
    m_WatcherBar.AddVarCB(
        "EntityName", devgui::TYPE_STDSTRING,
        [](const void* v, void* c) {
            EditSelection(c, [v](auto& p) { p.name = *static_cast<const std::string*>(v); });
        },
        [](void* v, void* c) { WithSelection(c, [v](CEntity& e) { SetText(v, e.GetName()); }); }, this, "");
    m_WatcherBar.AddVarCB(
        "EntityType", devgui::TYPE_STDSTRING, nullptr,
        [](void* v, void* c) {
            WithSelection(
                c, [v](CEntity& e) { SetText(v, CSlotHash::GetInstance().NameOf(e.GetType(), SLOT_ENTITY_TYPE)); });
        },
        this, "");
    m_WatcherBar.AddVarCB(
        "EntityPrefabname", devgui::TYPE_STDSTRING, nullptr,
        [](void* v, void* c) { WithSelection(c, [v](CEntity& e) { SetText(v, e.GetPrefabName()); }); }, this, "");
    m_WatcherBar.AddVarCB(
        "GameTriggerPrefabname", devgui::TYPE_STDSTRING, nullptr,
        [](void* v, void* c) {
            WithSelection(c, [v](CEntity& e) {
                auto* trigger = dynamic_cast<CGameTrigger*>(&e);
                SetText(v, trigger ? trigger->GetTriggerPrefabName() : std::string());
            });
        },
        this, "");
}

void CLevelEditor::ShowSlaves(bool show)
{
    m_SlavesShown = show;
    for (CGameTrigger* trigger : LiveGameTriggers())
        for (CEntity* slave : trigger->GetSlaveEntities())
            slave->SetVisible(show);
}

void CLevelEditor::DeleteSelection()
{
    CEntity* entity = m_Selected.Get();
    if (!entity)
        return;
    SelectEntity(nullptr);
    CLevelEditorMessageSystem::GetInstance().AddMessage(std::make_unique<DeleteEntityMessagePacket>(entity));
}

// Picking

CEntity* CLevelEditor::PickEntityAtMouse() const { return PickEntityAtMouseExcluding({}); }

CEntity* CLevelEditor::PickEntityAtMouseExcluding(const std::vector<int>& excludedTypes) const
{
    const Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera();
    if (!camera)
        return nullptr;
    return PickEntityAlongRay(camera->GetMousePickRay(true), excludedTypes, excludedTypes.empty() ? 1.0f : 2.25f);
}

// Files

void CLevelEditor::LeaveEditor(bool restart)
{
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.PopState();
    if (restart)
        game.m_Status = Vesk::CGameManager::StatusRestart;
}

void CLevelEditor::NewLevel()
{
    CLevelManager::GetInstance().SetNewLevel();
    LeaveEditor(true);
}

void CLevelEditor::Resume() { LeaveEditor(false); }

void CLevelEditor::Reset()
{
    CLevelManager& level = CLevelManager::GetInstance();
    level.SetLevelFileName(level.GetLevelName().empty() ? std::string() : level.GetLevelPath());
    LeaveEditor(true);
}

void CLevelEditor::Load()
{
    m_DialogShowing = dialogs::GetFileDialogs().RequestOpen(
        LevelDialog("Open Level XML File"), [this](const dialogs::FileDialogAnswer& answer) { OnLoadAnswer(answer); });
}

void CLevelEditor::OnLoadAnswer(const dialogs::FileDialogAnswer& answer)
{
    m_DialogShowing = false;
    if (!answer.chosen) {
        WriteEditorMessage("Load cancelled: the level and its edits stay");
        return;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(answer.path, error)) {
        WriteEditorMessage("Load refused: no level file at " + answer.path);
        return;
    }
    CLevelManager::GetInstance().SetLevelFileName(answer.path);
    LeaveEditor(true);
}

void CLevelEditor::SaveAs()
{
    m_DialogShowing = dialogs::GetFileDialogs().RequestSave(
        LevelDialog("Save Level XML File"), [this](const dialogs::FileDialogAnswer& answer) { OnSaveAnswer(answer); });
}

void CLevelEditor::OnSaveAnswer(const dialogs::FileDialogAnswer& answer)
{
    m_DialogShowing = false;
    if (!answer.chosen)
        return;
    CLevelManager& level = CLevelManager::GetInstance();
    const LevelSaveName target = LevelNameForSavePath(answer.path, LevelsFolder());
    if (target.name.empty()) {
        WriteEditorMessage("Level not saved: the chosen file has no name");
        return;
    }
    if (!level.SaveLevel(target.name)) {
        WriteEditorMessage("Level not saved as " + target.name + ".xml");
        return;
    }
    if (m_MenuBar.GetId() != devgui::kNoBar)
        m_MenuBar.RemoveVar("LevelText");
    m_MenuBar.AddButton("LevelText", nullptr, this, "label='Filename of level: " + target.name + ".xml'");
    WriteEditorMessage("Level saved as " + target.name + ".xml" +
                       (target.outside ? " in the levels folder (the chosen folder is outside it)" : ""));
}

void CLevelEditor::SaveEntity()
{
    CEntity* entity = m_Selected.Get();
    if (!entity) {
        WriteEditorMessage("No Entity Saved. Select an entity to save.");
        return;
    }
    if (CLevelManager::GetInstance().SaveSingleEntity(entity))
        WriteEditorMessage("Entity Saved: " + entity->GetName());
    else
        WriteEditorMessage("Entity not saved: " + entity->GetName() + ". Save the entire level as a file first.");
}

void CLevelEditor::SaveRecent()
{
    if (CLevelManager::GetInstance().SaveRecentEntities())
        WriteEditorMessage("Recently added/removed Entities Saved");
    else
        WriteEditorMessage("Recently added/removed Entities not saved. Save the entire level as a file first.");
}

void CLevelEditor::SaveTerrain()
{
    if (CLevelManager::GetInstance().SaveTerrain())
        WriteEditorMessage("Terrain Saved");
    else
        WriteEditorMessage("Terrain not saved");
}

} // namespace Game
