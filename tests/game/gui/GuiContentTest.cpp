// The GUI's sprite sheets: every font has one frame per printable character, named by the
// character, every button the three frames the screens play, and the generator reproduces the
// committed images and sprite entries byte for byte.
#include "support/TestSupport.h"

#include "core/CXmlDocument.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

using testsupport::ReadFile;
using testsupport::SourceDir;

TEST(GuiContentTest, FontsHaveEveryPrintableCharacterAndButtonsTheirThreeStates)
{
    Vesk::CXmlDocument sprites;
    ASSERT_TRUE(sprites.Load(SourceDir() + "/bin/assets/sprites.xml"));
    const auto animations = [&](const char* sheet) {
        std::set<std::string> names;
        const Vesk::CXmlElement element = sprites.GetRoot().FirstChildElement(sheet);
        EXPECT_NE(element, nullptr) << sheet;
        if (element == nullptr)
            return names;
        for (Vesk::CXmlElement a = element.FirstChildElement("animation"); a != nullptr; ++a)
            names.insert(a.GetAttribute("name"));
        return names;
    };
    for (const char* font : {"GameFont", "GameFontWhite", "GameFontRed", "GameFontGreen", "GameFontYellow"}) {
        const std::set<std::string> names = animations(font);
        EXPECT_EQ(names.size(), 95u) << font;
        for (char c = ' '; c <= '~'; ++c)
            EXPECT_EQ(names.count(std::string(1, c)), 1u) << font << " '" << c << "'";
    }
    for (const char* button : {"Btn", "BtnYes", "BtnNo", "BtnBack", "OptionsVolumeLeft", "OptionsVolumeRight"})
        EXPECT_EQ(animations(button), (std::set<std::string>{"idle", "mouseover", "mouseclick"})) << button;
    EXPECT_EQ(animations("AnimCursor"), (std::set<std::string>{"idle", "active"}));
    std::set<std::string> volume;
    for (int step = 0; step <= 10; ++step)
        volume.insert("vol" + std::to_string(step));
    EXPECT_EQ(animations("OptionsVolume"), volume);
}

TEST(GuiContentTest, TheGeneratorReproducesTheCommittedSheets)
{
    testsupport::ScratchDir dir;
    testsupport::CopyTree(SourceDir() + "/bin/assets/textures", dir.File("textures"));
    testsupport::WriteFile(dir.File("sprites.xml"), ReadFile(SourceDir() + "/bin/assets/sprites.xml"));
    const std::string exe =
        testsupport::GameExecutable().substr(0, testsupport::GameExecutable().rfind('/')) + "/gen_gui_sprites";
    const std::string command = "'" + exe + "' '" + dir.Path() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(ReadFile(dir.File("sprites.xml")) == ReadFile(SourceDir() + "/bin/assets/sprites.xml"));
    for (const char* file : {"gamefont.png", "gamefont_red.png", "btn_yes.png", "btn_prev.png", "screen_credits.png",
                             "screen_controls_chart.png", "howto_text1.png", "screen_volume.png",
                             "screen_options_panel.png", "screen_confirm_menu.png", "screen_shade.png"})
        EXPECT_TRUE(ReadFile(dir.File(std::string("textures/") + file)) ==
                    ReadFile(SourceDir() + "/bin/assets/textures/" + file))
            << file;
}

} // namespace
