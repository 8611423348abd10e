// The developer GUI in the game manager's frame: a bar is drawn while an editor state is on top
// and not under any other state, and only a frame that drew the panels lets them take keys.
#include "devgui/IDevGUI.h"
#include "frame/CGameManager.h"
#include "platform/win/Video.h"
#include "platform/win/VirtualKeys.h"
#include "render/CRenderer.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using Vesk::CGameManager;
using Vesk::IDevGUI;

namespace {

class NamedState : public Vesk::IGameState {
public:
    explicit NamedState(const std::string& name) : IGameState(name) {}
    void Update(float) override {}
};

struct Presses {
    int count = 0;
};

void Press(void* data) { ++static_cast<Presses*>(data)->count; }

win::Message KeyDown(uint32_t vk)
{
    win::Message message;
    message.code = win::WM_KEYDOWN;
    message.vk = vk;
    return message;
}

class DevGuiFrameTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (win::HasRealDisplay())
            GTEST_SKIP() << "needs the headless driver's fixed mode list";
        // Start-up reads the asset definition files from the working directory.
        testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", m_Dir.File("assets"));
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        m_Game.SetFixedTimeStep(1.0f / 60.0f);
        ASSERT_TRUE(m_Game.Init(10, 10, 500, 280, "Thrummock", false));
        ASSERT_TRUE(Vesk::CRenderer::GetInstance().HasDevice());
    }
    void TearDown() override
    {
        if (!win::HasRealDisplay())
            m_Game.Shutdown();
    }

    uint32_t Pixel(int x, int y) const
    {
        return Vesk::CRenderer::GetInstance().GetDevice()->ReadPixels(x, y, 1, 1).at(0);
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
    CGameManager& m_Game = CGameManager::GetInstance();
};

} // namespace

TEST_F(DevGuiFrameTest, BarDrawsInEditorStatesOnly)
{
    Vesk::CDevGUIBar menus = IDevGUI::NewBar("Menus");
    Presses presses;
    ASSERT_TRUE(menus.AddButton("NewLevelBtn", &Press, &presses, "label='New Level..' key=F1"));
    IDevGUI::Define("Menus position='100 150' size='200 200'");
    const int insideX = 200, insideY = 250; // inside the bar, in the letter-boxed grey area

    m_Game.PushState(new NamedState("CPlayState"));
    m_Game.Update();
    const uint32_t background = Pixel(insideX, insideY);
    EXPECT_EQ(0xFF373737u, background) << "the cleared 3D viewport";
    EXPECT_FALSE(IDevGUI::GetInstance().HandleMessage(KeyDown(win::VK_F1)));

    m_Game.PushState(new NamedState("LevelEditorState"));
    m_Game.Update(); // the push is carried out after this frame
    m_Game.Update();
    EXPECT_NE(background, Pixel(insideX, insideY)) << "the bar covers the viewport";
    EXPECT_EQ(background, Pixel(400, 480)) << "beside the bar";
    EXPECT_TRUE(IDevGUI::GetInstance().HandleMessage(KeyDown(win::VK_F1)));
    EXPECT_EQ(1, presses.count);

    m_Game.PopState();
    m_Game.Update();
    m_Game.Update();
    EXPECT_EQ(background, Pixel(insideX, insideY));
    EXPECT_FALSE(IDevGUI::GetInstance().HandleMessage(KeyDown(win::VK_F1)));
    EXPECT_EQ(1, presses.count);
}
