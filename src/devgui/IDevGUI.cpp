#include "devgui/IDevGUI.h"

#include "core/CFrameClock.h"
#include "platform/dialogs/FileDialogs.h"
#include "platform/win/Window.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

namespace Vesk {

namespace {

void CopyStdStringToClient(std::string& destination, const std::string& source) { destination = source; }

} // namespace

bool IDevGUI::Init()
{
    win::Window* window = CWindowSystem::GetInstance().GetWindow();
    m_Gui.Init(window, CRenderer::GetInstance().HasDevice());
    devgui::Panels& panels = m_Gui.GetPanels();
    panels.SetCopyStdStringToClient(&CopyStdStringToClient);
    panels.SetCopyCDStringToClient(&devgui::Panels::CopyCDStringToLibrary);
    m_Initialised = true;
    return true;
}

void IDevGUI::Terminate()
{
    m_Gui.GetPanels().Clear();
    m_Gui.Shutdown();
    m_Initialised = false;
    m_Drawn = false;
    m_KeysTaken.clear();
}

void IDevGUI::WindowSize(int width, int height) { m_Gui.SetWindowSize(width, height); }

void IDevGUI::Draw()
{
    if (!m_Gui.BeginFrame())
        return;
    m_Gui.DrawPanels();
    dialogs::GetFileDialogs().Update();
    m_Gui.EndFrame();
    m_Drawn = true;
    m_DrawnFrame = CFrameClock::GetInstance().GetFrameIndex();
}

bool IDevGUI::PanelsShown() const
{
    // Messages arrive between frames: the panels count as shown when the frame just finished drew them.
    return m_Drawn && m_DrawnFrame + 1 == CFrameClock::GetInstance().GetFrameIndex();
}

bool IDevGUI::HandleMessage(const win::Message& message)
{
    if (!m_Initialised)
        return false;
    m_Gui.ProcessMessage(message);
    devgui::Panels& panels = m_Gui.GetPanels();
    const bool shown = PanelsShown();
    switch (message.code) {
    case win::WM_KEYDOWN:
    case win::WM_SYSKEYDOWN:
        if (panels.KeyDown(message.vk, shown && !m_Gui.WantsTextInput())) {
            m_KeysTaken.insert(message.vk);
            return true;
        }
        return shown && m_Gui.WantsKeyboard();
    case win::WM_KEYUP:
    case win::WM_SYSKEYUP:
        panels.KeyUp(message.vk);
        // The key-up of a shortcut belongs to the panels like its key-down.
        return m_KeysTaken.erase(message.vk) > 0 || (shown && m_Gui.WantsKeyboard());
    case win::WM_CHAR: return shown && m_Gui.WantsKeyboard();
    default: return shown && win::ClassifyMouseMessage(message.code).mouse && m_Gui.WantsMouse();
    }
}

CDevGUIBar IDevGUI::NewBar(const std::string& name) { return CDevGUIBar(GetInstance().GetPanels().NewBar(name)); }

void IDevGUI::DeleteBar(CDevGUIBar& bar)
{
    if (bar.IsEmpty())
        return;
    GetInstance().GetPanels().DeleteBar(bar.GetId());
    bar.Clear();
}

void IDevGUI::DeleteAllBars() { GetInstance().GetPanels().DeleteAllBars(); }

void IDevGUI::SetGlobalHelp(const std::string& text) { Define("GLOBAL help='" + text + "' "); }

void IDevGUI::Define(const std::string& definition) { GetInstance().GetPanels().Define(definition); }

DevGUIType IDevGUI::DefineEnum(const std::string& name, const std::vector<std::string>& labels)
{
    std::vector<devgui::EnumValue> values;
    for (size_t i = 0; i < labels.size(); ++i)
        values.push_back({static_cast<int>(i), labels[i]});
    return GetInstance().GetPanels().DefineEnum(name, values.data(), values.size());
}

DevGUIType IDevGUI::DefineEnumPairs(const std::string& name, const std::vector<DevGUIEnumValue>& pairs)
{
    std::vector<devgui::EnumValue> values;
    for (const DevGUIEnumValue& pair : pairs)
        values.push_back({pair.value, pair.label});
    return GetInstance().GetPanels().DefineEnum(name, values.data(), values.size());
}

void IDevGUI::CopyCDStringToLibrary(char** destination, const char* source)
{
    devgui::Panels::CopyCDStringToLibrary(destination, source);
}

} // namespace Vesk
