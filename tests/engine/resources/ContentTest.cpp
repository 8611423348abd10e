// The repository's resource definitions on the graphics device: every material, effect file,
// render target and the default mesh load; and a mesh drawn through the default material with a
// light shows a lit and an unlit side.
#include "ResourceFixture.h"

#include "core/CXmlDocument.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CDXEffect.h"
#include "resources/CDXFont.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "resources/IMesh.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace Vesk;

namespace {

class RepositoryContentTest : public restest::DeviceResourceTest {
protected:
    void SetUp() override
    {
        DeviceResourceTest::SetUp();
        if (IsSkipped())
            return;
        ASSERT_TRUE(StartWithRepositoryAssets()) << CResourceManager::GetInstance().GetErrorMessage();
    }
};

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

} // namespace

TEST_F(RepositoryContentTest, EveryDefinitionLoadsWithItsEffectTextureOrFontFile)
{
    const CXmlElement materials = CResourceManager::GetInstance().GetMaterialDefinitions().GetRoot();
    for (CXmlElement m = materials.FirstChildElement(); m != nullptr; ++m) {
        const std::string name = m.GetName();
        CDXMaterial* material = CResManager<CDXMaterial>::GetInstance().GetResource(name, name);
        ASSERT_NE(nullptr, material) << name;
        if (m.FirstChildElement("shader") != nullptr) {
            EXPECT_NE(nullptr, material->GetEffect()) << name;
            EXPECT_LT(0, material->GetTechniqueCount()) << name;
        }
    }
    for (const auto& entry : std::filesystem::directory_iterator(File("assets/shaders"))) {
        const std::string path = "assets/shaders/" + entry.path().filename().string();
        EXPECT_NE(nullptr, CResManager<CDXEffect>::GetInstance().GetResource(path, path)) << path;
    }
    const CXmlElement targets = CResourceManager::GetInstance().GetRenderTargetDefinitions().GetRoot();
    for (CXmlElement t = targets.FirstChildElement(); t != nullptr; ++t)
        EXPECT_NE(nullptr, CResManager<CDXRenderTarget>::GetInstance().GetResource(t.GetName(), t.GetName()))
            << t.GetName();
    EXPECT_TRUE(CResManager<CDXRenderTarget>::GetOrDefault("shadow")->HasDepthBuffer());

    const CXmlElement fonts = CResourceManager::GetInstance().GetFontDefinitions().GetRoot();
    for (CXmlElement f = fonts.FirstChildElement(); f != nullptr; ++f) {
        CDXFont* font = CResManager<CDXFont>::GetInstance().GetResource(f.GetName(), f.GetName());
        ASSERT_NE(nullptr, font) << f.GetName();
        EXPECT_TRUE(font->HasFont()) << f.GetName();
    }
    // Sprite sheets are read by the sprite resources; here only their images must load.
    const CXmlElement sprites = CResourceManager::GetInstance().GetSpriteDefinitions().GetRoot();
    for (CXmlElement s = sprites.FirstChildElement(); s != nullptr; ++s) {
        const CXmlElement texture = s.FirstChildElement("texture");
        ASSERT_TRUE(texture != nullptr && texture.GetAttribute("path")) << s.GetName();
        const std::string path = texture.GetAttribute("path");
        EXPECT_NE(nullptr, CResManager<CDXTexture>::GetInstance().GetResource(path, path)) << s.GetName();
    }

    IMesh* mesh = CResourceManager::GetInstance().LoadMesh("default");
    ASSERT_NE(nullptr, mesh);
    EXPECT_EQ(0.5f, mesh->GetAABB().max.x);
}

TEST_F(RepositoryContentTest, AMeshThroughTheDefaultMaterialIsLitOnTheSideFacingTheLight)
{
    CRenderer& renderer = CRenderer::GetInstance();
    // Light from the left (pointing along +x).
    CLight* light = renderer.GetLight(renderer.AddLight());
    light->m_Type = 1;
    light->m_Direction[0] = 1.0f;
    light->m_Direction[2] = 0.0f;

    IMesh* cube = CResourceManager::GetInstance().LoadMesh("default");
    CDXMaterial* material = CResManager<CDXMaterial>::GetOrDefault("default");
    ASSERT_NE(nullptr, cube);
    ASSERT_NE(nullptr, material->GetEffect());

    // A cube ten units wide, turned by 45 degrees about y: its left face looks towards the light
    // and the camera, its right face away from the light.
    CMatrix4 world;
    world.RotationY(45.0f);
    for (unsigned r = 0; r < 3; ++r)
        for (unsigned c = 0; c < 3; ++c)
            world(r, c) *= 10.0f;

    renderer.SetDefaultRenderStates();
    renderer.ClearViewport();
    CCamera& camera = *CCameraManager::GetInstance().GetCurrentCamera();
    camera.Reset();
    camera.Update(0.0f);
    material->RenderMesh(cube, world);

    const int cx = renderer.GetScreenWidth() / 2, cy = renderer.GetScreenHeight() / 2;
    const uint32_t lit = Pixel(cx - 40, cy), unlit = Pixel(cx + 40, cy);
    // diffuse 0.8 x (material ambient 0.15 + light ambient 0.2 + light diffuse 0.7 x cos 45)
    EXPECT_NEAR(172, Channel(lit, 16), 4) << std::hex << lit;
    EXPECT_NEAR(172, Channel(lit, 0), 4) << std::hex << lit;
    // diffuse 0.8 x (0.15 + 0.2): ambient only.
    EXPECT_NEAR(71, Channel(unlit, 16), 3) << std::hex << unlit;
    EXPECT_EQ(0xFF373737u, Pixel(cx - 200, cy)) << "the viewport's grey beside the cube";
}
