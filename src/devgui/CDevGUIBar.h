// A handle to one developer-GUI bar: adds variables, buttons and separators to it and removes
// them. An empty handle, or one whose bar was deleted, does nothing.
#pragma once

#include "platform/devgui/PanelTypes.h"

#include <string>

namespace Vesk {

using DevGUIType = devgui::TypeId;

class CDevGUIBar {
public:
    CDevGUIBar() = default;
    explicit CDevGUIBar(devgui::BarId bar) : m_Bar(bar) {}

    bool IsEmpty() const { return m_Bar == devgui::kNoBar; }
    devgui::BarId GetId() const { return m_Bar; }
    void Clear() { m_Bar = devgui::kNoBar; }

    // A variable bound to client memory of the type.
    bool AddVarRW(const std::string& name, DevGUIType type, void* variable, const std::string& definition);
    // A variable read and written through callbacks; without a setter it is read-only.
    bool AddVarCB(const std::string& name, DevGUIType type, devgui::SetVarCallback set, devgui::GetVarCallback get,
                  void* clientData, const std::string& definition);
    void AddSeparator();
    // Without a callback the button is a line of text.
    bool AddButton(const std::string& name, devgui::ButtonCallback callback, void* clientData,
                   const std::string& definition);
    void RemoveVar(const std::string& name);

private:
    devgui::BarId m_Bar = devgui::kNoBar;
};

} // namespace Vesk
