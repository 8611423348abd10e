// The developer hotkeys driven through the window procedure and the input manager, as key
// presses reach them in the running program.
#include "app/CStateSwitcherListener.h"
#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "game/base/DebugSwitches.h"
#include "input/CInputManager.h"
#include "platform/win/VirtualKeys.h"
#include "render/CRenderer.h"
#include "scene/CSceneGraph.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

namespace {

win::Message Key(bool down, uint32_t vk)
{
    win::Message m;
    m.code = down ? win::WM_KEYDOWN : win::WM_KEYUP;
    m.vk = vk;
    return m;
}

class HotkeyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(input.Init()); }

    void Frame(std::initializer_list<win::Message> messages)
    {
        input.BeginFrame();
        for (const win::Message& m : messages)
            Vesk::CWindowSystem::GetInstance().WndProc(m);
        input.EndFrame();
    }
    // Ctrl held, the key pressed and let go, then Ctrl let go: one frame each.
    void Chord(uint32_t vk)
    {
        Frame({Key(true, win::VK_CONTROL)});
        Frame({Key(true, vk)});
        Frame({Key(false, vk)});
        Frame({Key(false, win::VK_CONTROL)});
    }

    Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    Game::CStateSwitcherListener hotkeys;
};

TEST_F(HotkeyTest, CtrlF1AlternatesDebugTextsAndProfiler)
{
    const bool profiler = game.m_ShowProfiler;
    Chord(win::VK_F1);
    EXPECT_NE(game.m_ShowProfiler, profiler);
    EXPECT_EQ(Vesk::CDebugOutputManager::GetInstance().IsLogHidden(), game.m_ShowProfiler);
    EXPECT_EQ(Vesk::CDebugOutputManager::GetInstance().AreLinesHidden(), game.m_ShowProfiler);
    Chord(win::VK_F1);
    EXPECT_EQ(game.m_ShowProfiler, profiler);

    // Without Ctrl, or with Ctrl held from a key that was already down, nothing happens.
    Frame({Key(true, win::VK_F1)});
    Frame({Key(true, win::VK_CONTROL)});
    Frame({Key(false, win::VK_F1), Key(false, win::VK_CONTROL)});
    EXPECT_EQ(game.m_ShowProfiler, profiler);
}

// A toggle acts once on its own key's key-down, whatever other keys go down in the same frame
// while Ctrl is held (before or after it).
TEST_F(HotkeyTest, OtherKeysInTheSameFrameDoNotRepeatAToggle)
{
    const auto lineDepth = [] { return (Vesk::CRenderer::s_DebugDrawFlags & 1u) != 0; };
    const auto profiler = [this] { return game.m_ShowProfiler; };
    const auto bodies = [] { return Game::CDebugSwitches::GetInstance().m_DrawEntityBodies; };
    const struct {
        const char* name;
        uint32_t key;
        std::function<bool()> state;
    } cases[] = {
        {"Ctrl+F1", win::VK_F1, profiler},
        {"Ctrl+Q", win::VkFromChar('Q'), lineDepth},
        {"Ctrl+B", win::VkFromChar('B'), bodies},
    };
    const uint32_t other = win::VkFromChar('A');
    for (const auto& c : cases) {
        const bool before = c.state();
        Frame({Key(true, win::VK_CONTROL)});
        Frame({Key(true, c.key), Key(true, other)});
        EXPECT_NE(c.state(), before) << c.name << " then another key";
        Frame({Key(false, c.key), Key(false, other)});
        Frame({Key(true, other), Key(true, c.key)});
        EXPECT_EQ(c.state(), before) << c.name << " after another key";
        Frame({Key(false, c.key), Key(false, other), Key(false, win::VK_CONTROL)});
        // Ctrl itself going down in the frame of the key counts as one press.
        Frame({Key(true, win::VK_CONTROL), Key(true, c.key), Key(true, other)});
        EXPECT_NE(c.state(), before) << c.name << " with Ctrl in the same frame";
        Frame({Key(false, c.key), Key(false, other), Key(false, win::VK_CONTROL)});
        Chord(c.key);
        EXPECT_EQ(c.state(), before) << c.name;
    }
}

TEST_F(HotkeyTest, CtrlRAndCtrlF9RestartTheState)
{
    for (uint32_t key : {win::VkFromChar('R'), static_cast<uint32_t>(win::VK_F9)}) {
        game.m_Status = Vesk::CGameManager::StatusRun;
        Frame({Key(true, key), Key(false, key)});
        EXPECT_EQ(game.m_Status, Vesk::CGameManager::StatusRun) << key;
        Chord(key);
        EXPECT_EQ(game.m_Status, Vesk::CGameManager::StatusRestart) << key;
    }
}

TEST_F(HotkeyTest, DebugDrawingSwitches)
{
    const unsigned char lineFlags = Vesk::CRenderer::s_DebugDrawFlags;
    Chord(win::VkFromChar('Q'));
    EXPECT_EQ(Vesk::CRenderer::s_DebugDrawFlags, lineFlags & ~1u);
    Chord(win::VkFromChar('Q'));
    EXPECT_EQ(Vesk::CRenderer::s_DebugDrawFlags, lineFlags);

    Chord(win::VkFromChar('I'));
    EXPECT_EQ(Vesk::CSceneGraph::GetInstance().GetDebugFlags() & 2u, 2u);

    const bool bodies = Game::CDebugSwitches::GetInstance().m_DrawEntityBodies;
    Chord(win::VkFromChar('B'));
    EXPECT_NE(Game::CDebugSwitches::GetInstance().m_DrawEntityBodies, bodies);
}

} // namespace
