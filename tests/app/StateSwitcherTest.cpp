// The developer hotkey that alternates the debug texts with the profiler overlay.
#include "app/CStateSwitcherListener.h"
#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "input/CInputManager.h"
#include "platform/win/Messages.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

namespace {

void Key(uint32_t message, uint32_t key)
{
    Vesk::WindowEvent event;
    event.message = message;
    event.key = key;
    Vesk::CInputManager::OnWindowEvent(event);
}

void PressCtrlF1()
{
    Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    input.BeginFrame();
    Key(win::WM_KEYDOWN, win::VK_CONTROL);
    Key(win::WM_KEYDOWN, win::VK_F1);
    input.EndFrame();
    input.BeginFrame();
    Key(win::WM_KEYUP, win::VK_F1);
    Key(win::WM_KEYUP, win::VK_CONTROL);
    input.EndFrame();
}

} // namespace

TEST(StateSwitcherTest, CtrlF1AlternatesDebugTextsWithTheProfilerOverlayInTheLineSlots)
{
    Vesk::CInputManager::GetInstance().Init();
    Game::CStateSwitcherListener listener;
    Vesk::CDebugOutputManager& debug = Vesk::CDebugOutputManager::GetInstance();
    bool& showProfiler = Vesk::CGameManager::GetInstance().m_ShowProfiler;
    ASSERT_TRUE(showProfiler);

    PressCtrlF1();
    EXPECT_FALSE(showProfiler);
    EXPECT_FALSE(debug.IsLogHidden());
    EXPECT_FALSE(debug.AreLinesHidden());

    PressCtrlF1();
    EXPECT_TRUE(showProfiler);
    EXPECT_TRUE(debug.IsLogHidden());
    EXPECT_FALSE(debug.AreLinesHidden()) << "the overlay is drawn in the line slots";
}
