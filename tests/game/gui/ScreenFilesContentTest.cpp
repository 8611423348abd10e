// The shipped screen files of the screens around play: every item states all its values (a value
// left out would carry over from the item before), names a sprite that exists (buttons with their
// three looks), and each screen holds the elements and button actions its state relies on.
#include "support/TestSupport.h"

#include "core/CXmlDocument.h"
#include "game/states/CConfirmationState.h"
#include "game/states/CHowToPlayState.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using testsupport::SourceDir;

struct Item {
    std::string tag;
    std::map<std::string, std::string> values; // the item's and its sections' attributes
};

std::vector<Item> ReadScreen(const std::string& file)
{
    Vesk::CXmlDocument document;
    EXPECT_TRUE(document.Load(SourceDir() + "/bin/assets/scripts/gui/" + file)) << file;
    std::vector<Item> items;
    for (Vesk::CXmlElement element = document.FindElement("menu").FirstChildElement();
         element != nullptr && element.GetName() != "breaker"; ++element) {
        Item item{element.GetName(), {}};
        for (const auto& [key, value] : element.GetAttributes())
            item.values[key] = value;
        for (Vesk::CXmlElement section = element.FirstChildElement(); section != nullptr; ++section)
            for (const auto& [key, value] : section.GetAttributes())
                item.values[key] = value;
        items.push_back(item);
    }
    return items;
}

const char* const kScreens[] = {"splash.xml",         "ctrl.xml",      "credits.xml",   "menu.xml",
                                "levelselection.xml", "howtoplay.xml", "transitin.xml", "transitout.xml",
                                "highscore.xml",      "options.xml",   "pause.xml",     "confirmation.xml"};

TEST(ScreenFilesContentTest, EveryItemStatesAllItsValuesAndNamesASpriteThatExists)
{
    const char* const keys[] = {"name",
                                "position",
                                "scale",
                                "layer",
                                "linear_enabled",
                                "rotation_enabled",
                                "style_enabled",
                                "callback_id",
                                "tween_speed",
                                "tween_delay",
                                "tween_fade",
                                "linear_tween",
                                "scale_fade",
                                "scale_fadesize",
                                "opaque_factor",
                                "rot_tween",
                                "tween_angle",
                                "hover_enabled",
                                "rotate_enabled",
                                "sliding_enabled",
                                "scaler_enabled",
                                "opacity_enabled",
                                "hover_deviation",
                                "rotate_degree",
                                "sliding_direction",
                                "scaler_factor",
                                "opacity_factor"};
    Vesk::CXmlDocument sprites;
    ASSERT_TRUE(sprites.Load(SourceDir() + "/bin/assets/sprites.xml"));
    const auto animations = [&](const std::string& sprite) {
        std::set<std::string> names;
        for (Vesk::CXmlElement a = sprites.GetRoot().FirstChildElement(sprite).FirstChildElement("animation");
             a != nullptr; ++a)
            names.insert(a.GetAttribute("name"));
        return names;
    };
    for (const char* screen : kScreens) {
        const std::vector<Item> items = ReadScreen(screen);
        EXPECT_FALSE(items.empty()) << screen;
        for (const Item& item : items) {
            const std::string name = item.values.count("name") ? item.values.at("name") : "?";
            for (const char* key : keys)
                EXPECT_EQ(1u, item.values.count(key)) << screen << " " << name << " has no " << key;
            EXPECT_TRUE(sprites.GetRoot().FirstChildElement(name) != nullptr) << screen << ": no sprite " << name;
            if (item.tag == "button") {
                EXPECT_EQ((std::set<std::string>{"idle", "mouseover", "mouseclick"}), animations(name)) << name;
            }
        }
    }
    for (const char* added : {"CreditsText", "SplashBG", "HighscoreCursor", "HighscoreEntryPanel",
                              "HighscoreEntryTitle", "HighscoreEntryHint"})
        EXPECT_TRUE(sprites.GetRoot().FirstChildElement(added) != nullptr) << added;
}

// The names and the callback numbers of a screen's items, in file order.
std::vector<std::string> Names(const std::vector<Item>& items, const std::string& tag)
{
    std::vector<std::string> names;
    for (const Item& item : items)
        if (item.tag == tag)
            names.push_back(item.values.at("name") + ":" + item.values.at("callback_id"));
    return names;
}

TEST(ScreenFilesContentTest, EachScreenHoldsWhatItsStateUses)
{
    const std::vector<Item> menu = ReadScreen("menu.xml");
    EXPECT_EQ((std::vector<std::string>{"BtnLevelSelect:27", "BtnOptions:11", "BtnHowToPlay:12", "BtnHighscores:24",
                                        "BtnCredits:8", "BtnQuit:1"}),
              Names(menu, "button"));
    std::set<std::string> displays;
    for (const Item& item : menu)
        displays.insert(item.values.at("name"));
    for (const char* title : {"PressTitle", "whiteout", "blackout"})
        EXPECT_EQ(1u, displays.count(title)) << title;

    EXPECT_EQ((std::vector<std::string>{"BtnLevel1:0", "BtnLevel2:28", "BtnLevel3:29", "BtnBack:3"}),
              Names(ReadScreen("levelselection.xml"), "button"));

    EXPECT_EQ((std::vector<std::string>{"BtnPrev:25", "BtnNext:26", "BtnBack:3"}),
              Names(ReadScreen("highscore.xml"), "button"));

    const std::vector<Item> howto = ReadScreen("howtoplay.xml");
    EXPECT_EQ((std::vector<std::string>{"BtnPrev:30", "BtnNext:31", "BtnBack:3"}), Names(howto, "button"));
    std::set<std::string> pages;
    for (const Item& item : howto)
        pages.insert(item.values.at("name"));
    for (const auto& page : Game::CHowToPlayState::PageElementNames())
        for (const char* name : page)
            EXPECT_EQ(1u, pages.count(name)) << name;

    // The options walk their buttons left to right row by row around the volume bar; the pause
    // holds its five buttons; the question holds Yes first, No second, and one question per kind.
    const auto displaysOf = [](const std::vector<Item>& items) {
        std::set<std::string> names;
        for (const Item& item : items)
            if (item.tag == "display")
                names.insert(item.values.at("name"));
        return names;
    };
    const std::vector<Item> options = ReadScreen("options.xml");
    EXPECT_EQ(
        (std::vector<std::string>{"OptionsVolumeLeft:21", "OptionsVolumeRight:22", "BtnMute:23", "BtnFullscreen:10",
                                  "Btn800x600:14", "Btn1024x768:15", "BtnMaxRes:16", "BtnBack:3"}),
        Names(options, "button"));
    EXPECT_EQ(1u, displaysOf(options).count("OptionsVolume"));
    EXPECT_EQ((std::vector<std::string>{"BtnResume:3", "BtnOptions:11", "BtnRestart:4", "BtnMenu:5", "BtnQuit:1"}),
              Names(ReadScreen("pause.xml"), "button"));
    const std::vector<Item> confirmation = ReadScreen("confirmation.xml");
    EXPECT_EQ((std::vector<std::string>{"BtnYes:2", "BtnNo:3"}), Names(confirmation, "button"));
    for (int kind : {Game::CConfirmationState::KindQuit, Game::CConfirmationState::KindToMenu,
                     Game::CConfirmationState::KindRestart})
        EXPECT_EQ(1u, displaysOf(confirmation).count(Game::CConfirmationState::QuestionElement(kind))) << kind;

    // A transition ends only by its own timed button: a fading move that pops the screen.
    for (const char* screen : {"transitin.xml", "transitout.xml"}) {
        int timers = 0;
        for (const Item& item : ReadScreen(screen)) {
            const auto& v = item.values;
            timers += item.tag == "button" && v.at("linear_enabled") == "1" && v.at("tween_fade") != "0" &&
                      v.at("linear_tween") != v.at("position") && std::stof(v.at("tween_speed")) > 0.0f &&
                      v.at("callback_id") == "3";
        }
        EXPECT_EQ(1, timers) << screen;
    }
}

} // namespace
