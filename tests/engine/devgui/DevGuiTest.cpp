// The developer GUI's string-based calls: bar handles, enumerations, definitions and global
// help, and the rule that the panels take no window message unless they were just drawn.
#include "devgui/IDevGUI.h"
#include "platform/win/VirtualKeys.h"

#include <gtest/gtest.h>

using Vesk::CDevGUIBar;
using Vesk::IDevGUI;

namespace {

struct Presses {
    int count = 0;
};

void Press(void* data) { ++static_cast<Presses*>(data)->count; }

class DevGuiTest : public ::testing::Test {
protected:
    // Through the singleton base, as any manager is started: the GUI's own start-up runs.
    void SetUp() override
    {
        ASSERT_TRUE(static_cast<Vesk::CSingleton<IDevGUI>&>(IDevGUI::GetInstance()).Init());
        ASSERT_TRUE(IDevGUI::GetInstance().IsInitialised());
    }
    void TearDown() override { IDevGUI::GetInstance().Terminate(); }

    devgui::Panels& Panels() { return IDevGUI::GetInstance().GetPanels(); }
};

} // namespace

TEST_F(DevGuiTest, HandlesHoldBarsUntilDeleted)
{
    CDevGUIBar empty;
    IDevGUI::DeleteBar(empty);
    EXPECT_TRUE(empty.IsEmpty()) << "deleting an empty handle does nothing";

    CDevGUIBar menus = IDevGUI::NewBar("Menus");
    ASSERT_FALSE(menus.IsEmpty());
    Presses presses;
    EXPECT_TRUE(menus.AddButton("UndoBtn", &Press, &presses, "label='Undo' key=CTRL+z"));
    menus.AddSeparator();
    uint32_t group = 0;
    EXPECT_TRUE(menus.AddVarRW("TriggerSlaveGroupVar", devgui::TYPE_UINT32, &group, "label='Slave Group'"));
    menus.RemoveVar("TriggerSlaveGroupVar");
    EXPECT_EQ(nullptr, Panels().GetBar(menus.GetId())->Find("TriggerSlaveGroupVar"));
    EXPECT_TRUE(Panels().Press("Menus", "UndoBtn"));
    EXPECT_EQ(1, presses.count);

    // After every bar is deleted the old handle reaches nothing, and deleting it again is safe.
    CDevGUIBar copy = menus;
    IDevGUI::DeleteAllBars();
    EXPECT_FALSE(copy.AddButton("RedoBtn", &Press, &presses, ""));
    IDevGUI::DeleteBar(menus);
    EXPECT_TRUE(menus.IsEmpty());
    IDevGUI::DeleteBar(copy);
    EXPECT_TRUE(Panels().GetBars().empty());
}

TEST_F(DevGuiTest, EnumerationsDefinitionsAndGlobalHelp)
{
    const Vesk::DevGUIType modes = IDevGUI::DefineEnum("ObjCtrlModeEnum", {"Create", "Move", "Rotate"});
    const std::vector<devgui::EnumValue>* values = Panels().GetEnumValues(modes);
    ASSERT_NE(nullptr, values);
    ASSERT_EQ(3u, values->size());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(i, (*values)[static_cast<size_t>(i)].value);
    EXPECT_EQ("Rotate", (*values)[2].label);

    const Vesk::DevGUIType triggers =
        IDevGUI::DefineEnumPairs("TriggersCreateModeEnum", {{12, " SOUND_TRIGGER"}, {13, " CAMERA_LOCK_TRIGGER"}});
    EXPECT_EQ(13, (*Panels().GetEnumValues(triggers))[1].value);
    EXPECT_TRUE(Panels().GetEnumValues(IDevGUI::DefineEnum("LayerEnum", {}))->empty());

    const std::string help = "Welcome to pmarls level editor! \nWASD to move camera.";
    IDevGUI::SetGlobalHelp(help);
    EXPECT_EQ(help, Panels().GetGlobalHelp());

    CDevGUIBar bar = IDevGUI::NewBar("EntityWatcherBar");
    IDevGUI::Define("EntityWatcherBar position='10 370' size='320 350' valueswidth=fit fontsize='2' "
                    "help='Object Watcher Bar'");
    const devgui::PanelBar* watcher = Panels().GetBar(bar.GetId());
    EXPECT_EQ(370, watcher->y);
    EXPECT_EQ("Object Watcher Bar", watcher->help);

    // A text edit reaches a client C string through the copy function Init hands over.
    char* name = nullptr;
    IDevGUI::CopyCDStringToLibrary(&name, "crate");
    ASSERT_TRUE(bar.AddVarRW("EntityName", devgui::TYPE_CDSTRING, &name, ""));
    devgui::Value value;
    value.s = "a longer crate name";
    EXPECT_TRUE(Panels().SetValue("EntityWatcherBar", "EntityName", value));
    EXPECT_STREQ("a longer crate name", name);
    std::free(name);
}

TEST_F(DevGuiTest, PanelsThatWereNotDrawnTakeNoMessages)
{
    CDevGUIBar menus = IDevGUI::NewBar("Menus");
    Presses presses;
    ASSERT_TRUE(menus.AddButton("NewLevelBtn", &Press, &presses, "key=F1"));
    win::Message key;
    key.code = win::WM_KEYDOWN;
    key.vk = win::VK_F1;
    EXPECT_FALSE(IDevGUI::GetInstance().HandleMessage(key));
    EXPECT_EQ(0, presses.count);
}
