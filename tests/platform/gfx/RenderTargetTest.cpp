#include "GfxFixture.h"

#include "platform/gfx/RenderTarget.h"
#include "support/TestSupport.h"

#include <cstring>

using namespace gfx;
using gfxtest::DeviceFixture;
using gfxtest::MakeBuffer;

namespace {

uint32_t Read32(const std::string& bytes, size_t at)
{
    uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// The BMP pixel at (x, y) counted from the top, as ARGB with full alpha.
uint32_t BmpPixel(const std::string& bytes, int x, int y)
{
    const int width = static_cast<int>(Read32(bytes, 18));
    const int height = static_cast<int>(Read32(bytes, 22));
    const size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) & ~size_t(3);
    const size_t at = 54 + rowBytes * static_cast<size_t>(height - 1 - y) + static_cast<size_t>(x) * 3;
    return 0xFF000000u | uint32_t(uint8_t(bytes[at + 2])) << 16 | uint32_t(uint8_t(bytes[at + 1])) << 8 |
           uint8_t(bytes[at]);
}

using RenderTargetTest = DeviceFixture;

TEST_F(RenderTargetTest, DrawsIntoTheTargetAndSavesItAsBmp)
{
    auto target = RenderTarget::Create(Dev(), 30, 20, true);
    ASSERT_NE(target, nullptr);
    Dev().Clear(CLEAR_TARGET, 0xFF0000FF, 1.0f, 0);
    Dev().SetViewport({5, 5, 50, 50, 0.0f, 1.0f});

    target->BeginScene();
    EXPECT_EQ(Dev().GetViewport().width, 30);
    Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0x00000000, 1.0f, 0);
    EXPECT_EQ(Dev().ReadPixels(0, 0, 1, 1).at(0), 0x00000000u); // transparent black
    // A red triangle list covering the top half of the target (clip y from 0 to 1).
    const float red = [] {
        const uint32_t c = 0xFFFF0000;
        float f;
        std::memcpy(&f, &c, 4);
        return f;
    }();
    auto vb = MakeBuffer(Dev(), {-1, 1, 0.5f, red, 1, 1, 0.5f, red, 1,  0, 0.5f, red,
                                 -1, 1, 0.5f, red, 1, 0, 0.5f, red, -1, 0, 0.5f, red});
    Dev().SetRenderState(RenderState::Lighting, 0);
    Dev().SetRenderState(RenderState::CullMode, CULL_NONE);
    Dev().SetFVF(FVF_XYZ | FVF_DIFFUSE);
    Dev().SetStreamSource(0, vb.get(), 0, 16);
    Dev().DrawPrimitive(PrimitiveType::TriangleList, 0, 2);
    target->EndScene();

    // Back on the back buffer with the caller's viewport, which the target left alone.
    EXPECT_EQ(Dev().GetViewport().x, 5);
    EXPECT_EQ(Dev().GetViewport().width, 50);
    EXPECT_EQ(Pixel(0, 0), 0xFF0000FFu);

    testsupport::ScratchDir dir;
    ASSERT_TRUE(target->SaveToFile(dir.File("test.bmp")));
    const std::string bytes = testsupport::ReadFile(dir.File("test.bmp"));
    ASSERT_EQ(bytes.size(), 54u + 20u * 92u); // rows of 90 bytes padded to 92
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(Read32(bytes, 18), 30u);
    EXPECT_EQ(Read32(bytes, 22), 20u);
    EXPECT_EQ(BmpPixel(bytes, 15, 2), 0xFFFF0000u);  // the top half is red
    EXPECT_EQ(BmpPixel(bytes, 15, 17), 0xFF000000u); // the bottom half stayed clear
    EXPECT_FALSE(testsupport::FileExists(dir.File("test.bmp.tmp")));
}

TEST_F(RenderTargetTest, BadSizesAndPathsAreRefused)
{
    EXPECT_EQ(RenderTarget::Create(Dev(), 0, 16, false), nullptr);
    EXPECT_EQ(RenderTarget::Create(Dev(), 16, -1, true), nullptr);
    auto target = RenderTarget::Create(Dev(), 4, 4, false);
    ASSERT_NE(target, nullptr);
    EXPECT_FALSE(target->SaveToFile("/nonexistent-dir/test.bmp"));
    EXPECT_FALSE(SaveBMP("unused.bmp", 2, 2, {1, 2, 3}));
}

} // namespace
