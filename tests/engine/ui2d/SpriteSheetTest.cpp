// Sprite sheets read from their definitions: the frame grid, the animation list (frames counted
// from 1 in the file and within the grid, the first of a name kept, broken entries skipped or
// ending the list),
// refused definitions falling back to "default", and the colour a frame is drawn with.
#include "Display2DFixture.h"

#include "resources/CDXSprite.h"
#include "resources/CResManager.h"

#include <gtest/gtest.h>

using Vesk::CDXSprite;
using Vesk::CResManager;

namespace {

using SpriteSheetTest = ui2dtest::Display2DTest;

CDXSprite* Load(const std::string& name) { return CResManager<CDXSprite>::GetInstance().GetResource(name, name); }

TEST_F(SpriteSheetTest, FramesAreCutRowByRowAndAnimationsReadUntilOneIsIncomplete)
{
    StartSprites(ui2dtest::SpriteDefinitions(
        "<walker><dimension width=\"256\" height=\"128\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"
        "<animation name=\"walk\" fps=\"10\" start=\"1\" end=\"4\"/>"
        "<animation name=\"still\" fps=\"0\" start=\"1\" end=\"2\"/>"
        "<animation name=\"back\" fps=\"5\" start=\"4\" end=\"2\"/>"
        "<animation name=\"zero\" fps=\"5\" start=\"0\" end=\"2\"/>"
        "<animation name=\"pastgrid\" fps=\"5\" start=\"8\" end=\"9\"/>"
        "<animation name=\"huge\" fps=\"5\" start=\"2147483647\" end=\"2147483647\"/>"
        "<animation name=\"walk\" fps=\"1\" start=\"2\" end=\"3\"/>"
        "<cue name=\"hop\" fps=\"2\" start=\"5\" end=\"8\"/>"
        "<animation name=\"late\" start=\"1\" end=\"2\"/>"
        "<animation name=\"never\" fps=\"1\" start=\"1\" end=\"1\"/></walker>"));
    const CDXSprite* sheet = Load("walker");
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->GetFrameWidth(), 64u);
    EXPECT_EQ(sheet->GetFrameHeight(), 64u);
    EXPECT_FLOAT_EQ(sheet->GetCenterX(), 32.0f);
    EXPECT_FLOAT_EQ(sheet->GetCenterY(), 32.0f);
    EXPECT_EQ(sheet->GetTexturePath(), "tiles.png");
    int left, top, right, bottom;
    sheet->GetFrameRect(5, left, top, right, bottom);
    EXPECT_EQ(left, 64);
    EXPECT_EQ(top, 64);
    EXPECT_EQ(right, 128);
    EXPECT_EQ(bottom, 128);

    // Entries without speed, with frames before 1 or past the grid's 8, or running backwards
    // are skipped; the entry without "fps" ends the list.
    const Vesk::SpriteAnimationMap& animations = sheet->GetAnimations();
    ASSERT_EQ(animations.size(), 2u);
    EXPECT_EQ(animations.at("walk").firstFrame, 0);
    EXPECT_EQ(animations.at("walk").lastFrame, 3);
    EXPECT_FLOAT_EQ(animations.at("walk").secondsPerFrame, 0.1f);
    EXPECT_EQ(animations.at("hop").firstFrame, 4);
    EXPECT_EQ(animations.at("hop").lastFrame, 7);
    EXPECT_FLOAT_EQ(animations.at("hop").secondsPerFrame, 0.5f);
}

TEST_F(SpriteSheetTest, FrameSizesComeFromTheGridAndDropTheRemainder)
{
    const struct {
        const char* dimension;
        unsigned frameWidth, frameHeight;
    } cases[] = {
        {"width=\"70\" height=\"50\" xgrid=\"4\" ygrid=\"2\"", 17, 25},
        {"width=\"16\" height=\"16\" xgrid=\"1\" ygrid=\"1\"", 16, 16},
        // Missing values keep 50 x 50 pixels in 10 x 10 frames.
        {"xgrid=\"2\" ygrid=\"5\"", 25, 10},
        {"width=\"100\" height=\"20\"", 10, 2},
    };
    std::string sheets;
    for (size_t i = 0; i < std::size(cases); ++i)
        sheets += "<s" + std::to_string(i) + "><dimension " + cases[i].dimension +
                  "/><texture path=\"tiles.png\"/></s" + std::to_string(i) + ">";
    StartSprites(ui2dtest::SpriteDefinitions(sheets));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const CDXSprite* sheet = Load("s" + std::to_string(i));
        ASSERT_NE(sheet, nullptr) << cases[i].dimension;
        EXPECT_EQ(sheet->GetFrameWidth(), cases[i].frameWidth) << cases[i].dimension;
        EXPECT_EQ(sheet->GetFrameHeight(), cases[i].frameHeight) << cases[i].dimension;
    }
}

TEST_F(SpriteSheetTest, UnusableDefinitionsFallBackToDefault)
{
    testsupport::WriteFile(File("notanimage.png"), "plain text");
    const struct {
        const char* name;
        const char* body;
    } cases[] = {
        {"nodimension", "<texture path=\"tiles.png\"/>"},
        {"nogrid", "<dimension width=\"64\" height=\"32\" xgrid=\"0\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"},
        {"negativegrid",
         "<dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"-1\"/><texture path=\"tiles.png\"/>"},
        {"nowidth", "<dimension width=\"0\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"},
        {"hugewidth",
         "<dimension width=\"100000\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"tiles.png\"/>"},
        {"notexture", "<dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/>"},
        {"nopath", "<dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture/>"},
        {"nofile", "<dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"absent.png\"/>"},
        {"notimage",
         "<dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/><texture path=\"notanimage.png\"/>"},
    };
    std::string sheets;
    for (const auto& c : cases)
        sheets += std::string("<") + c.name + ">" + c.body + "</" + c.name + ">";
    StartSprites(ui2dtest::SpriteDefinitions(sheets));
    CDXSprite* fallback = Load("default");
    ASSERT_NE(fallback, nullptr);
    for (const auto& c : cases) {
        EXPECT_EQ(Load(c.name), nullptr) << c.name;
        EXPECT_EQ(CResManager<CDXSprite>::GetOrDefault(c.name), fallback) << c.name;
    }
    EXPECT_EQ(CResManager<CDXSprite>::GetOrDefault("undefined"), fallback);
}

TEST_F(SpriteSheetTest, ColoursArePackedAsArgbAfterClamping)
{
    StartSprites(ui2dtest::SpriteDefinitions());
    CDXSprite* sheet = Load("tiles");
    ASSERT_NE(sheet, nullptr);
    const struct {
        float r, g, b, a;
        uint32_t argb;
    } cases[] = {
        {1.0f, 0.5f, 0.0f, 1.0f, 0xFFFF7F00},
        {0.0f, 0.0f, 0.0f, 0.5f, 0x7F000000},
        // A tween overshooting 1 stays opaque instead of wrapping round to transparent.
        {1.004f, 2.0f, -1.0f, 1.004f, 0xFFFFFF00},
    };
    for (const auto& c : cases) {
        sheet->SetColor({c.r, c.g, c.b, c.a});
        EXPECT_EQ(sheet->GetPackedColor(), c.argb) << c.r << " " << c.g << " " << c.b << " " << c.a;
    }
}

} // namespace
