#include "GuiScreenFixture.h"

#include "audio/CAudioSystem.h"
#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "input/CInputManager.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include <cmath>

namespace guitest {

namespace {

std::vector<int> g_Calls;

template <int Id>
void Record()
{
    g_Calls.push_back(Id);
}

// The table entries the tests' buttons use, with what they held before.
struct Override {
    int id;
    Game::GuiCallback test, saved;
};
Override g_Overrides[] = {{2, Record<2>, nullptr}, {3, Record<3>, nullptr}, {5, Record<5>, nullptr}};

win::Message Key(bool down, uint32_t vk)
{
    win::Message m;
    m.code = down ? win::WM_KEYDOWN : win::WM_KEYUP;
    m.vk = vk;
    return m;
}

} // namespace

void GuiScreenFixture::SetUp()
{
    testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", m_Dir.File("assets"));
    testsupport::WriteFile(m_Dir.File("mouse_over.wav"), "RIFF");
    ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
    pad::SetSource(&m_Pads);
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.SetFixedTimeStep(1.0f / 60.0f);
    ASSERT_TRUE(game.Init(10, 10, 500, 280, "Thrummock", false));
    m_Started = true;
    m_Sound = std::make_shared<sound::Recording>();
    Vesk::CAudioSystem& audio = Vesk::CAudioSystem::GetInstance();
    audio.Shutdown();
    ASSERT_TRUE(audio.Init(sound::CreateRecordingOutput(m_Sound)));
    audio.LoadSound("MouseOver", m_Dir.File("mouse_over.wav"), 0);
    for (Override& entry : g_Overrides) {
        Game::GuiCallback& slot = Game::CGuiManager::GetInstance().GetCallback(entry.id);
        entry.saved = slot;
        slot = entry.test;
    }
    g_Calls.clear();
}

void GuiScreenFixture::TearDown()
{
    for (const Override& entry : g_Overrides)
        Game::CGuiManager::GetInstance().GetCallback(entry.id) = entry.saved;
    if (m_Started)
        testsupport::ResetManagers();
    Vesk::CAudioSystem::GetInstance().Shutdown();
    pad::SetSource(nullptr);
}

void GuiScreenFixture::WriteScreen(const std::string& file, const std::vector<Item>& items) const
{
    std::string xml = "<menu>\n";
    for (const Item& item : items) {
        xml += "  <" + item.tag + " name=\"" + item.name + "\" position=\"" + std::to_string(item.x) + " " +
               std::to_string(item.y) + "\" scale=\"1 1\" layer=\"1\" linear_enabled=\"0\" rotation_enabled=\"0\"" +
               " style_enabled=\"0\"";
        if (item.tag == "button")
            xml += " callback_id=\"" + std::to_string(item.callbackId) + "\"";
        xml += "/>\n";
    }
    testsupport::WriteFile(m_Dir.File("assets/scripts/gui/" + file + ".xml"), xml + "  <breaker/>\n</menu>\n");
}

TestScreen* GuiScreenFixture::Open(const std::string& file, Game::ScreenControls controls, int firstSelection)
{
    auto* screen = new TestScreen(file, std::move(controls), firstSelection);
    Vesk::CGameManager::GetInstance().PushState(screen);
    Frame();
    TakeHoverSounds();
    return screen;
}

void GuiScreenFixture::Frame(const std::vector<win::Message>& messages)
{
    Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
    input.BeginFrame();
    for (const win::Message& m : messages)
        Vesk::CWindowSystem::GetInstance().WndProc(m);
    input.EndFrame();
    ASSERT_TRUE(Vesk::CGameManager::GetInstance().Update());
}

void GuiScreenFixture::TapKeys(const std::vector<uint32_t>& keys)
{
    std::vector<win::Message> down, up;
    for (uint32_t key : keys) {
        down.push_back(Key(true, key));
        up.push_back(Key(false, key));
    }
    Frame(down);
    Frame(up);
}

void GuiScreenFixture::TapPad(uint16_t buttons, int16_t leftX, int16_t leftY)
{
    pad::Gamepad reading;
    reading.buttons = buttons;
    reading.thumbLX = leftX;
    reading.thumbLY = leftY;
    m_Pads.SetGamepad(0, reading);
    Frame();
    m_Pads.SetGamepad(0, pad::Gamepad{});
    Frame();
}

void GuiScreenFixture::MoveMouse(float x, float y)
{
    const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    const Vesk::ViewportRect viewport = renderer.GetViewportRect();
    const float px = float(viewport.x) + x * float(viewport.width);
    const float py = float(viewport.y) + y * float(viewport.height);
    m_MouseX = int(std::lround(px * float(window.GetClientWidth()) / float(renderer.GetScreenWidth())));
    m_MouseY = int(std::lround(py * float(window.GetClientHeight()) / float(renderer.GetScreenHeight())));
    win::Message move;
    move.code = win::WM_MOUSEMOVE;
    move.x = m_MouseX;
    move.y = m_MouseY;
    Frame({move});
}

void GuiScreenFixture::Click()
{
    win::Message m;
    m.x = m_MouseX;
    m.y = m_MouseY;
    m.code = win::WM_LBUTTONDOWN;
    Frame({m});
    m.code = win::WM_LBUTTONUP;
    Frame({m});
    m.code = win::WM_MOUSEMOVE;
    m.x += 1;
    Frame({m});
    Frame();
    Frame();
}

std::vector<int> GuiScreenFixture::TakeCalls()
{
    std::vector<int> calls;
    calls.swap(g_Calls);
    return calls;
}

int GuiScreenFixture::TakeHoverSounds()
{
    int count = 0;
    for (; m_SeenPlays < m_Sound->plays.size(); ++m_SeenPlays)
        count += m_Sound->plays[m_SeenPlays].path.find("mouse_over.wav") != std::string::npos;
    return count;
}

} // namespace guitest
