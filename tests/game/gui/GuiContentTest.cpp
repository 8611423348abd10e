// The GUI's sprite sheets: every font has one frame per printable character, named by the
// character, and every button the three frames the screens play.
#include "support/TestSupport.h"

#include "core/CXmlDocument.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

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

} // namespace
