// Effects on the graphics device: techniques and parameters resolved apart, the transpose on
// the way to the shaders, the pass loop of RenderMesh, and effects that do not build.
#include "ResourceFixture.h"

#include "platform/gfx/Device.h"
#include "render/CRenderer.h"
#include "resources/CDXEffect.h"
#include "resources/CDXMaterial.h"
#include "resources/CResManager.h"
#include "resources/IMesh.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using Vesk::CDXEffect;
using Vesk::CDXMaterial;
using Vesk::CResManager;

namespace {

// "colour" is both a technique and a parameter; "Red" has two passes.
const char* const kEffect = R"(<effect>
  <common>uniform mat4 transform; uniform vec4 colour;</common>
  <vertex name="vs">layout(location = POSITION0) in vec3 p;
    void main() { gl_Position = transform * vec4(p, 1.0); }</vertex>
  <fragment name="param">out vec4 c; void main() { c = colour; }</fragment>
  <fragment name="red">out vec4 c; void main() { c = vec4(1.0, 0.0, 0.0, 1.0); }</fragment>
  <technique name="colour"><pass vertex="vs" fragment="param"/></technique>
  <technique name="Red"><pass vertex="vs" fragment="red"/><pass vertex="vs" fragment="red"/></technique>
</effect>)";

const uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlack = 0xFF000000;

// A square of clip-space half size 0.1 around the origin, drawn as a strip.
class QuadMesh : public Vesk::IMesh {
public:
    bool Load(const std::string&) override
    {
        gfx::Device& device = *Vesk::CRenderer::GetInstance().GetDevice();
        const float corners[] = {-0.1f, 0.1f, 0.5f, 0.1f, 0.1f, 0.5f, -0.1f, -0.1f, 0.5f, 0.1f, -0.1f, 0.5f};
        m_Buffer = gfx::VertexBuffer::Create(device, sizeof(corners), false);
        std::memcpy(m_Buffer->Lock(0, 0, 0), corners, sizeof(corners));
        m_Buffer->Unlock();
        return true;
    }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Render() override
    {
        gfx::Device& device = *Vesk::CRenderer::GetInstance().GetDevice();
        device.SetFVF(gfx::FVF_XYZ);
        device.SetStreamSource(0, m_Buffer.get(), 0, 12);
        device.DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2);
        ++draws;
    }
    int draws = 0;

private:
    std::unique_ptr<gfx::VertexBuffer> m_Buffer;
};

class CDXEffectTest : public restest::DeviceResourceTest {
protected:
    void SetUp() override
    {
        DeviceResourceTest::SetUp();
        if (IsSkipped())
            return;
        restest::Definitions definitions;
        definitions.materials = "<materials><default/>"
                                "<both><shader path=\"fx/test.fx\"><technique name=\"colour\"/>"
                                "<technique name=\"Red\"/></shader></both></materials>";
        ASSERT_TRUE(Start(definitions));
        testsupport::WriteFile(File("fx/test.fx"), kEffect);
        gfx::Device& device = *Vesk::CRenderer::GetInstance().GetDevice();
        device.SetViewport({0, 0, device.GetBackBufferWidth(), device.GetBackBufferHeight(), 0.0f, 1.0f});
        m_Width = device.GetBackBufferWidth();
        m_Height = device.GetBackBufferHeight();
        ASSERT_TRUE(m_Quad.Load(""));
    }

    void Clear()
    {
        Vesk::CRenderer::GetInstance().GetDevice()->Clear(gfx::CLEAR_TARGET | gfx::CLEAR_ZBUFFER, kBlack, 1.0f, 0);
    }

    // Draws the quad once with the technique.
    void Draw(CDXEffect& effect, const std::string& technique)
    {
        effect.SetTechnique(technique);
        unsigned passes = 0;
        effect.Begin(&passes);
        effect.BeginPass(0);
        m_Quad.Render();
        effect.EndPass();
        effect.End();
    }

    QuadMesh m_Quad;
    int m_Width = 0, m_Height = 0;
};

} // namespace

TEST_F(CDXEffectTest, TechniquesAndParametersOfOneNameResolveApartAndMatricesArriveTransposed)
{
    CDXEffect* effect = CResManager<CDXEffect>::GetInstance().GetResource("fx/test.fx", "fx/test.fx");
    ASSERT_NE(nullptr, effect);

    // A translation in the last column of the engine's matrix moves the quad half a screen right.
    CMatrix4 transform;
    transform(0, 3) = 0.5f;
    effect->SetMatrix("transform", transform);
    const float green[4] = {0.0f, 1.0f, 0.0f, 1.0f};
    effect->SetFloat4("colour", green);
    effect->SetFloat("nosuchparameter", 1.0f);
    effect->SetFloat("nosuchparameter", 1.0f);
    effect->SetTexture("colour", nullptr);
    Clear();
    Draw(*effect, "colour");
    const int x = m_Width * 3 / 4, y = m_Height / 2;
    EXPECT_EQ(kGreen, Pixel(x, y));
    EXPECT_EQ(kBlack, Pixel(m_Width / 2, y));

    Draw(*effect, "Red");
    EXPECT_EQ(kRed, Pixel(x, y));
    // An unknown technique leaves the current one selected.
    Draw(*effect, "nosuchtechnique");
    EXPECT_EQ(kRed, Pixel(x, y));
}

TEST_F(CDXEffectTest, RenderMeshDrawsOncePerPassOfEveryListedTechnique)
{
    CDXMaterial* material = CResManager<CDXMaterial>::GetOrDefault("both");
    ASSERT_NE(nullptr, material);
    ASSERT_NE(nullptr, material->GetEffect());
    material->GetEffect()->RenderMesh(material, &m_Quad);
    EXPECT_EQ(3, m_Quad.draws);

    CDXMaterial* plain = CResManager<CDXMaterial>::GetOrDefault("default");
    m_Quad.draws = 0;
    material->GetEffect()->RenderMesh(plain, &m_Quad);
    EXPECT_EQ(0, m_Quad.draws);
}

TEST_F(CDXEffectTest, EffectsThatDoNotBuildAreReportedAndNotCached)
{
    testsupport::WriteFile(File("fx/broken.fx"),
                           "<effect><vertex name=\"vs\">void main() { gl_Position = undefinedThing; }</vertex>"
                           "<fragment name=\"fs\">out vec4 c; void main() { c = vec4(1.0); }</fragment>"
                           "<technique name=\"Default\"><pass vertex=\"vs\" fragment=\"fs\"/></technique></effect>");
    testing::internal::CaptureStderr();
    EXPECT_EQ(nullptr, CResManager<CDXEffect>::GetInstance().GetResource("fx/broken.fx", "fx/broken.fx"));
    EXPECT_EQ(nullptr, CResManager<CDXEffect>::GetInstance().GetResource("fx/missing.fx", "fx/missing.fx"));
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, errors.find("SHADER ERROR: fx/broken.fx")) << errors;
    EXPECT_EQ(0u, CResManager<CDXEffect>::GetInstance().GetCount());
}
