#include "GfxFixture.h"

#include "platform/gfx/Font.h"
#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"

using namespace gfx;
using gfxtest::DeviceFixture;

namespace {

const uint32_t kBackground = 0xFF102030;

// Linear filtering blends a little across texel borders.
::testing::AssertionResult Near(uint32_t actual, uint32_t expected)
{
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = (actual >> shift) & 0xFF, e = (expected >> shift) & 0xFF;
        if (a - e > 16 || e - a > 16)
            return ::testing::AssertionFailure() << std::hex << actual << " is not near " << expected;
    }
    return ::testing::AssertionSuccess();
}

class SpriteFontTest : public DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        m_Batch = SpriteBatch::Create(Dev());
        // A 2 x 2 texture: red, green on top; blue, white below.
        const uint8_t pixels[16] = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255};
        m_Texture = Texture::FromPixels(Dev(), 2, 2, pixels, false);
        Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, kBackground, 1.0f, 0);
    }
    void TearDown() override
    {
        m_Batch.reset();
        m_Texture.reset();
        DeviceFixture::TearDown();
    }

    // Pixels that differ from the background, and their bounds.
    int Changed(int& left, int& top, int& right, int& bottom)
    {
        const std::vector<uint32_t> screen = Screen();
        int count = 0;
        left = top = kWidth;
        right = bottom = -1;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (screen[static_cast<size_t>(y) * kWidth + x] != kBackground) {
                    ++count;
                    left = std::min(left, x);
                    right = std::max(right, x);
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
        return count;
    }

    std::unique_ptr<SpriteBatch> m_Batch;
    std::unique_ptr<Texture> m_Texture;
};

TEST_F(SpriteFontTest, SpritesLandAroundTheirCentreInTargetPixels)
{
    Dev().SetRenderState(RenderState::ZEnable, 1);
    Dev().SetRenderState(RenderState::CullMode, CULL_CCW);
    m_Batch->Begin(SpriteBatch::ALPHABLEND);
    // Scaled by 10: the 2 x 2 texture covers 20 x 20 pixels, centred on (30, 40).
    Matrix scale;
    scale(0, 0) = 10.0f;
    scale(1, 1) = 10.0f;
    scale(3, 0) = 30.0f;
    scale(3, 1) = 40.0f;
    m_Batch->SetTransform(scale);
    const float centre[3] = {1, 1, 0};
    m_Batch->Draw(m_Texture.get(), nullptr, centre, nullptr, 0xFFFFFFFF);
    // The source rectangle of the bottom-right texel only, at (70, 70), tinted half red.
    m_Batch->SetTransform(Matrix::Identity());
    const PixelRect white{1, 1, 2, 2};
    const float position[3] = {70, 70, 0};
    m_Batch->Draw(m_Texture.get(), &white, nullptr, position, 0xFF800000);
    m_Batch->End();

    EXPECT_TRUE(Near(Pixel(22, 32), 0xFFFF0000u)); // top-left texel, clamped at the edge
    EXPECT_TRUE(Near(Pixel(34, 34), 0xFF00FF00u));
    EXPECT_TRUE(Near(Pixel(25, 45), 0xFF0000FFu));
    EXPECT_TRUE(Near(Pixel(38, 48), 0xFFFFFFFFu));
    EXPECT_EQ(Pixel(19, 40), kBackground);
    EXPECT_EQ(Pixel(30, 51), kBackground);
    EXPECT_EQ(Pixel(70, 70), 0xFF800000u);
    EXPECT_EQ(Pixel(71, 70), kBackground);
    // The device is as the batch found it.
    EXPECT_EQ(Dev().GetRenderState(RenderState::ZEnable), 1u);
    EXPECT_EQ(Dev().GetRenderState(RenderState::CullMode), CULL_CCW);
    EXPECT_EQ(Dev().GetRenderState(RenderState::AlphaBlendEnable), 0u);
}

TEST_F(SpriteFontTest, SpritesAreClippedToTheViewportButKeepAbsolutePositions)
{
    Dev().SetViewport({0, 50, 100, 50, 0.0f, 1.0f});
    m_Batch->Begin(SpriteBatch::ALPHABLEND);
    Matrix scale;
    scale(0, 0) = 20.0f;
    scale(1, 1) = 20.0f;
    scale(3, 0) = 10.0f;
    scale(3, 1) = 30.0f; // rows 30 to 69: the upper half lies above the viewport
    m_Batch->SetTransform(scale);
    m_Batch->Draw(m_Texture.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF);
    m_Batch->End();
    int left, top, right, bottom;
    EXPECT_EQ(Changed(left, top, right, bottom), 40 * 20);
    EXPECT_EQ(top, 50);
    EXPECT_EQ(bottom, 69);
    EXPECT_EQ(left, 10);
    EXPECT_EQ(right, 49);
}

TEST_F(SpriteFontTest, DrawingNeedsBeginAndATexture)
{
    m_Batch->Draw(m_Texture.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF); // before Begin
    m_Batch->Begin(0);
    m_Batch->Draw(nullptr, nullptr, nullptr, nullptr, 0xFFFFFFFF);
    auto doomed = Texture::FromPixels(Dev(), 1, 1, std::vector<uint8_t>(4, 255).data(), false);
    m_Batch->Draw(doomed.get(), nullptr, nullptr, nullptr, 0xFFFFFFFF);
    doomed.reset(); // queued quads of a destroyed texture are dropped
    m_Batch->End();
    int left, top, right, bottom;
    EXPECT_EQ(Changed(left, top, right, bottom), 0);
}

TEST(FontFilesTest, FamiliesMapToInstalledFaces)
{
    const struct {
        const char* family;
        bool bold, italic;
        const char* expected;
    } cases[] = {
        {"Arial", false, false, "LiberationSans-Regular.ttf"},  {"Arial", true, false, "LiberationSans-Bold.ttf"},
        {"Arial", true, true, "LiberationSans-BoldItalic.ttf"}, {"Comic Sans MS", false, false, "DejaVuSans.ttf"},
        {"Tahoma", false, true, "DejaVuSans-Oblique.ttf"},
    };
    for (const auto& c : cases) {
        const std::string file = FindFontFile(c.family, c.bold, c.italic);
        ASSERT_FALSE(file.empty()) << c.family;
        EXPECT_EQ(file.substr(file.rfind('/') + 1), c.expected) << c.family << " " << c.bold << c.italic;
    }
}

TEST_F(SpriteFontTest, TextStaysInsideItsRectangleAndBreaksLines)
{
    std::string error;
    auto font = Font::Create(Dev(), "Arial", 16, true, false, error);
    ASSERT_NE(font, nullptr) << error;
    m_Batch->Begin(SpriteBatch::ALPHABLEND);
    font->DrawText(*m_Batch, "WWWWWWWWWWWW\nWWWWWWWWWWWW\nWWWWWWWWWWWW", PixelRect{10, 20, 60, 45}, 0xFFFFFFFF);
    m_Batch->End();
    int left, top, right, bottom;
    EXPECT_GT(Changed(left, top, right, bottom), 100);
    EXPECT_GE(left, 10);
    EXPECT_GE(top, 20);
    EXPECT_LE(right, 59);
    EXPECT_LE(bottom, 44);
    EXPECT_GT(bottom, 20 + font->GetLineHeight()); // the second line is drawn, cut at the bottom
}

} // namespace
