// The developer GUI: tweak panels over the platform's ImGui panels, shown in the editor states.
// Starts the GUI on the renderer's window, offers the string-based calls that create bars,
// enumerations and definitions, takes every window message first (keeping the keys and clicks
// meant for the panels), and draws the panels and the file dialogs once a frame.
#pragma once

#include "core/CSingleton.h"
#include "devgui/CDevGUIBar.h"
#include "platform/devgui/DevGui.h"
#include "platform/win/Messages.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace Vesk {

// One value of an enumeration type declared with DefineEnumPairs.
struct DevGUIEnumValue {
    int value;
    std::string label;
};

class IDevGUI : public CSingleton<IDevGUI> {
public:
    // Starts the GUI on the main window, drawing when the renderer has a device, and hands the
    // panels the functions that copy edited text into client strings. Cannot fail: always true.
    bool Init() override;
    bool IsInitialised() const { return m_Initialised; }
    // Deletes every bar and releases the GUI; Init may run again.
    void Terminate();
    void WindowSize(int width, int height);
    // Draws the panels and any file dialog; the game manager calls it in the editor states only.
    void Draw();
    // The GUI's share of a window message: true when the message is the panels' (a shortcut key,
    // or input ImGui wants). Only while the panels were drawn in the previous frame.
    bool HandleMessage(const win::Message& message);

    static CDevGUIBar NewBar(const std::string& name);
    // Deletes the bar the handle holds, if any, and empties the handle.
    static void DeleteBar(CDevGUIBar& bar);
    static void DeleteAllBars();
    static void SetGlobalHelp(const std::string& text);
    static void Define(const std::string& definition);
    // Values 0 .. n-1 labelled in order; no labels give a type without values.
    static DevGUIType DefineEnum(const std::string& name, const std::vector<std::string>& labels);
    static DevGUIType DefineEnumPairs(const std::string& name, const std::vector<DevGUIEnumValue>& values);
    // For string getters: copies the text into the panels' string.
    static void CopyCDStringToLibrary(char** destination, const char* source);

    devgui::Panels& GetPanels() { return m_Gui.GetPanels(); }

private:
    bool PanelsShown() const;

    devgui::DevGui m_Gui;
    bool m_Initialised = false;
    bool m_Drawn = false;
    uint64_t m_DrawnFrame = 0;
    std::set<uint32_t> m_KeysTaken; // keys whose key-down ran a shortcut, until their key-up
};

} // namespace Vesk
