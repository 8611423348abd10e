#include "game/editor/CLevelEditorState.h"

#include "game/controllers/CControllerManager.h"
#include "game/editor/CLevelEditor.h"
#include "game/editor/EditorMessage.h"
#include "game/gui/CGuiManager.h"
#include "game/terrain/CTerrain.h"
#include "game/world/CLevelManager.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"

namespace Game {

std::string CLevelEditorState::s_OpeningCameraName;

bool CLevelEditorState::CanOpen()
{
    if (CLevelManager::GetInstance().GetTerrain())
        return true;
    WriteEditorMessage("Level editor not opened: no level is loaded");
    return false;
}

void CLevelEditorState::Enter()
{
    CLevelEditor::GetInstance().Init();
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("editorcamera", true);
    CControllerManager::GetInstance().SetEnabled(false);
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.RememberVisibleElements();
    gui.SetRememberedVisible(false);
}

void CLevelEditorState::Update(float dt)
{
    // The level below keeps running and may show more of its GUI (its banner ending brings the
    // HUD up): those elements are hidden too, and shown again on leaving.
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.RememberVisibleElements();
    gui.SetRememberedVisible(false);

    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const CVector3D origin(0.0f, 0.0f, 0.0f);
    renderer.DrawLine(origin, CVector3D(5000.0f, 0.0f, 0.0f), 255, 0, 0);
    renderer.DrawLine(origin, CVector3D(0.0f, 5000.0f, 0.0f), 0, 255, 0);
    renderer.DrawLine(origin, CVector3D(0.0f, 0.0f, 5000.0f), 0, 0, 255);
    CLevelEditor::GetInstance().Update(dt);
    if (const CTerrain* terrain = CLevelManager::GetInstance().GetTerrain())
        terrain->DrawEditorGrid();
}

void CLevelEditorState::Exit()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.SetRememberedVisible(true);
    gui.ForgetRememberedElements();
    CLevelEditor::GetInstance().Shutdown();
    if (!s_OpeningCameraName.empty())
        Vesk::CCameraManager::GetInstance().SetCurrentCamera(s_OpeningCameraName, true);
    CControllerManager::GetInstance().SetEnabled(true);
}

} // namespace Game
