// CLevelEditor: the level editor laid over the running level. Owns the "Menus" bar (file
// operations, undo and redo, slaves, layers), the entity watcher bar of the selection, the tools
// of the layers, and the input listener that selects entities by mouse and deletes them with the
// Delete key. The selection is a checked handle; file dialogs answer asynchronously, and a
// dialog still showing when the editor shuts down is dismissed. Every message goes to debug
// line 27.
#pragma once

#include "game/entities/EntityHandle.h"

#include "core/CSingleton.h"
#include "devgui/CDevGUIBar.h"
#include "input/IKeyboardListener.h"
#include "input/IMouseListener.h"

#include <memory>
#include <string>
#include <vector>

namespace dialogs {
struct FileDialogAnswer;
}

namespace Game {

class CEntity;
class CLEObjectControl;
class CLELinker;
class CLevelEditor;
class CLESpatialsTool;
class CLETerrainBrushTool;

class CLevelEditorInputListener : public Vesk::IMouseListener, public Vesk::IKeyboardListener {
public:
    explicit CLevelEditorInputListener(CLevelEditor* editor) : m_Editor(editor) {}

    void OnMouseDown(const Vesk::MouseEvent&) override {}
    void OnMouseUp(const Vesk::MouseEvent& event) override;
    void OnMouseWheel(const Vesk::MouseEvent&) override {}
    void OnMouseMove(const Vesk::MouseEvent&) override {}
    void OnKeyDown(const Vesk::KeyEvent&) override {}
    void OnKeyUp(const Vesk::KeyEvent& event) override;

private:
    CLevelEditor* m_Editor;
};

class CLevelEditor : public Vesk::CSingleton<CLevelEditor> {
public:
    enum Layer : uint32_t { NoLayers = 0, TerrainLayer, UnitsLayer, DoodadsLayer, SpatialsLayer, LinkerLayer };

    CLevelEditor();
    ~CLevelEditor() override;

    bool Init() override;
    void Shutdown() override;
    bool IsActive() const { return m_Active; }
    void Update(float dt);

    // The "Layers" setter: makes the editor camera of the layer being left current, then SetLayer.
    void ChangeLayer(uint32_t layer);
    void SetLayer(uint32_t layer);
    uint32_t GetLayer() const { return m_Layer; }
    // Whether the editor camera takes keyboard and mouse on this layer (not on Terrain).
    bool IsCameraInputEnabled() const { return m_CameraInput; }

    void SelectEntity(CEntity* entity);
    CEntity* GetSelectedEntity() const { return m_Selected.Get(); }
    void ShowSlaves(bool show);
    bool AreSlavesShown() const { return m_SlavesShown; }

    CEntity* PickEntityAtMouse() const;
    CEntity* PickEntityAtMouseExcluding(const std::vector<int>& excludedTypes) const;

    // The Delete key: an undoable deletion of the selection.
    void DeleteSelection();

    // The menu bar's actions.
    void NewLevel();
    void Load();
    void SaveAs();
    void SaveEntity();
    void SaveRecent();
    void SaveTerrain();
    void Resume();
    void Reset();

    // The tools; null outside Init and Shutdown.
    CLETerrainBrushTool* GetTerrainBrush() const { return m_TerrainBrush.get(); }
    CLESpatialsTool* GetSpatials() const { return m_Spatials.get(); }
    CLEObjectControl* GetObjectControl() const { return m_ObjectControl.get(); }
    CLELinker* GetLinker() const { return m_Linker.get(); }

    const Vesk::CDevGUIBar& GetMenuBar() const { return m_MenuBar; }
    const Vesk::CDevGUIBar& GetWatcherBar() const { return m_WatcherBar; }

private:
    void BuildMenuBar();
    void BuildWatcherBar();
    void DeleteWatcherBar();
    // Leaves the editor state; with restart the play state below starts over from the level
    // manager's next-level path.
    static void LeaveEditor(bool restart);
    void OnLoadAnswer(const dialogs::FileDialogAnswer& answer);
    void OnSaveAnswer(const dialogs::FileDialogAnswer& answer);

    EntityHandle m_Selected;
    uint32_t m_Layer = NoLayers;
    std::unique_ptr<CLETerrainBrushTool> m_TerrainBrush;
    std::unique_ptr<CLESpatialsTool> m_Spatials;
    Vesk::CDevGUIBar m_MenuBar;
    Vesk::CDevGUIBar m_WatcherBar;
    std::unique_ptr<CLevelEditorInputListener> m_Listener;
    std::unique_ptr<CLEObjectControl> m_ObjectControl;
    std::unique_ptr<CLELinker> m_Linker;
    bool m_SlavesShown = false;
    bool m_CameraInput = true;
    bool m_Active = false;
    bool m_DialogShowing = false;
    // The debug output's and the profiler's display switches as they were before Init.
    bool m_LogWasHidden = true, m_LinesWereHidden = true, m_ScreenTextsWereHidden = true, m_ProfilerWasShown = true;
};

} // namespace Game
