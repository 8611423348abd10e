#include "devgui/CDevGUIBar.h"

#include "devgui/IDevGUI.h"

namespace Vesk {

bool CDevGUIBar::AddVarRW(const std::string& name, DevGUIType type, void* variable, const std::string& definition)
{
    return IDevGUI::GetInstance().GetPanels().AddVarRW(m_Bar, name, type, variable, definition);
}

bool CDevGUIBar::AddVarCB(const std::string& name, DevGUIType type, devgui::SetVarCallback set,
                          devgui::GetVarCallback get, void* clientData, const std::string& definition)
{
    return IDevGUI::GetInstance().GetPanels().AddVarCB(m_Bar, name, type, set, get, clientData, definition);
}

void CDevGUIBar::AddSeparator()
{
    IDevGUI::GetInstance().GetPanels().AddSeparator(m_Bar, std::string(), std::string());
}

bool CDevGUIBar::AddButton(const std::string& name, devgui::ButtonCallback callback, void* clientData,
                           const std::string& definition)
{
    return IDevGUI::GetInstance().GetPanels().AddButton(m_Bar, name, callback, clientData, definition);
}

void CDevGUIBar::RemoveVar(const std::string& name) { IDevGUI::GetInstance().GetPanels().RemoveVar(m_Bar, name); }

} // namespace Vesk
