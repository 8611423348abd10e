// Draws the panels' bars as Dear ImGui windows (variables as their widgets, groups as tree
// nodes, buttons aligned as their bar says) and the global help window, inside the current ImGui
// frame. What the user changes or presses is carried out after every bar has been drawn, so
// client callbacks may change the bars freely.
#pragma once

#include "platform/devgui/Panels.h"

#include <map>
#include <vector>

namespace devgui {

class PanelView {
public:
    void Draw(Panels& panels);

private:
    struct Action {
        BarId bar;
        uint32_t item;
        bool press; // otherwise a write of value
        Value value;
    };

    void DrawBar(Panels& panels, const PanelBar& bar);
    void DrawItems(Panels& panels, const PanelBar& bar, const std::string& parent);
    void DrawVariable(Panels& panels, const PanelBar& bar, const PanelItem& item);
    void DrawButton(const PanelBar& bar, const PanelItem& item);
    void DrawHelp(const Panels& panels);

    std::map<BarId, uint32_t> m_PlacedSerial; // the placement last applied to each bar
    std::vector<Action> m_Actions;
};

} // namespace devgui
