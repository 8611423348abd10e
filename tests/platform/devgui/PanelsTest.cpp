// The panels' registry: bars and handles, variables of every type bound to memory or callbacks,
// enumerations, groups built by definitions, and keyboard shortcuts, including callbacks that
// tear down the very bar they belong to.
#include "platform/devgui/Panels.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

using devgui::BarId;
using devgui::Panels;
using devgui::Value;

namespace {

// The bar's items as "name@depth" in display order (groups before their contents).
std::vector<std::string> Layout(const devgui::PanelBar& bar, const std::string& parent = "", int depth = 0)
{
    std::vector<std::string> out;
    for (const auto& item : bar.items) {
        if (item->parent != parent)
            continue;
        out.push_back((item->name.empty() ? "-" : item->name) + "@" + std::to_string(depth));
        if (item->kind == devgui::PanelItem::Kind::Group) {
            const std::vector<std::string> inner = Layout(bar, item->name, depth + 1);
            out.insert(out.end(), inner.begin(), inner.end());
        }
    }
    return out;
}

struct Counter {
    int presses = 0;
    Panels* panels = nullptr;
    BarId bar = devgui::kNoBar;
};

void CountPress(void* data) { ++static_cast<Counter*>(data)->presses; }

void DeleteOwnBar(void* data)
{
    Counter* counter = static_cast<Counter*>(data);
    ++counter->presses;
    counter->panels->DeleteAllBars();
}

struct Layer {
    int32_t value = 0;
    int sets = 0;
};

void SetLayer(const void* value, void* data)
{
    Layer* layer = static_cast<Layer*>(data);
    layer->value = *static_cast<const int32_t*>(value);
    ++layer->sets;
}

void GetLayer(void* value, void* data) { *static_cast<int32_t*>(value) = static_cast<Layer*>(data)->value; }

std::string g_Name = "crate01";
void SetName(const void* value, void*) { g_Name = *static_cast<const char* const*>(value); }
void GetName(void* value, void*) { Panels::CopyCDStringToLibrary(static_cast<char**>(value), g_Name.c_str()); }

void CopyToClient(char** destination, const char* source) { Panels::CopyCDStringToLibrary(destination, source); }

} // namespace

TEST(PanelsTest, BarsAreFoundByNameAndDeletedHandlesDoNothing)
{
    Panels panels;
    const BarId menus = panels.NewBar("Menus");
    ASSERT_NE(devgui::kNoBar, menus);
    EXPECT_EQ(devgui::kNoBar, panels.NewBar("Menus")) << "names are unique";
    EXPECT_EQ(devgui::kNoBar, panels.NewBar(""));
    EXPECT_EQ(menus, panels.FindBar("Menus"));

    Counter counter;
    EXPECT_TRUE(panels.AddButton(menus, "UndoBtn", &CountPress, &counter, "label='Undo'"));
    EXPECT_FALSE(panels.AddButton(menus, "UndoBtn", &CountPress, &counter, "")) << "item names are unique";
    EXPECT_TRUE(panels.DeleteBar(menus));
    EXPECT_FALSE(panels.DeleteBar(menus));
    EXPECT_FALSE(panels.AddButton(menus, "RedoBtn", &CountPress, &counter, ""));
    EXPECT_FALSE(panels.Press("Menus", "UndoBtn"));

    const BarId again = panels.NewBar("Menus");
    EXPECT_NE(menus, again) << "a deleted bar's handle never names a new bar";
    EXPECT_FALSE(panels.RemoveVar(menus, "anything"));
    EXPECT_EQ(0, counter.presses);
}

TEST(PanelsTest, VariablesOfEveryTypeReadAndWriteClientMemory)
{
    Panels panels;
    panels.SetCopyCDStringToClient(&CopyToClient);
    const BarId bar = panels.NewBar("Vars");
    bool flag = false;
    int32_t count = -3;
    uint32_t width = 4;
    float height = 1.5f;
    float colour[3] = {0.1f, 0.2f, 0.3f};
    float direction[3] = {0.0f, 0.0f, -1.0f};
    char* text = static_cast<char*>(std::malloc(3));
    std::strcpy(text, "ab");
    std::string name = "std";
    ASSERT_TRUE(panels.AddVarRW(bar, "Flag", devgui::TYPE_BOOL, &flag, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Count", devgui::TYPE_INT32, &count, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Width", devgui::TYPE_UINT32, &width, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Height", devgui::TYPE_FLOAT, &height, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Colour", devgui::TYPE_COLOR3F, colour, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Direction", devgui::TYPE_DIR3F, direction, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Text", devgui::TYPE_CDSTRING, &text, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Name", devgui::TYPE_STDSTRING, &name, ""));
    ASSERT_TRUE(panels.AddVarRW(bar, "Locked", devgui::TYPE_UINT32, &width, "readonly=true"));
    EXPECT_FALSE(panels.AddVarRW(bar, "NoMemory", devgui::TYPE_FLOAT, nullptr, ""));

    Value value;
    ASSERT_TRUE(panels.GetValue("Vars", "Count", value));
    EXPECT_EQ(-3, value.i);
    ASSERT_TRUE(panels.GetValue("Vars", "Direction", value));
    EXPECT_FLOAT_EQ(-1.0f, value.f[2]);
    ASSERT_TRUE(panels.GetValue("Vars", "Text", value));
    EXPECT_EQ("ab", value.s);

    value = Value();
    value.b = true;
    EXPECT_TRUE(panels.SetValue("Vars", "Flag", value));
    value.i = 9;
    EXPECT_TRUE(panels.SetValue("Vars", "Count", value));
    value.u = 12;
    EXPECT_TRUE(panels.SetValue("Vars", "Width", value));
    value.f[0] = 0.25f;
    value.f[1] = 0.5f;
    value.f[2] = 0.75f;
    EXPECT_TRUE(panels.SetValue("Vars", "Height", value));
    EXPECT_TRUE(panels.SetValue("Vars", "Colour", value));
    value.s = "a much longer text";
    EXPECT_TRUE(panels.SetValue("Vars", "Text", value));
    EXPECT_TRUE(panels.SetValue("Vars", "Name", value));
    value.u = 99;
    EXPECT_FALSE(panels.SetValue("Vars", "Locked", value));
    EXPECT_FALSE(panels.SetValue("Vars", "Missing", value));

    EXPECT_TRUE(flag);
    EXPECT_EQ(9, count);
    EXPECT_EQ(12u, width);
    EXPECT_FLOAT_EQ(0.25f, height);
    EXPECT_FLOAT_EQ(0.75f, colour[2]);
    EXPECT_STREQ("a much longer text", text) << "the client string grew through the copy function";
    EXPECT_EQ("a much longer text", name);
    std::free(text);
}

TEST(PanelsTest, CallbackVariablesAndEnumerations)
{
    Panels panels;
    const BarId menus = panels.NewBar("Menus");
    const devgui::TypeId layerEnum = panels.DefineEnum("LayerEnum", nullptr, 0);
    ASSERT_NE(nullptr, panels.GetEnumValues(layerEnum));
    EXPECT_TRUE(panels.GetEnumValues(layerEnum)->empty());

    Layer layer;
    ASSERT_TRUE(panels.AddVarCB(menus, "Layers", layerEnum, &SetLayer, &GetLayer, &layer,
                                "label='Layers' enum='0 {No Layers}, 1 {Terrain}, 2 {Units}, 3 {Doodads}, "
                                "4 {Spatials}, 5{Linker}' key=Tab"));
    const std::vector<devgui::EnumValue>& values = *panels.GetEnumValues(layerEnum);
    ASSERT_EQ(6u, values.size()) << "the variable's enum list fills its type";
    EXPECT_EQ("Linker", values[5].label);

    // Tab steps through the values and wraps around, each step through the setter.
    for (int expected : {1, 2, 3, 4, 5, 0}) {
        EXPECT_TRUE(panels.KeyDown(win::VK_TAB, true));
        EXPECT_EQ(expected, layer.value);
    }
    EXPECT_EQ(6, layer.sets);

    // Three labels define 0, 1 and 2; pairs keep their own values; a second definition of a
    // name replaces its values under the same type.
    const devgui::EnumValue three[] = {{0, "Painting"}, {1, "Building"}, {2, "Erasing"}};
    const devgui::TypeId mode = panels.DefineEnum("TerrainModeEnum", three, 3);
    EXPECT_NE(layerEnum, mode);
    const devgui::EnumValue triggers[] = {{12, " SOUND_TRIGGER"}, {17, " LOCATIONBASED_SPAWNER_TRIGGER"}};
    EXPECT_EQ(mode, panels.DefineEnum("TerrainModeEnum", triggers, 2));
    EXPECT_EQ(17, (*panels.GetEnumValues(mode))[1].value);

    // A callback variable without a setter only shows its value; a string getter copies its text.
    ASSERT_TRUE(panels.AddVarCB(menus, "EntityType", devgui::TYPE_CDSTRING, nullptr, &GetName, nullptr, ""));
    ASSERT_TRUE(panels.AddVarCB(menus, "EntityName", devgui::TYPE_CDSTRING, &SetName, &GetName, nullptr, ""));
    Value value;
    value.s = "barrel02";
    EXPECT_FALSE(panels.SetValue("Menus", "EntityType", value));
    EXPECT_TRUE(panels.SetValue("Menus", "EntityName", value));
    EXPECT_EQ("barrel02", g_Name);
    ASSERT_TRUE(panels.GetValue("Menus", "EntityType", value));
    EXPECT_EQ("barrel02", value.s);
    EXPECT_FALSE(panels.AddVarCB(menus, "NoGetter", devgui::TYPE_INT32, &SetLayer, nullptr, &layer, ""));
}

TEST(PanelsTest, GroupsNestInTheOrderTheirDefinitionsMoveThem)
{
    // The terrain tool's bar, as it builds it.
    Panels panels;
    const BarId bar = panels.NewBar("TerrainBar");
    uint32_t u = 0;
    bool b = false;
    auto add = [&](const char* name, void* memory, devgui::TypeId type, const char* definition) {
        EXPECT_TRUE(panels.AddVarRW(bar, name, type, memory, definition)) << name;
    };
    add("BrushTypeVar", &u, devgui::TYPE_UINT32, "label='Brush Type' key=2 group='Brush Properties'");
    add("DisplacementHeightVar", &u, devgui::TYPE_UINT32, "label='Blocks To Add Height' group='Brush Properties'");
    add("BrushWidthVar", &u, devgui::TYPE_UINT32, "label='Brush Width' keyincr=n keydecr=m group='Cubic'");
    add("BrushDiamondPyramidVar", &b, devgui::TYPE_BOOL, "label='Pyramidal Blocks' group='Diamond'");
    add("BrushRadiusVar", &u, devgui::TYPE_UINT32, "label='Brush Radius' group='Circular'");
    EXPECT_TRUE(panels.Define("TerrainBar/Circular group='Brush Properties'"));
    EXPECT_TRUE(panels.Define("TerrainBar/Cubic group='Brush Properties'"));
    EXPECT_TRUE(panels.Define("TerrainBar/Diamond group='Brush Properties'"));
    EXPECT_TRUE(panels.AddSeparator(bar, "", ""));
    add("TerrainPaintColor", &u, devgui::TYPE_UINT32, "label='PaintColor' group='Paint Color'");

    const std::vector<std::string> expected = {"Brush Properties@0",
                                               "BrushTypeVar@1",
                                               "DisplacementHeightVar@1",
                                               "Circular@1",
                                               "BrushRadiusVar@2",
                                               "Cubic@1",
                                               "BrushWidthVar@2",
                                               "Diamond@1",
                                               "BrushDiamondPyramidVar@2",
                                               "-@0",
                                               "Paint Color@0",
                                               "TerrainPaintColor@1"};
    EXPECT_EQ(expected, Layout(*panels.GetBar(bar)));

    // Definitions that cannot apply change nothing.
    EXPECT_FALSE(panels.Define("TerrainBar/Prefab group='Prefabs'")) << "no item of that name";
    EXPECT_FALSE(panels.Define("NoBar/Cubic group='x'"));
    EXPECT_TRUE(panels.Define("TerrainBar/Cubic group='BrushWidthVar'")) << "reported, not applied";
    EXPECT_TRUE(panels.Define("TerrainBar/Cubic group='Cubic'"));
    EXPECT_EQ(expected, Layout(*panels.GetBar(bar)));

    // A group moves into another, but never into one it holds.
    EXPECT_TRUE(panels.Define("TerrainBar/Circular group='Cubic'"));
    EXPECT_TRUE(panels.Define("TerrainBar/Cubic group='Circular'"));
    const std::vector<std::string> nested = {"Brush Properties@0",
                                             "BrushTypeVar@1",
                                             "DisplacementHeightVar@1",
                                             "Cubic@1",
                                             "BrushWidthVar@2",
                                             "Circular@2",
                                             "BrushRadiusVar@3",
                                             "Diamond@1",
                                             "BrushDiamondPyramidVar@2",
                                             "-@0",
                                             "Paint Color@0",
                                             "TerrainPaintColor@1"};
    EXPECT_EQ(nested, Layout(*panels.GetBar(bar)));

    // Removing a group removes what it holds.
    EXPECT_TRUE(panels.RemoveVar(bar, "Brush Properties"));
    EXPECT_EQ((std::vector<std::string>{"-@0", "Paint Color@0", "TerrainPaintColor@1"}), Layout(*panels.GetBar(bar)));
}

TEST(PanelsTest, BarDefinitionsSetPlacementAndLook)
{
    Panels panels;
    const BarId bar = panels.NewBar("Menus");
    EXPECT_TRUE(panels.Define("Menus size='250 300' fontsize='2' help='Main Menu Bar' valueswidth=fit "
                              "buttonalign=center"));
    EXPECT_TRUE(panels.Define("Menus position='1050 10' size='0 5' valueswidth=-4 fontsize=9 label='Main'"));
    const devgui::PanelBar& menus = *panels.GetBar(bar);
    EXPECT_TRUE(menus.hasSize);
    EXPECT_EQ(250, menus.width) << "a size of 0 is refused";
    EXPECT_EQ(300, menus.height);
    EXPECT_TRUE(menus.hasPosition);
    EXPECT_EQ(1050, menus.x);
    EXPECT_EQ(10, menus.y);
    EXPECT_EQ(2u, menus.placementSerial);
    EXPECT_EQ(2, menus.fontSize);
    EXPECT_EQ(devgui::PanelBar::Align::Center, menus.buttonAlign);
    EXPECT_EQ("Main Menu Bar", menus.help);
    EXPECT_EQ("Main", menus.Label());
    EXPECT_FALSE(menus.valuesFit);
    EXPECT_EQ(0, menus.valuesWidth);

    EXPECT_TRUE(panels.Define("GLOBAL help='Welcome to pmarls level editor! ' "));
    EXPECT_EQ("Welcome to pmarls level editor! ", panels.GetGlobalHelp());
}

TEST(PanelsTest, ShortcutsPressToggleAndStepWithExactModifiers)
{
    Panels panels;
    const BarId bar = panels.NewBar("Menus");
    Counter newLevel, undo;
    bool random = false;
    uint32_t width = 1;
    ASSERT_TRUE(panels.AddButton(bar, "NewLevelBtn", &CountPress, &newLevel, "label='New Level..' key=F1"));
    ASSERT_TRUE(panels.AddButton(bar, "UndoBtn", &CountPress, &undo, "label='Undo' key=CTRL+z"));
    ASSERT_TRUE(panels.AddButton(bar, "LevelText", nullptr, nullptr, "label='Filename of level: a.xml' key=F9"));
    ASSERT_TRUE(panels.AddVarRW(bar, "RandomOrientationBtn", devgui::TYPE_BOOL, &random, "key=1"));
    ASSERT_TRUE(panels.AddVarRW(bar, "BrushWidthVar", devgui::TYPE_UINT32, &width, "keyincr=n keydecr=m"));

    EXPECT_TRUE(panels.KeyDown(win::VK_F1, true));
    EXPECT_FALSE(panels.KeyDown('Z', true)) << "z alone is not CTRL+z";
    EXPECT_FALSE(panels.KeyDown(win::VK_CONTROL, true));
    EXPECT_TRUE(panels.KeyDown('Z', true));
    EXPECT_FALSE(panels.KeyDown(win::VK_F1, true)) << "F1 with CTRL held is another shortcut";
    panels.KeyUp(win::VK_CONTROL);
    EXPECT_TRUE(panels.KeyDown('1', true));
    EXPECT_TRUE(panels.KeyDown('N', true));
    EXPECT_TRUE(panels.KeyDown('N', true));
    EXPECT_TRUE(panels.KeyDown(win::VK_F9, true)) << "a text line takes its key without doing anything";
    EXPECT_FALSE(panels.KeyDown(win::VK_F1, false)) << "shortcuts can be held back (typing, hidden panels)";
    EXPECT_FALSE(panels.KeyDown(0, true));
    EXPECT_EQ(1, newLevel.presses);
    EXPECT_EQ(1, undo.presses);
    EXPECT_TRUE(random);
    EXPECT_EQ(3u, width);
    for (int i = 0; i < 5; ++i)
        panels.KeyDown('M', true);
    EXPECT_EQ(0u, width) << "unsigned values stop at 0";
}

TEST(PanelsTest, ACallbackMayDeleteTheBarItWasCalledFrom)
{
    Panels panels;
    Counter counter;
    counter.panels = &panels;
    counter.bar = panels.NewBar("Menus");
    ASSERT_TRUE(panels.AddButton(counter.bar, "ResumeLevelBtn", &DeleteOwnBar, &counter, "key=F4"));
    ASSERT_TRUE(panels.AddButton(counter.bar, "LoadLevelBtn", &DeleteOwnBar, &counter, ""));
    EXPECT_TRUE(panels.KeyDown(win::VK_F4, true));
    EXPECT_TRUE(panels.GetBars().empty());
    EXPECT_FALSE(panels.Press("Menus", "LoadLevelBtn"));
    EXPECT_EQ(1, counter.presses);
}

TEST(PanelsTest, CopiedTextsGrowAndAMissingSourceIsEmpty)
{
    char* text = nullptr;
    Panels::CopyCDStringToLibrary(&text, "abc");
    ASSERT_NE(nullptr, text);
    EXPECT_STREQ("abc", text);
    Panels::CopyCDStringToLibrary(&text, "a longer text");
    EXPECT_STREQ("a longer text", text);
    Panels::CopyCDStringToLibrary(&text, "x");
    EXPECT_STREQ("x", text);
    Panels::CopyCDStringToLibrary(&text, nullptr);
    EXPECT_STREQ("", text);
    std::free(text);

    char* fresh = nullptr;
    Panels::CopyCDStringToLibrary(&fresh, nullptr);
    ASSERT_NE(nullptr, fresh);
    EXPECT_STREQ("", fresh);
    std::free(fresh);
    Panels::CopyCDStringToLibrary(nullptr, "ignored");
}
