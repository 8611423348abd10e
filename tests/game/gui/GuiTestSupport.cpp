#include "GuiTestSupport.h"

#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "game/world/TypeRegistration.h"
#include "input/CInputManager.h"
#include "platform/win/Messages.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include <cmath>

namespace guitest {

const char* const kTopState = "MenuState";

namespace {

struct NamedState : Vesk::IGameState {
    explicit NamedState(const std::string& name) : Vesk::IGameState(name) {}
    void Update(float) override {}
};

// "btn" (tiles frames: idle 1, mouseover 2, mouseclick 3), "font" (one animation per character
// used by the tests) and the cursor "AnimCursor" ("idle", "active").
std::string GuiSprites()
{
    std::string font = "<font><dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/>"
                       "<texture path=\"tiles.png\"/>";
    int frame = 1;
    for (const char* name : {" ", "1", "2", "a", "b", "c", "x"}) {
        const std::string at = std::to_string(frame++);
        font += "<animation name=\"" + std::string(name) + "\" fps=\"1\" start=\"" + at + "\" end=\"" + at + "\"/>";
    }
    font += "</font>";
    return ui2dtest::SpriteDefinitions(
        "<btn><dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"
        "<animation name=\"idle\" fps=\"1\" start=\"1\" end=\"1\"/>"
        "<animation name=\"mouseover\" fps=\"1\" start=\"2\" end=\"2\"/>"
        "<animation name=\"mouseclick\" fps=\"1\" start=\"3\" end=\"3\"/></btn>"
        "<AnimCursor><dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"
        "<animation name=\"idle\" fps=\"1\" start=\"1\" end=\"1\"/>"
        "<animation name=\"active\" fps=\"1\" start=\"2\" end=\"2\"/></AnimCursor>" +
        font);
}

void Send(uint32_t message, int x, int y)
{
    Vesk::WindowEvent event;
    event.message = message;
    event.x = x;
    event.y = y;
    Vesk::CInputManager::OnWindowEvent(event);
    Vesk::CInputManager::GetInstance().EndFrame();
}

int g_MouseX = 0, g_MouseY = 0;

} // namespace

void GuiTest::SetUp()
{
    ui2dtest::Display2DTest::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    StartSprites(GuiSprites());
    Game::RegisterControllerTypes();
    Vesk::CGameManager::GetInstance().PushState(new NamedState(kTopState));
    ASSERT_EQ(kTopState, Vesk::CGameManager::GetInstance().GetCurrentState()->GetName());
}

void GuiTest::TearDown()
{
    Game::CGuiManager::GetInstance().Clear();
    // The game manager's shutdown takes the state down (and the managers, which the fixture's
    // own teardown then finds stopped).
    Vesk::CGameManager::GetInstance().Shutdown();
    ui2dtest::Display2DTest::TearDown();
}

void GuiTest::MoveMouse(float x, float y)
{
    // From viewport fractions back to client pixels.
    const Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const Vesk::ViewportRect viewport = renderer.GetViewportRect();
    const float px = static_cast<float>(viewport.x) + x * static_cast<float>(viewport.width);
    const float py = static_cast<float>(viewport.y) + y * static_cast<float>(viewport.height);
    g_MouseX = static_cast<int>(std::lround(px * window.GetClientWidth() / renderer.GetScreenWidth()));
    g_MouseY = static_cast<int>(std::lround(py * window.GetClientHeight() / renderer.GetScreenHeight()));
    Send(win::WM_MOUSEMOVE, g_MouseX, g_MouseY);
    const Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    EXPECT_NEAR(x, input.GetMouseX(), 0.01f);
    EXPECT_NEAR(y, input.GetMouseY(), 0.01f);
}

void GuiTest::LeftButton(bool down) { Send(down ? win::WM_LBUTTONDOWN : win::WM_LBUTTONUP, g_MouseX, g_MouseY); }

std::string GuiTest::WriteScreen(const std::string& name, const std::string& items)
{
    const std::string path = File("assets/scripts/gui/" + name);
    testsupport::WriteFile(path, "<menu>" + items + "</menu>");
    return path;
}

} // namespace guitest
