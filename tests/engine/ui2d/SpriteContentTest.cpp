// The repository's sprite sheets: every sheet in "assets/sprites.xml" loads with its image and the
// cursor has the animations the GUI plays.
#include "Display2DFixture.h"

#include "core/CXmlDocument.h"
#include "resources/CDXSprite.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <gtest/gtest.h>

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

} // namespace
