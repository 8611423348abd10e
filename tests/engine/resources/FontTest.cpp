// Fonts from their definitions (weight names, italic, family), the order of SetText's colour
// bytes, and text drawn through the renderer's text batch into its rectangle only.
#include "ResourceFixture.h"

#include "platform/gfx/Device.h"
#include "render/CRenderer.h"
#include "resources/CDXFont.h"
#include "resources/CResManager.h"

#include <gtest/gtest.h>

using Vesk::CDXFont;
using Vesk::CResManager;

namespace {

const char* const kFonts = R"(<fonts>
  <default height="16"/>
  <lowerbold weight="bold" family="Arial"/>
  <black height="20" weight="BLACK" italic="true" family="Courier"/>
  <light weight="LIGHT" italic="TRUE"/>
  <regular weight="REGULAR" italic="false"/>
</fonts>)";

class FontTest : public restest::ResourceTest {};
class FontDrawTest : public restest::DeviceResourceTest {};

} // namespace

TEST_F(FontTest, DefinitionsGiveHeightWeightItalicAndFamily)
{
    restest::Definitions definitions;
    definitions.fonts = kFonts;
    ASSERT_TRUE(Start(definitions));
    struct Case {
        const char* name;
        int height, weight;
        bool italic;
        const char* family;
    };
    const Case cases[] = {
        {"default", 16, 400, false, "Arial"}, {"lowerbold", 0, 400, false, "Arial"},
        {"black", 20, 900, true, "Courier"},  {"light", 0, 300, false, "Arial"},
        {"regular", 0, 400, false, "Arial"},
    };
    for (const Case& c : cases) {
        CDXFont* font = CResManager<CDXFont>::GetOrDefault(c.name);
        ASSERT_NE(nullptr, font) << c.name;
        EXPECT_EQ(c.height, font->GetHeight()) << c.name;
        EXPECT_EQ(c.weight, font->GetWeight()) << c.name;
        EXPECT_EQ(c.italic, font->IsItalic()) << c.name;
        EXPECT_EQ(c.family, font->GetFamily()) << c.name;
        // Without a graphics device there is nothing to draw with, and drawing is harmless.
        EXPECT_FALSE(font->HasFont()) << c.name;
        font->Draw();
    }
    EXPECT_EQ(CResManager<CDXFont>::GetOrDefault("default"), CResManager<CDXFont>::GetOrDefault("unlisted"));
}

TEST_F(FontTest, SetTextTakesBlueBeforeGreenAndDrawPacksArgb)
{
    ASSERT_TRUE(Start());
    CDXFont* font = CResManager<CDXFont>::GetOrDefault("default");
    ASSERT_NE(nullptr, font);
    font->SetText("text", 10, 20, 300, 40, 255, 255, 0, 128);
    EXPECT_EQ("text", font->GetText());
    EXPECT_EQ(0xFFFF8000u, font->GetPackedColour());
    const gfx::PixelRect rect = font->GetPixelRect();
    EXPECT_EQ(20, rect.left);
    EXPECT_EQ(10, rect.top);
    EXPECT_EQ(300, rect.right);
    EXPECT_EQ(40, rect.bottom);
}

TEST_F(FontDrawTest, TextAppearsInsideItsRectangleOnly)
{
    ASSERT_TRUE(Start());
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    CDXFont* font = CResManager<CDXFont>::GetOrDefault("default");
    ASSERT_NE(nullptr, font);
    ASSERT_TRUE(font->HasFont());
    gfx::Device& device = *renderer.GetDevice();
    device.SetViewport({0, 0, device.GetBackBufferWidth(), device.GetBackBufferHeight(), 0.0f, 1.0f});
    device.Clear(gfx::CLEAR_TARGET, 0xFF000000, 1.0f, 0);

    // A wide string cut by the right edge of its rectangle, in white.
    font->SetText("MMMMMMMMMMMMMMMMMMMMMMMM", 100, 100, 160, 130, 255, 255, 255, 255);
    renderer.GetTextSpriteBatch()->Begin(gfx::SpriteBatch::ALPHABLEND);
    font->Draw();
    renderer.GetTextSpriteBatch()->End();

    const std::vector<uint32_t> pixels = device.ReadPixels(90, 90, 100, 50);
    int inside = 0, outside = 0;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 100; ++x) {
            const bool lit = (pixels[static_cast<size_t>(y * 100 + x)] & 0xFF) > 0x80;
            const bool within = x >= 10 && x < 70 && y >= 10 && y < 40;
            (within ? inside : outside) += lit ? 1 : 0;
        }
    }
    EXPECT_LT(100, inside);
    EXPECT_EQ(0, outside);
}
