// The repository's sprite sheets: every sheet in "assets/sprites.xml" loads with its image, the
// cursor has the animations the GUI plays, and the generator reproduces the images exactly.
#include "Display2DFixture.h"

#include "core/CXmlDocument.h"
#include "resources/CDXSprite.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <gtest/gtest.h>

#include <cstdlib>

using testsupport::ReadFile;
using testsupport::SourceDir;
using Vesk::CDXSprite;
using Vesk::CResManager;

namespace {

using SpriteContentTest = ui2dtest::Display2DTest;

TEST_F(SpriteContentTest, EverySheetLoadsAndTheCursorHasItsAnimations)
{
    ASSERT_TRUE(StartWithRepositoryAssets());
    const Vesk::CXmlDocument& sprites = Vesk::CResourceManager::GetInstance().GetSpriteDefinitions();
    int sheets = 0;
    for (Vesk::CXmlElement sheet = sprites.GetRoot().FirstChildElement(); sheet != nullptr; ++sheet, ++sheets)
        EXPECT_NE(CResManager<CDXSprite>::GetInstance().GetResource(sheet.GetName(), sheet.GetName()), nullptr)
            << sheet.GetName();
    EXPECT_GE(sheets, 2);

    const CDXSprite* cursor = CResManager<CDXSprite>::GetInstance().Find("AnimCursor");
    ASSERT_NE(cursor, nullptr);
    for (const char* animation : {"idle", "active"})
        EXPECT_EQ(cursor->GetAnimations().count(animation), 1u) << animation;
}

TEST(SpriteGeneratorTest, ReproducesTheCommittedImages)
{
    testsupport::ScratchDir dir;
    const std::string exe =
        testsupport::GameExecutable().substr(0, testsupport::GameExecutable().rfind('/')) + "/gen_sprites";
    const std::string command = "'" + exe + "' '" + dir.Path() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    EXPECT_TRUE(ReadFile(dir.File("animcursor.png")) == ReadFile(SourceDir() + "/bin/assets/textures/animcursor.png"));
}

} // namespace
