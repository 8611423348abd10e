// The skill trees' content: every crest the skill list shows has a sprite sheet in
// bin/assets/sprites.xml with its image.
#include "support/TestSupport.h"

#include "core/CXmlDocument.h"

#include <gtest/gtest.h>

namespace {

using testsupport::SourceDir;

const char* const kCrests[][2] = {
    {"FlameCrest", "flamecrest.png"}, {"WindCrest", "windcrest.png"}, {"LightningCrest", "lightningcrest.png"}};

TEST(SkillContentTest, EveryCrestHasItsSheet)
{
    Vesk::CXmlDocument sprites;
    ASSERT_TRUE(sprites.Load(SourceDir() + "/bin/assets/sprites.xml"));
    for (const auto& crest : kCrests) {
        const Vesk::CXmlElement sheet = sprites.GetRoot().FirstChildElement(crest[0]);
        ASSERT_TRUE(sheet != nullptr) << crest[0];
        const char* path = sheet.FirstChildElement("texture").GetAttribute("path");
        ASSERT_NE(nullptr, path) << crest[0];
        const std::string texture = path;
        EXPECT_EQ(std::string("assets/textures/") + crest[1], texture) << crest[0];
        EXPECT_FALSE(testsupport::ReadFile(SourceDir() + "/bin/" + texture).empty()) << texture;
    }
}

} // namespace
