#include "app/CStateSwitcherListener.h"

#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "game/base/DebugSwitches.h"
#include "game/editor/CLevelEditorState.h"
#include "game/states/GameStates.h"
#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "scene/CSceneGraph.h"
#include "window/CWindowSystem.h"

namespace Game {

namespace {

// Both start on: the profiler overlay rather than the debug texts, debug lines depth-tested.
bool s_DebugDisplay = true;
bool s_DebugLineDepth = true;

} // namespace

void CStateSwitcherListener::OnKeyDown(const Vesk::KeyEvent& event)
{
    // Only the key-down of a row's own key acts: another key going down in the same frame while
    // Ctrl is held must not run the row again.
    const auto CtrlPressed = [&event](uint32_t key) {
        return event.key == key && Vesk::CInputManager::GetInstance().IsKeyPressed(key, win::VK_CONTROL);
    };
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    if (CtrlPressed(win::VK_F2)) {
        ToggleLevelEditor();
    } else if (CtrlPressed(win::VK_F1)) {
        ToggleDebugDisplay();
    } else if (CtrlPressed(win::VkFromChar('Q'))) {
        ToggleDebugLineDepth();
    } else if (CtrlPressed(win::VK_F5)) {
        game.ChangeState(new CCubeTestState());
    } else if (CtrlPressed(win::VK_F6)) {
        game.ChangeState(new CPlayState("CPlayState", 1));
    } else if (CtrlPressed(win::VK_F9) || CtrlPressed(win::VkFromChar('R'))) {
        game.m_Status = Vesk::CGameManager::StatusRestart;
    } else if (CtrlPressed(win::VkFromChar('I'))) {
        Vesk::CSceneGraph::GetInstance().EnableFlags(Vesk::CSceneGraph::DebugDrawBounds);
    } else if (CtrlPressed(win::VkFromChar('B'))) {
        m_DrawBodies = !m_DrawBodies;
        CDebugSwitches::GetInstance().m_DrawEntityBodies = m_DrawBodies;
    }
}

void CStateSwitcherListener::OnKeyUp(const Vesk::KeyEvent&) {}

void CStateSwitcherListener::ToggleLevelEditor()
{
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    Vesk::IGameState* top = game.GetCurrentState();
    if (top && top->GetName() == "LevelEditorState") {
        game.PopState();
        return;
    }
    Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    const unsigned modes = window.GetDisplayModeCount();
    window.ApplyDisplayMode(modes >= 2 ? modes - 2 : 0);
    Vesk::CDebugOutputManager::GetInstance().ResetLayout();
    if (Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
        CLevelEditorState::s_OpeningCameraName = camera->GetName();
    game.PushState(new CLevelEditorState());
}

// Alternates the debug texts with the profiler overlay. The overlay is written into the line
// slots, so they stay shown either way; the switch hides the log while the overlay is up.
void CStateSwitcherListener::ToggleDebugDisplay()
{
    s_DebugDisplay = !s_DebugDisplay;
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    debug.SetLogHidden(s_DebugDisplay);
    debug.SetLinesHidden(false);
    Vesk::CGameManager::GetInstance().m_ShowProfiler = s_DebugDisplay;
}

void CStateSwitcherListener::ToggleDebugLineDepth()
{
    s_DebugLineDepth = !s_DebugLineDepth;
    if (s_DebugLineDepth)
        Vesk::CRenderer::s_DebugDrawFlags |= 1u;
    else
        Vesk::CRenderer::s_DebugDrawFlags &= static_cast<unsigned char>(~1u);
}

} // namespace Game
