// The developer GUI on a real window and GL context: a bar draws where its definition puts it
// and disappears with its deletion; window events reach ImGui once each.
#include "platform/devgui/DevGui.h"

#include "../gfx/GfxFixture.h"

#include <SDL2/SDL.h>
#include <imgui.h>

#include <cstring>

namespace {

const uint32_t kClear = 0xFF203040;

class DevGuiDrawTest : public gfxtest::DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        m_Gui.Init(m_Window, true);
        ASSERT_TRUE(m_Gui.CanDraw());
    }
    void TearDown() override
    {
        m_Gui.Shutdown();
        DeviceFixture::TearDown();
    }

    void Frame()
    {
        Dev().Clear(gfx::CLEAR_TARGET, kClear, 1.0f, 0);
        ASSERT_TRUE(m_Gui.BeginFrame());
        m_Gui.DrawPanels();
        m_Gui.EndFrame();
    }

    devgui::DevGui m_Gui;
};

} // namespace

TEST_F(DevGuiDrawTest, BarDrawsAtItsPositionUntilDeleted)
{
    devgui::Panels& panels = m_Gui.GetPanels();
    bool flag = false;
    const devgui::BarId bar = panels.NewBar("Menus");
    ASSERT_TRUE(panels.AddVarRW(bar, "Flag", devgui::TYPE_BOOL, &flag, ""));
    ASSERT_TRUE(panels.Define("Menus position='10 10' size='60 60'"));
    Frame();
    Frame();
    EXPECT_NE(kClear, Pixel(40, 40)) << "inside the bar";
    EXPECT_NE(kClear, Pixel(12, 14)) << "its title";
    EXPECT_EQ(kClear, Pixel(5, 5));
    EXPECT_EQ(kClear, Pixel(90, 90));

    panels.DeleteAllBars();
    Frame();
    EXPECT_EQ(kClear, Pixel(40, 40)) << "a deleted bar is gone";
}

// The window layer hands one SDL event to the GUI with each of its messages; a text event of
// several characters must still type each character once.
TEST_F(DevGuiDrawTest, AnEventHandedOverTwiceReachesImGuiOnce)
{
    SDL_Event text{};
    text.type = SDL_TEXTINPUT;
    text.text.windowID = SDL_GetWindowID(m_Window);
    std::strcpy(text.text.text, "ab");
    m_Gui.ProcessEvent(text);
    m_Gui.ProcessEvent(text);
    EXPECT_EQ(2, ImGui::GetIO().InputQueueCharacters.Size);

    text.text.text[0] = 'c';
    m_Gui.ProcessEvent(text);
    EXPECT_EQ(4, ImGui::GetIO().InputQueueCharacters.Size) << "a new event is taken";
}
