// The definition strings the level editor and its tools pass, read into keys and values, with
// their enumeration lists and keyboard shortcuts.
#include "platform/devgui/Definition.h"
#include "platform/devgui/Shortcut.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using devgui::Definition;
using Pairs = std::vector<std::pair<std::string, std::string>>;

namespace {

Pairs Entries(const Definition& definition)
{
    Pairs pairs;
    for (const devgui::DefinitionEntry& entry : definition.entries)
        pairs.emplace_back(entry.key, entry.value);
    return pairs;
}

} // namespace

TEST(DefinitionParserTest, EditorStringsGiveTheirKeysAndValues)
{
    struct Case {
        const char* text;
        Pairs expected;
        size_t problems;
    };
    const Case cases[] = {
        {"label='New Level..' key=F1 help='Generate a new level'",
         {{"label", "New Level.."}, {"key", "F1"}, {"help", "Generate a new level"}},
         0},
        {"label='Undo' key=CTRL+z help='Attempts to undo the last action'",
         {{"label", "Undo"}, {"key", "CTRL+z"}, {"help", "Attempts to undo the last action"}},
         0},
        {"label='Layers' enum='0 {No Layers}, 1 {Terrain}, 2 {Units}, 3 {Doodads}, 4 {Spatials}, 5{Linker}' key=Tab",
         {{"label", "Layers"},
          {"enum", "0 {No Layers}, 1 {Terrain}, 2 {Units}, 3 {Doodads}, 4 {Spatials}, 5{Linker}"},
          {"key", "Tab"}},
         0},
        {"label='Mode' enum='0 {Create}, 1 {Move}, 2 {Rotate}, 3 {Scale}' key='`'",
         {{"label", "Mode"}, {"enum", "0 {Create}, 1 {Move}, 2 {Rotate}, 3 {Scale}"}, {"key", "`"}},
         0},
        {"label='Type' key= 3 enum='0 {GENERIC_ENT}, 1 {GENERIC_CHARACTER}'",
         {{"label", "Type"}, {"key", "3"}, {"enum", "0 {GENERIC_ENT}, 1 {GENERIC_CHARACTER}"}},
         0},
        {"label='Brush Width' keyincr=n keydecr=m group='Cubic'",
         {{"label", "Brush Width"}, {"keyincr", "n"}, {"keydecr", "m"}, {"group", "Cubic"}},
         0},
        {"label='Filename of level: arena2.xml'", {{"label", "Filename of level: arena2.xml"}}, 0},
        {"label='Selection Control' enum='0 {Mouse}, 1 {Keyboard}' key='1'",
         {{"label", "Selection Control"}, {"enum", "0 {Mouse}, 1 {Keyboard}"}, {"key", "1"}},
         0},
        // The spatials tool's float has no closing quote: the value runs to the end.
        {"label='Plane Y Position", {{"label", "Plane Y Position"}}, 1},
        {"", {}, 0},
        {"  readonly=true  LABEL=\"double quoted\" help=`back quoted`",
         {{"readonly", "true"}, {"label", "double quoted"}, {"help", "back quoted"}},
         0},
        {"label = 'spaced' lonely", {{"label", "spaced"}}, 1},
        {"=orphan label='kept'", {{"label", "kept"}}, 1},
    };
    for (const Case& c : cases) {
        const Definition definition = devgui::ParseDefinition(c.text);
        EXPECT_EQ(c.expected, Entries(definition)) << c.text;
        EXPECT_EQ(c.problems, definition.problems.size()) << c.text;
    }
}

TEST(DefinitionParserTest, DefineNamesItsTargetFirst)
{
    struct Case {
        const char* text;
        const char* target;
        Pairs expected;
    };
    const Case cases[] = {
        {"Menus size='250 300' fontsize='2' help='Main Menu Bar' valueswidth=fit buttonalign=center",
         "Menus",
         {{"size", "250 300"},
          {"fontsize", "2"},
          {"help", "Main Menu Bar"},
          {"valueswidth", "fit"},
          {"buttonalign", "center"}}},
        {"EntityWatcherBar position='10 370' size='320 350' valueswidth=fit fontsize='2' help='Object Watcher Bar'",
         "EntityWatcherBar",
         {{"position", "10 370"},
          {"size", "320 350"},
          {"valueswidth", "fit"},
          {"fontsize", "2"},
          {"help", "Object Watcher Bar"}}},
        {"TerrainBar/Circular group='Brush Properties'", "TerrainBar/Circular", {{"group", "Brush Properties"}}},
        {"GLOBAL help='Welcome to pmarls level editor! \nWASD to move camera.' ",
         "GLOBAL",
         {{"help", "Welcome to pmarls level editor! \nWASD to move camera."}}},
    };
    for (const Case& c : cases) {
        const devgui::DefineCommand command = devgui::ParseDefine(c.text);
        EXPECT_EQ(c.target, command.target) << c.text;
        EXPECT_EQ(c.expected, Entries(command.definition)) << c.text;
        EXPECT_TRUE(command.definition.problems.empty()) << c.text;
    }
}

TEST(DefinitionParserTest, EnumerationListsKeepTheirValuesAndLabels)
{
    std::vector<std::string> problems;
    std::vector<devgui::EnumValue> values =
        devgui::ParseEnumList("0 {No Layers}, 1 {Terrain}, 2 {Units}, 3 {Doodads}, 4 {Spatials}, 5{Linker}", problems);
    ASSERT_EQ(6u, values.size());
    EXPECT_EQ(0, values[0].value);
    EXPECT_EQ("No Layers", values[0].label);
    EXPECT_EQ(5, values[5].value);
    EXPECT_EQ("Linker", values[5].label);

    values = devgui::ParseEnumList("12 { SOUND_TRIGGER}, 13 { CAMERA_LOCK_TRIGGER}", problems);
    ASSERT_EQ(2u, values.size());
    EXPECT_EQ(12, values[0].value);
    EXPECT_EQ(" SOUND_TRIGGER", values[0].label) << "labels are kept as written";
    EXPECT_TRUE(problems.empty());

    values = devgui::ParseEnumList("x {bad}, -2 {negative}, 7 {unclosed", problems);
    ASSERT_EQ(1u, values.size());
    EXPECT_EQ(-2, values[0].value);
    EXPECT_EQ(2u, problems.size());
}

TEST(DefinitionParserTest, ShortcutsNameKeysWithModifiers)
{
    struct Case {
        const char* text;
        uint32_t vk;
        uint32_t modifiers;
    };
    const Case cases[] = {
        {"F1", win::VK_F1, devgui::MOD_NONE},
        {"F12", win::VK_F12, devgui::MOD_NONE},
        {"CTRL+z", 'Z', devgui::MOD_CTRL},
        {"ctrl+a", 'A', devgui::MOD_CTRL},
        {"Tab", win::VK_TAB, devgui::MOD_NONE},
        {"TAB", win::VK_TAB, devgui::MOD_NONE},
        {"`", win::VK_OEM_3, devgui::MOD_NONE},
        {"1", '1', devgui::MOD_NONE},
        {"n", 'N', devgui::MOD_NONE},
        {"N", 'N', devgui::MOD_SHIFT},
        {"SHIFT+ALT+DEL", win::VK_DELETE, devgui::MOD_SHIFT | devgui::MOD_ALT},
    };
    for (const Case& c : cases) {
        devgui::Shortcut shortcut;
        ASSERT_TRUE(devgui::ParseShortcut(c.text, shortcut)) << c.text;
        EXPECT_EQ(c.vk, shortcut.vk) << c.text;
        EXPECT_EQ(c.modifiers, shortcut.modifiers) << c.text;
    }
    for (const char* bad : {"", "F13", "F0", "HYPER+x", "CTRL+", "§", "xy"}) {
        devgui::Shortcut shortcut;
        EXPECT_FALSE(devgui::ParseShortcut(bad, shortcut)) << bad;
        EXPECT_FALSE(shortcut.IsSet()) << bad;
    }
}
