// Materials from their definitions (colours, texture, effect parameters, lights, techniques) and
// what Apply and RenderMesh send to the effect, call by call, through a recording effect.
#include "RecordingEffect.h"
#include "ResourceFixture.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CDXMaterial.h"
#include "resources/CDXRenderTarget.h"
#include "resources/CDXTexture.h"
#include "resources/CResManager.h"
#include "resources/IMesh.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using restest::RecordingEffect;
using Vesk::CDXMaterial;
using Vesk::CDXRenderTarget;
using Vesk::CDXTexture;
using Vesk::CResManager;

namespace {

const char* const kMaterials = R"(<materials>
  <default><diffuse r="0.5" g="0.5" b="0.5"/></default>
  <diffuseonly><diffuse r="0.25" g="0.5"/></diffuseonly>
  <full>
    <diffuse r="1" g="0.5" b="0.25"/>
    <ambient r="0.1" g="0.2" b="0.3"/>
    <specular r="0.4" g="0.5" b="0.6" power="12.5"/>
    <emissive r="0.7" g="0.8" b="0.9"/>
    <texture path="tex/base.png"/>
    <shader path="fx/rec.fx">
      <technique name="First"/>
      <float3 name="f3" value="1 2"/>
      <texture name="both" path="tex/a.png" rendertarget="shadow"/>
      <float name="f1" value="7.5"/>
      <texture name="target" rendertarget="shadow"/>
      <texture name="unknowntarget" rendertarget="nosuchtarget"/>
      <float2 name="f2" value="3 4 5"/>
      <light index="5" parameters="all"/>
      <light index="-1" parameters="lightpos"/>
      <light parameters="other"/>
      <texture name="neither"/>
      <float value="1"/>
      <unknown name="x"/>
      <technique name="Second"/>
    </shader>
  </full>
  <notechniques><shader path="fx/rec.fx"><float name="f" value="1"/></shader></notechniques>
  <brokenshader><shader path="fx/missing.fx"><technique name="T"/><float name="f" value="1"/></shader></brokenshader>
</materials>)";

class MaterialTest : public restest::ResourceTest {
protected:
    void SetUp() override
    {
        restest::Definitions definitions;
        definitions.materials = kMaterials;
        ASSERT_TRUE(Start(definitions));
        auto effect = std::make_unique<RecordingEffect>(
            std::vector<std::string>{"worldViewProjection", "world", "projection"}, std::vector<unsigned>{1, 2});
        effect->SetTechniques({"First", "Second"});
        m_Effect = effect.get();
        CResManager<Vesk::CDXEffect>::GetInstance().Adopt("fx/rec.fx", std::move(effect));
        m_TextureA = CResManager<CDXTexture>::GetInstance().Adopt("tex/a.png", std::make_unique<CDXTexture>());
        m_BaseTexture = CResManager<CDXTexture>::GetInstance().Adopt("tex/base.png", std::make_unique<CDXTexture>());
        m_Shadow = CResManager<CDXRenderTarget>::GetInstance().Adopt("shadow", std::make_unique<CDXRenderTarget>());
        m_DefaultTarget =
            CResManager<CDXRenderTarget>::GetInstance().Adopt("default", std::make_unique<CDXRenderTarget>());
    }
    void TearDown() override
    {
        Vesk::CCameraManager::GetInstance().Shutdown();
        ResourceTest::TearDown();
    }

    RecordingEffect* m_Effect = nullptr;
    CDXTexture* m_TextureA = nullptr;
    CDXTexture* m_BaseTexture = nullptr;
    CDXRenderTarget* m_Shadow = nullptr;
    CDXRenderTarget* m_DefaultTarget = nullptr;
};

std::vector<float> Colour(const gfx::ColorValue& c) { return {c.r, c.g, c.b, c.a}; }

class RecordingMesh : public Vesk::IMesh {
public:
    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Render() override { ++draws; }
    int draws = 0;
};

} // namespace

TEST_F(MaterialTest, ColoursFromTheirElementsWithMissingValuesAndAlphaZero)
{
    struct Case {
        const char* material;
        std::vector<float> diffuse, ambient, specular, emissive;
        float power;
    };
    const Case cases[] = {
        {"diffuseonly", {0.25f, 0.5f, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0, 0}, 0.0f},
        {"full", {1, 0.5f, 0.25f, 0}, {0.1f, 0.2f, 0.3f, 0}, {0.4f, 0.5f, 0.6f, 0}, {0.7f, 0.8f, 0.9f, 0}, 12.5f},
    };
    for (const Case& c : cases) {
        CDXMaterial* material = CResManager<CDXMaterial>::GetOrDefault(c.material);
        ASSERT_NE(nullptr, material);
        const gfx::Material& m = material->GetMaterial();
        EXPECT_EQ(c.diffuse, Colour(m.diffuse)) << c.material;
        EXPECT_EQ(c.ambient, Colour(m.ambient)) << c.material;
        EXPECT_EQ(c.specular, Colour(m.specular)) << c.material;
        EXPECT_EQ(c.emissive, Colour(m.emissive)) << c.material;
        EXPECT_EQ(c.power, m.power) << c.material;
    }
    // A name without an element falls back to "default".
    EXPECT_EQ(CResManager<CDXMaterial>::GetOrDefault("default"), CResManager<CDXMaterial>::GetOrDefault("nosuch"));
    EXPECT_EQ(nullptr, CResManager<CDXMaterial>::GetInstance().Find("nosuch"));
}

TEST_F(MaterialTest, ShaderChildrenFillTheParameterListsInFileOrder)
{
    CDXMaterial* material = CResManager<CDXMaterial>::GetOrDefault("full");
    ASSERT_NE(nullptr, material);
    EXPECT_EQ(m_BaseTexture, material->GetTexture());
    EXPECT_EQ(m_Effect, material->GetEffect());
    EXPECT_EQ((std::vector<std::string>{"First", "Second"}), material->GetTechniques());
    EXPECT_EQ(2, material->GetTechniqueCount());
    EXPECT_EQ("Second", material->GetTechniqueName(1));
    EXPECT_EQ("", material->GetTechniqueName(2));

    // A path wins over a render target; an unknown target falls back to "default".
    ASSERT_EQ(1u, material->GetTextureParameters().size());
    EXPECT_EQ("both", material->GetTextureParameters()[0].name);
    EXPECT_EQ(m_TextureA, material->GetTextureParameters()[0].texture);
    ASSERT_EQ(2u, material->GetRenderTargetParameters().size());
    EXPECT_EQ(m_Shadow, material->GetRenderTargetParameters()[0].target);
    EXPECT_EQ("unknowntarget", material->GetRenderTargetParameters()[1].name);
    EXPECT_EQ(m_DefaultTarget, material->GetRenderTargetParameters()[1].target);

    // Missing numbers stay 0; extra numbers are not read; nameless children are dropped.
    ASSERT_EQ(1u, material->GetFloatParameters().size());
    EXPECT_EQ(7.5f, material->GetFloatParameters()[0].value[0]);
    ASSERT_EQ(1u, material->GetFloat2Parameters().size());
    EXPECT_EQ(3.0f, material->GetFloat2Parameters()[0].value[0]);
    EXPECT_EQ(4.0f, material->GetFloat2Parameters()[0].value[1]);
    ASSERT_EQ(1u, material->GetFloat3Parameters().size());
    const float* f3 = material->GetFloat3Parameters()[0].value;
    EXPECT_EQ((std::vector<float>{1, 2, 0}), std::vector<float>(f3, f3 + 3));

    // Light bindings are kept although the scene has no lights yet.
    ASSERT_EQ(0, Vesk::CRenderer::GetInstance().GetLightCount());
    ASSERT_EQ(3u, material->GetLights().size());
    const std::pair<int, int> lights[] = {
        {5, CDXMaterial::LightAll}, {-1, CDXMaterial::LightPositionOnly}, {0, CDXMaterial::LightNothing}};
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(lights[i].first, material->GetLights()[i].index) << i;
        EXPECT_EQ(lights[i].second, material->GetLights()[i].mode) << i;
    }

    // Without an effect the shader's children are not read.
    CDXMaterial* broken = CResManager<CDXMaterial>::GetOrDefault("brokenshader");
    ASSERT_NE(nullptr, broken);
    EXPECT_EQ(nullptr, broken->GetEffect());
    EXPECT_EQ(0, broken->GetTechniqueCount());
    EXPECT_TRUE(broken->GetFloatParameters().empty());
}

TEST_F(MaterialTest, ApplySendsMatricesEveryTimeAndSharedValuesOnlyWithUpload)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
    gfx::Matrix view, projection;
    view.m[14] = 5.0f;
    projection.m[0] = projection.m[5] = 2.0f;
    renderer.SetViewMatrix(view);
    renderer.SetProjectionMatrix(projection);
    CDXMaterial* material = CResManager<CDXMaterial>::GetOrDefault("full");
    ASSERT_NE(nullptr, material);

    CMatrix4 world;
    world(0, 3) = 1.0f;
    world(1, 3) = 2.0f;
    world(2, 3) = 3.0f;
    material->Apply(world, true);
    // Before the scene has lights, the bindings send nothing.
    EXPECT_EQ((std::vector<std::string>{"matrix worldViewProjection", "matrix world", "matrix projection",
                                        "SetTexture both", "SetTexture target", "SetTexture unknowntarget",
                                        "SetFloat2 f2", "SetFloat f1", "SetFloat3 f3"}),
              m_Effect->Names());
    const std::vector<float> expectedWvp = {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0, 2, 4, 8, 1};
    EXPECT_EQ(expectedWvp, m_Effect->calls[0].values);
    EXPECT_EQ(1.0f, m_Effect->calls[1].values[12]) << "world reaches the effect in Direct3D form";
    EXPECT_EQ(3.0f, m_Effect->calls[1].values[14]);
    EXPECT_EQ(m_TextureA, m_Effect->calls[3].pointer);
    EXPECT_EQ(m_Shadow->GetTexture(), m_Effect->calls[4].pointer);
    EXPECT_EQ(m_DefaultTarget->GetTexture(), m_Effect->calls[5].pointer);
    EXPECT_EQ((std::vector<float>{3, 4}), m_Effect->calls[6].values);

    // Lights added after loading apply: index 5 of two takes the second, -1 the first.
    renderer.AddLight();
    renderer.AddLight();
    renderer.GetLight(0)->m_Position[0] = 10.0f;
    Vesk::CLight* second = renderer.GetLight(1);
    second->m_Type = 1;
    second->m_Position[1] = 20.0f;
    second->m_Power = 50.0f;
    m_Effect->calls.clear();
    material->Apply(world, true);
    const std::vector<std::string> names = m_Effect->Names();
    const std::vector<std::string> lightCalls(names.begin() + 9, names.end());
    EXPECT_EQ((std::vector<std::string>{"SetInt lighttype", "SetFloat3 lightpos", "SetFloat3 lightdir",
                                        "SetFloat4 lightambient", "SetFloat4 lightdiffuse", "SetFloat4 lightspecular",
                                        "SetFloat lightpower", "SetFloat3 distattcoeff", "SetFloat3 spotatt",
                                        "SetFloat3 eyepos", "SetFloat3 lightpos"}),
              lightCalls);
    EXPECT_EQ((std::vector<float>{1}), m_Effect->calls[9].values);
    EXPECT_EQ((std::vector<float>{0, 20, 0}), m_Effect->calls[10].values);
    EXPECT_EQ((std::vector<float>{0, 0, 1}), m_Effect->calls[11].values);
    EXPECT_EQ((std::vector<float>{0.2f, 0.2f, 0.2f, 0.2f}), m_Effect->calls[12].values);
    EXPECT_EQ((std::vector<float>{50}), m_Effect->calls[15].values);
    EXPECT_EQ((std::vector<float>{1, 0.1f, 0}), m_Effect->calls[16].values);
    EXPECT_EQ((std::vector<float>{15, 30, 1}), m_Effect->calls[17].values);
    EXPECT_EQ((std::vector<float>{0, 0, -40}), m_Effect->calls[18].values) << "the current camera's eye";
    EXPECT_EQ((std::vector<float>{10, 0, 0}), m_Effect->calls[19].values);

    // Every item of a run gets its own matrices, without the shared values.
    m_Effect->calls.clear();
    world(0, 3) = -1.0f;
    material->Apply(world, false);
    EXPECT_EQ((std::vector<std::string>{"matrix worldViewProjection", "matrix world", "matrix projection"}),
              m_Effect->Names());
    EXPECT_EQ(-1.0f, m_Effect->calls[1].values[12]);

    // Without a current camera no matrix is sent.
    Vesk::CCameraManager::GetInstance().Shutdown();
    m_Effect->calls.clear();
    material->Apply(world, false);
    EXPECT_TRUE(m_Effect->calls.empty());
}

TEST_F(MaterialTest, RenderMeshRunsEveryPassOfEveryTechniqueOrDrawsOnceWithoutAnEffect)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    CMatrix4 world;
    world(0, 3) = 6.0f;
    RecordingMesh mesh;

    CDXMaterial* plain = CResManager<CDXMaterial>::GetOrDefault("default");
    ASSERT_NE(nullptr, plain);
    plain->Apply(world, true); // no effect: nothing to send, nothing breaks
    plain->RenderMesh(&mesh, world);
    EXPECT_EQ(1, mesh.draws);
    EXPECT_EQ(6.0f, renderer.GetWorldMatrix()(0, 3));

    CDXMaterial* full = CResManager<CDXMaterial>::GetOrDefault("full");
    mesh.draws = 0;
    m_Effect->calls.clear();
    world(0, 3) = 7.0f;
    full->RenderMesh(&mesh, world);
    EXPECT_EQ(3, mesh.draws);
    EXPECT_EQ(7.0f, renderer.GetWorldMatrix()(0, 3));
    // Apply's uploads come first (no camera here, so no matrices), then the technique loop.
    const std::vector<std::string> names = m_Effect->Names();
    ASSERT_LE(12u, names.size());
    EXPECT_EQ("SetTexture both", names.front());
    EXPECT_EQ((std::vector<std::string>{"SetTechnique First", "Begin First", "BeginPass 0", "EndPass", "End",
                                        "SetTechnique Second", "Begin Second", "BeginPass 0", "EndPass", "BeginPass 1",
                                        "EndPass", "End"}),
              std::vector<std::string>(names.end() - 12, names.end()));

    CDXMaterial* none = CResManager<CDXMaterial>::GetOrDefault("notechniques");
    mesh.draws = 0;
    none->RenderMesh(&mesh, world);
    none->RenderMesh(nullptr, world);
    EXPECT_EQ(0, mesh.draws);
}
