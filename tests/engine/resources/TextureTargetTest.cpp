// File textures and render targets on the graphics device: loading, binding, the size rule,
// clearing, saving, and the release and re-creation around a device reset.
#include "ResourceFixture.h"

#include "platform/gfx/Device.h"
#include "platform/gfx/RenderTarget.h"
#include "render/CRenderer.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <gtest/gtest.h>

#include <filesystem>

using Vesk::CDXMaterial;
using Vesk::CDXRenderTarget;
using Vesk::CDXTexture;
using Vesk::CResManager;

namespace {

class TextureTargetTest : public restest::DeviceResourceTest {
protected:
    void SetUp() override
    {
        DeviceResourceTest::SetUp();
        if (IsSkipped())
            return;
        restest::Definitions definitions;
        definitions.rendertargets = "<rendertargets>"
                                    "<default width=\"32\" height=\"16\"/>"
                                    "<depth width=\"8\" height=\"8\" usedepthbuffer=\"true\"/>"
                                    "<shouting width=\"8\" height=\"8\" usedepthbuffer=\"TRUE\"/>"
                                    "<nowidth height=\"8\"/>"
                                    "<zero width=\"0\" height=\"8\"/>"
                                    "<negative width=\"8\" height=\"-1\"/>"
                                    "</rendertargets>";
        definitions.materials = "<materials><default/>"
                                "<textured><texture path=\"tex/check.bmp\"/></textured></materials>";
        ASSERT_TRUE(Start(definitions));
        // Two pixels: blue, then red.
        std::filesystem::create_directories(File("tex"));
        ASSERT_TRUE(gfx::SaveBMP(File("tex/check.bmp"), 2, 1, {0xFF0000FF, 0xFFFF0000}));
    }

    gfx::Device& Device() { return *Vesk::CRenderer::GetInstance().GetDevice(); }
};

} // namespace

TEST_F(TextureTargetTest, FileTexturesLoadBindAndFailWithoutBeingCached)
{
    CResManager<CDXTexture>& textures = CResManager<CDXTexture>::GetInstance();
    CDXTexture* texture = textures.GetResource("tex/check.bmp", "tex/check.bmp");
    ASSERT_NE(nullptr, texture);
    ASSERT_NE(nullptr, texture->GetTexture());
    EXPECT_EQ(2, texture->GetTexture()->Width());
    texture->Bind();
    EXPECT_EQ(texture->GetTexture(), Device().GetTexture(0));

    // A material without a texture does not leave the previous one bound.
    CDXMaterial* textured = CResManager<CDXMaterial>::GetOrDefault("textured");
    CDXMaterial* plain = CResManager<CDXMaterial>::GetOrDefault("default");
    ASSERT_NE(textured, plain);
    textured->Bind();
    EXPECT_EQ(texture->GetTexture(), Device().GetTexture(0));
    plain->Bind();
    EXPECT_EQ(nullptr, Device().GetTexture(0));

    testsupport::WriteFile(File("tex/garbage.png"), "not an image");
    EXPECT_EQ(nullptr, textures.GetResource("tex/garbage.png", "tex/garbage.png"));
    EXPECT_EQ(nullptr, textures.GetResource("tex/none.png", "tex/none.png"));
    EXPECT_EQ(1u, textures.GetCount());
}

TEST_F(TextureTargetTest, TargetsNeedAPositiveSizeAndTakeADepthBufferOnlyForTrue)
{
    struct Case {
        const char* name;
        const char* loadedAs; // the cache entry GetOrDefault returns
        int width, height;
        bool depth;
    };
    const Case cases[] = {
        {"default", "default", 32, 16, false},  {"depth", "depth", 8, 8, true},
        {"shouting", "shouting", 8, 8, false},  {"nowidth", "default", 32, 16, false},
        {"zero", "default", 32, 16, false},     {"negative", "default", 32, 16, false},
        {"unlisted", "default", 32, 16, false},
    };
    CResManager<CDXRenderTarget>& targets = CResManager<CDXRenderTarget>::GetInstance();
    for (const Case& c : cases) {
        CDXRenderTarget* target = CResManager<CDXRenderTarget>::GetOrDefault(c.name);
        ASSERT_NE(nullptr, target) << c.name;
        EXPECT_EQ(targets.Find(c.loadedAs), target) << c.name;
        EXPECT_EQ(c.width, target->GetWidth()) << c.name;
        EXPECT_EQ(c.height, target->GetHeight()) << c.name;
        EXPECT_EQ(c.depth, target->HasDepthBuffer()) << c.name;
        ASSERT_NE(nullptr, target->GetTexture()->GetTexture()) << c.name;
        EXPECT_EQ(c.width, target->GetTexture()->GetTexture()->Width()) << c.name;
    }
}

TEST_F(TextureTargetTest, ClearLeavesTransparentBlackAndSavingWritesTheBitmap)
{
    CDXRenderTarget* target = CResManager<CDXRenderTarget>::GetOrDefault("default");
    ASSERT_NE(nullptr, target);
    target->BeginScene();
    Device().Clear(gfx::CLEAR_TARGET, 0xFF336699, 1.0f, 0);
    target->Clear();
    EXPECT_EQ(std::vector<uint32_t>(4, 0x00000000u), Device().ReadPixels(0, 0, 2, 2));
    Device().Clear(gfx::CLEAR_TARGET, 0xFF336699, 1.0f, 0);
    target->SaveToFile();
    target->EndScene();

    const std::string bmp = testsupport::ReadFile(File("test.bmp"));
    ASSERT_EQ(54u + 32u * 3u * 16u, bmp.size());
    EXPECT_EQ("BM", bmp.substr(0, 2));
    EXPECT_EQ(0x99, static_cast<unsigned char>(bmp[54]));
    EXPECT_EQ(0x66, static_cast<unsigned char>(bmp[55]));
    EXPECT_EQ(0x33, static_cast<unsigned char>(bmp[56]));
}

TEST_F(TextureTargetTest, ALostTargetIsMadeAgainOnResetAndStaysUnusedWhenThatFails)
{
    CDXRenderTarget* target = CResManager<CDXRenderTarget>::GetOrDefault("depth");
    ASSERT_NE(nullptr, target);
    CDXTexture* view = target->GetTexture();
    ASSERT_NE(nullptr, view->GetTexture());

    Vesk::CResourceManager::GetInstance().OnLostDevice();
    EXPECT_FALSE(target->IsValid());
    EXPECT_EQ(nullptr, view->GetTexture());
    Vesk::CResourceManager::GetInstance().OnResetDevice();
    EXPECT_TRUE(target->IsValid());
    EXPECT_EQ(view, target->GetTexture()) << "materials keep handing out the same texture object";
    ASSERT_NE(nullptr, view->GetTexture());
    EXPECT_EQ(8, view->GetTexture()->Width());

    // Without a device the target cannot be made again: it stays unused, and drawing, clearing
    // and saving through it do nothing.
    target->OnLostDevice();
    Vesk::CRenderer::GetInstance().Shutdown();
    testing::internal::CaptureStderr();
    target->OnResetDevice();
    EXPECT_NE(std::string::npos, testing::internal::GetCapturedStderr().find("stays unused"));
    EXPECT_FALSE(target->IsValid());
    target->BeginScene();
    target->Clear();
    target->SaveToFile();
    target->EndScene();
    EXPECT_FALSE(testsupport::FileExists(File("test.bmp")));
}
