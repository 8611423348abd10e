// The skill trees' content: every crest the skill list shows has a sprite sheet in
// bin/assets/sprites.xml with its image, and the generator reproduces the committed images.
#include "support/TestSupport.h"

#include "core/CXmlDocument.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using testsupport::ReadFile;
using testsupport::SourceDir;

const char* const kCrests[][2] = {
    {"FlameCrest", "flamecrest.png"}, {"WindCrest", "windcrest.png"}, {"LightningCrest", "lightningcrest.png"}};

TEST(SkillContentTest, EveryCrestHasItsSheetAndTheGeneratorReproducesIt)
{
    Vesk::CXmlDocument sprites;
    ASSERT_TRUE(sprites.Load(SourceDir() + "/bin/assets/sprites.xml"));
    testsupport::ScratchDir dir;
    const std::string exe =
        testsupport::GameExecutable().substr(0, testsupport::GameExecutable().rfind('/')) + "/gen_skill_sprites";
    const std::string command = "'" + exe + "' '" + dir.Path() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const auto& crest : kCrests) {
        const Vesk::CXmlElement sheet = sprites.GetRoot().FirstChildElement(crest[0]);
        ASSERT_TRUE(sheet != nullptr) << crest[0];
        const char* path = sheet.FirstChildElement("texture").GetAttribute("path");
        ASSERT_NE(nullptr, path) << crest[0];
        const std::string texture = path;
        EXPECT_EQ(std::string("assets/textures/") + crest[1], texture) << crest[0];
        const std::string committed = ReadFile(SourceDir() + "/bin/" + texture);
        EXPECT_FALSE(committed.empty()) << texture;
        EXPECT_TRUE(ReadFile(dir.File(crest[1])) == committed) << crest[1];
    }
}

} // namespace
