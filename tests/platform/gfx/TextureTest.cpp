#include "GfxFixture.h"

#include "platform/gfx/SpriteBatch.h"
#include "platform/gfx/Texture.h"
#include "support/TestSupport.h"

#include <stb/stb_image_write.h>

using namespace gfx;
using gfxtest::DeviceFixture;

namespace {

using TextureTest = DeviceFixture;

// A 4 x 2 PNG: the top row red, the bottom row blue.
std::string WritePng(const testsupport::ScratchDir& dir)
{
    uint8_t pixels[4 * 2 * 4];
    for (int i = 0; i < 8; ++i) {
        const bool top = i < 4;
        pixels[i * 4 + 0] = top ? 255 : 0;
        pixels[i * 4 + 1] = 0;
        pixels[i * 4 + 2] = top ? 0 : 255;
        pixels[i * 4 + 3] = 255;
    }
    const std::string path = dir.File("two-rows.png");
    EXPECT_NE(stbi_write_png(path.c_str(), 4, 2, 4, pixels, 16), 0);
    return path;
}

TEST_F(TextureTest, FilesLoadWithTheirFirstRowOnTop)
{
    testsupport::ScratchDir dir;
    std::string error;
    auto texture = Texture::FromFile(Dev(), WritePng(dir), error);
    ASSERT_NE(texture, nullptr) << error;
    EXPECT_EQ(texture->Width(), 4);
    EXPECT_EQ(texture->Height(), 2);

    // Texture coordinates with v = 0 at the top of the image, as Direct3D has them.
    auto batch = SpriteBatch::Create(Dev());
    Dev().Clear(CLEAR_TARGET, 0xFF000000, 1.0f, 0);
    batch->Begin(0);
    batch->DrawQuad(texture.get(), 10, 10, 50, 50, 0.0f, 0.0f, 1.0f, 0.25f, 0xFFFFFFFF);
    batch->DrawQuad(texture.get(), 60, 10, 90, 50, 0.0f, 0.75f, 1.0f, 1.0f, 0xFFFFFFFF);
    batch->End();
    EXPECT_EQ(Pixel(30, 30), 0xFFFF0000u);
    EXPECT_EQ(Pixel(75, 30), 0xFF0000FFu);
}

TEST_F(TextureTest, RequestedSizesScaleAndBadFilesFail)
{
    testsupport::ScratchDir dir;
    std::string error;
    auto scaled = Texture::FromFile(Dev(), WritePng(dir), error, 64, 32);
    ASSERT_NE(scaled, nullptr) << error;
    EXPECT_EQ(scaled->Width(), 64);
    EXPECT_EQ(scaled->Height(), 32);

    testsupport::WriteFile(dir.File("garbage.png"), "not an image at all");
    const struct {
        std::string path;
    } cases[] = {{dir.File("missing.png")}, {dir.File("garbage.png")}, {dir.Path()}, {"/dev/zero"}};
    for (const auto& c : cases) {
        error.clear();
        EXPECT_EQ(Texture::FromFile(Dev(), c.path, error), nullptr) << c.path;
        EXPECT_NE(error.find(c.path), std::string::npos) << error;
    }
    EXPECT_EQ(Texture::FromPixels(Dev(), 0, 4, nullptr, false), nullptr);
}

} // namespace
