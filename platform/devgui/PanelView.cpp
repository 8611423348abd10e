#include "platform/devgui/PanelView.h"

#include <imgui.h>
#include <imgui_stdlib.h>

#include <algorithm>

namespace devgui {

namespace {

const float kFontScales[] = {0.85f, 1.0f, 1.25f};

std::string WidgetId(const PanelItem& item) { return item.Label() + "##" + std::to_string(item.id); }

void HelpTooltip(const PanelItem& item)
{
    if (!item.help.empty() && ImGui::IsItemHovered())
        ImGui::SetTooltip("%s", item.help.c_str());
}

// Widest label of the bar, for values that fit the rest of the line.
float LabelWidth(const PanelBar& bar)
{
    float widest = 0.0f;
    for (const auto& item : bar.items)
        if (item->kind == PanelItem::Kind::Variable)
            widest = std::max(widest, ImGui::CalcTextSize(item->Label().c_str()).x);
    return widest + ImGui::GetStyle().ItemInnerSpacing.x * 2.0f;
}

} // namespace

void PanelView::Draw(Panels& panels)
{
    m_Actions.clear();
    for (const auto& bar : panels.GetBars())
        DrawBar(panels, *bar);
    DrawHelp(panels);
    // Forget the placement of bars that are gone.
    for (auto it = m_PlacedSerial.begin(); it != m_PlacedSerial.end();)
        it = panels.GetBar(it->first) ? std::next(it) : m_PlacedSerial.erase(it);

    for (const Action& action : m_Actions) {
        if (action.press)
            panels.Press(action.bar, action.item);
        else
            panels.WriteValue(action.bar, action.item, action.value);
    }
    m_Actions.clear();
}

void PanelView::DrawBar(Panels& panels, const PanelBar& bar)
{
    // A new position or size applies once, so that the user may move the bar afterwards.
    uint32_t& placed = m_PlacedSerial[bar.id];
    if (placed != bar.placementSerial) {
        if (bar.hasPosition)
            ImGui::SetNextWindowPos(ImVec2(static_cast<float>(bar.x), static_cast<float>(bar.y)));
        if (bar.hasSize)
            ImGui::SetNextWindowSize(ImVec2(static_cast<float>(bar.width), static_cast<float>(bar.height)));
        placed = bar.placementSerial;
    }
    const std::string title = bar.Label() + "###bar" + std::to_string(bar.id);
    if (ImGui::Begin(title.c_str())) {
        ImGui::SetWindowFontScale(kFontScales[std::clamp(bar.fontSize, 1, 3) - 1]);
        if (bar.valuesFit)
            ImGui::PushItemWidth(-LabelWidth(bar));
        else if (bar.valuesWidth > 0)
            ImGui::PushItemWidth(static_cast<float>(bar.valuesWidth));
        else
            ImGui::PushItemWidth(ImGui::GetWindowWidth() * 0.5f);
        DrawItems(panels, bar, std::string());
        ImGui::PopItemWidth();
    }
    ImGui::End();
}

void PanelView::DrawItems(Panels& panels, const PanelBar& bar, const std::string& parent)
{
    for (const auto& pointer : bar.items) {
        const PanelItem& item = *pointer;
        if (item.parent != parent)
            continue;
        switch (item.kind) {
        case PanelItem::Kind::Separator: ImGui::Separator(); break;
        case PanelItem::Kind::Button: DrawButton(bar, item); break;
        case PanelItem::Kind::Variable: DrawVariable(panels, bar, item); break;
        case PanelItem::Kind::Group:
            if (ImGui::TreeNodeEx(WidgetId(item).c_str(), ImGuiTreeNodeFlags_DefaultOpen)) {
                HelpTooltip(item);
                DrawItems(panels, bar, item.name);
                ImGui::TreePop();
            }
            break;
        }
    }
}

void PanelView::DrawButton(const PanelBar& bar, const PanelItem& item)
{
    if (!item.button) {
        ImGui::TextUnformatted(item.Label().c_str());
        HelpTooltip(item);
        return;
    }
    const float width = ImGui::CalcTextSize(item.Label().c_str()).x + ImGui::GetStyle().FramePadding.x * 2.0f;
    const float room = ImGui::GetContentRegionAvail().x - width;
    if (room > 0.0f && bar.buttonAlign != PanelBar::Align::Left)
        ImGui::SetCursorPosX(ImGui::GetCursorPosX() +
                             room * (bar.buttonAlign == PanelBar::Align::Center ? 0.5f : 1.0f));
    if (ImGui::Button(WidgetId(item).c_str()))
        m_Actions.push_back({bar.id, item.id, true, Value()});
    HelpTooltip(item);
}

void PanelView::DrawVariable(Panels& panels, const PanelBar& bar, const PanelItem& item)
{
    Value value;
    if (!panels.ReadValue(item, value))
        return;
    const std::string id = WidgetId(item);
    const bool readOnly = item.IsReadOnly();
    bool changed = false;
    if (item.type == TYPE_CDSTRING || item.type == TYPE_STDSTRING) {
        // Text is handed over when the edit is confirmed with Enter, not at every keystroke.
        const ImGuiInputTextFlags flags =
            readOnly ? ImGuiInputTextFlags_ReadOnly : ImGuiInputTextFlags_EnterReturnsTrue;
        changed = ImGui::InputText(id.c_str(), &value.s, flags) && !readOnly;
        HelpTooltip(item);
    } else {
        ImGui::BeginDisabled(readOnly);
        switch (item.type) {
        case TYPE_BOOL: changed = ImGui::Checkbox(id.c_str(), &value.b); break;
        case TYPE_INT32: changed = ImGui::DragScalar(id.c_str(), ImGuiDataType_S32, &value.i, 0.2f); break;
        case TYPE_UINT32: changed = ImGui::DragScalar(id.c_str(), ImGuiDataType_U32, &value.u, 0.2f); break;
        case TYPE_FLOAT: changed = ImGui::DragFloat(id.c_str(), value.f, 0.1f); break;
        case TYPE_COLOR3F: changed = ImGui::ColorEdit3(id.c_str(), value.f); break;
        case TYPE_DIR3F: changed = ImGui::DragFloat3(id.c_str(), value.f, 0.01f); break;
        default: {
            // Enumerations: the listed labels; an unlisted value shows as its number.
            const std::vector<EnumValue>* values = panels.GetEnumValues(item.type);
            std::string current = std::to_string(value.i);
            if (values)
                for (const EnumValue& entry : *values)
                    if (entry.value == value.i)
                        current = entry.label;
            if (ImGui::BeginCombo(id.c_str(), current.c_str())) {
                for (size_t i = 0; values && i < values->size(); ++i) {
                    const EnumValue& entry = (*values)[i];
                    const std::string option = entry.label + "##" + std::to_string(i);
                    if (ImGui::Selectable(option.c_str(), entry.value == value.i)) {
                        value.i = entry.value;
                        changed = true;
                    }
                }
                ImGui::EndCombo();
            }
            break;
        }
        }
        ImGui::EndDisabled();
        HelpTooltip(item);
    }
    if (changed && !readOnly)
        m_Actions.push_back({bar.id, item.id, false, value});
}

void PanelView::DrawHelp(const Panels& panels)
{
    if (panels.GetGlobalHelp().empty() || panels.GetBars().empty())
        return;
    const ImGuiIO& io = ImGui::GetIO();
    ImGui::SetNextWindowPos(ImVec2(10.0f, io.DisplaySize.y - 30.0f), ImGuiCond_FirstUseEver);
    ImGui::SetNextWindowCollapsed(true, ImGuiCond_FirstUseEver);
    if (ImGui::Begin("Help###DevGuiHelp")) {
        ImGui::TextWrapped("%s", panels.GetGlobalHelp().c_str());
        for (const auto& bar : panels.GetBars()) {
            if (bar->help.empty())
                continue;
            ImGui::Separator();
            ImGui::TextWrapped("%s: %s", bar->Label().c_str(), bar->help.c_str());
        }
    }
    ImGui::End();
}

} // namespace devgui
