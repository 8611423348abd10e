// The panels drawn with ImGui (headless): a click on a button and an edit of a value reach the
// client after the bars are drawn, also when the client deletes the bar from its callback.
#include "platform/devgui/PanelView.h"

#include "../imguitest/ImGuiHeadless.h"

#include <gtest/gtest.h>

namespace {

struct Clicks {
    int count = 0;
    devgui::Panels* panels = nullptr;
};

void Count(void* data) { ++static_cast<Clicks*>(data)->count; }

void CountAndDeleteBars(void* data)
{
    Clicks* clicks = static_cast<Clicks*>(data);
    ++clicks->count;
    clicks->panels->DeleteAllBars();
}

// Frames with the mouse at (x, y), pressed in the first and released in the second.
template <typename Draw>
void Click(imguitest::HeadlessContext& gui, float x, float y, Draw draw)
{
    ImGuiIO& io = ImGui::GetIO();
    io.MousePos = ImVec2(x, y);
    gui.Frame(draw);
    io.MouseDown[0] = true;
    gui.Frame(draw);
    io.MouseDown[0] = false;
    gui.Frame(draw);
}

} // namespace

// The bar sits at the top left; its first row (under the title) holds the button.
TEST(PanelViewTest, ClickedButtonRunsAfterDrawingEvenWhenItDeletesItsBar)
{
    imguitest::HeadlessContext gui;
    devgui::Panels panels;
    devgui::PanelView view;
    auto draw = [&] { view.Draw(panels); };

    Clicks clicks;
    clicks.panels = &panels;
    const devgui::BarId bar = panels.NewBar("Menus");
    ASSERT_TRUE(panels.AddButton(bar, "ResumeLevelBtn", &CountAndDeleteBars, &clicks, "label='Resume..'"));
    ASSERT_TRUE(panels.Define("Menus position='0 0' size='300 200'"));
    gui.Frame(draw);
    EXPECT_EQ(0, clicks.count);

    Click(gui, 14.0f, 34.0f, draw);
    EXPECT_EQ(1, clicks.count);
    EXPECT_TRUE(panels.GetBars().empty());
    gui.Frame(draw);
}

TEST(PanelViewTest, CheckboxClickWritesTheVariableAndReadOnlyOnesStay)
{
    imguitest::HeadlessContext gui;
    devgui::Panels panels;
    devgui::PanelView view;
    auto draw = [&] { view.Draw(panels); };

    bool editable = false, locked = false;
    const devgui::BarId bar = panels.NewBar("Watch");
    ASSERT_TRUE(panels.AddVarRW(bar, "Editable", devgui::TYPE_BOOL, &editable, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Locked", devgui::TYPE_BOOL, &locked, "readonly=true"));
    ASSERT_TRUE(panels.Define("Watch position='0 0' size='300 200'"));
    gui.Frame(draw);

    const float rowHeight = ImGui::GetFrameHeightWithSpacing();
    Click(gui, 16.0f, 34.0f, draw);
    Click(gui, 16.0f, 34.0f + rowHeight, draw);
    EXPECT_TRUE(editable);
    EXPECT_FALSE(locked);

    // Every type draws, including enumerations with unlisted values and text.
    int32_t choice = 7;
    std::string text = "abc";
    float colour[3] = {1.0f, 0.5f, 0.0f};
    Clicks clicks;
    const devgui::EnumValue values[] = {{0, "Create"}, {1, "Move"}};
    const devgui::TypeId mode = panels.DefineEnum("ObjCtrlModeEnum", values, 2);
    ASSERT_TRUE(panels.AddVarRW(bar, "ObjCtrlModeVar", mode, &choice, "group='Mode' help='x'"));
    ASSERT_TRUE(panels.AddVarRW(bar, "Name", devgui::TYPE_STDSTRING, &text, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Paint", devgui::TYPE_COLOR3F, colour, ""));
    ASSERT_TRUE(panels.AddSeparator(bar, "", ""));
    ASSERT_TRUE(panels.AddButton(bar, "Info", nullptr, nullptr, "label='just text'"));
    ASSERT_TRUE(panels.AddButton(bar, "Go", &Count, &clicks, ""));
    ASSERT_TRUE(panels.Define("Watch valueswidth=fit buttonalign=right fontsize=3"));
    panels.Define("GLOBAL help='Welcome' ");
    gui.Frame(draw);
    gui.Frame(draw);
    EXPECT_EQ(7, choice);
    EXPECT_EQ("abc", text);
    EXPECT_EQ(0, clicks.count);
}
