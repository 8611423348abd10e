#include "GfxFixture.h"

#include "platform/gfx/Effect.h"
#include "platform/gfx/Texture.h"

#include <cstring>

using namespace gfx;
using gfxtest::DeviceFixture;
using gfxtest::MakeBuffer;

namespace {

const char* const kVertex = R"(
layout(location = POSITION0) in vec3 aPosition;
uniform mat4 worldViewProjection;
void main() { gl_Position = worldViewProjection * vec4(aPosition, 1.0); }
)";

const char* const kFragment = R"(
uniform vec4 colour;
uniform sampler2D tint;
uniform int useTint;
out vec4 fragColor;
void main() { fragColor = useTint != 0 ? colour * texture(tint, vec2(0.5)) : colour; }
)";

EffectDesc TwoTechniques()
{
    EffectDesc desc;
    EffectPassDesc opaque{kVertex, kFragment, {{RenderState::CullMode, CULL_NONE}}};
    EffectPassDesc blended{kVertex,
                           kFragment,
                           {{RenderState::AlphaBlendEnable, 1},
                            {RenderState::SrcBlend, BLEND_SRCALPHA},
                            {RenderState::DestBlend, BLEND_INVSRCALPHA}}};
    desc.techniques.push_back({"Default", {opaque}});
    desc.techniques.push_back({"Blended", {blended, opaque}});
    return desc;
}

class EffectTest : public DeviceFixture {
protected:
    void SetUp() override
    {
        DeviceFixture::SetUp();
        std::string log;
        m_Effect = Effect::Create(Dev(), TwoTechniques(), log);
        ASSERT_NE(m_Effect, nullptr) << log;
        // A square of half-size 0.5 around the origin.
        m_Quad = MakeBuffer(
            Dev(), {-0.5f, 0.5f, 0, 0.5f, 0.5f, 0, 0.5f, -0.5f, 0, -0.5f, 0.5f, 0, 0.5f, -0.5f, 0, -0.5f, -0.5f, 0});
    }
    void TearDown() override
    {
        m_Effect.reset();
        m_Quad.reset();
        DeviceFixture::TearDown();
    }

    void DrawWithEffect()
    {
        unsigned passes = 0;
        m_Effect->Begin(&passes);
        for (unsigned p = 0; p < passes; ++p) {
            m_Effect->BeginPass(p);
            Dev().SetFVF(FVF_XYZ);
            Dev().SetStreamSource(0, m_Quad.get(), 0, 12);
            Dev().DrawPrimitive(PrimitiveType::TriangleList, 0, 2);
            m_Effect->EndPass();
        }
        m_Effect->End();
    }

    std::unique_ptr<Effect> m_Effect;
    std::unique_ptr<VertexBuffer> m_Quad;
};

// A Direct3D-form matrix with the translation in its last row moves the square: (0.5, 0) in clip
// space puts its centre at pixel (75, 50).
TEST_F(EffectTest, MatricesInDirect3DFormReachTheShader)
{
    Matrix translate;
    translate(3, 0) = 0.5f;
    const float red[4] = {1, 0, 0, 1};
    m_Effect->SetMatrix(m_Effect->GetParameterByName("worldViewProjection"), translate.m);
    m_Effect->SetVector(m_Effect->GetParameterByName("colour"), red);
    Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    DrawWithEffect();
    EXPECT_EQ(Pixel(75, 50), 0xFFFF0000u);
    EXPECT_EQ(Pixel(60, 50), 0xFFFF0000u);
    EXPECT_EQ(Pixel(40, 50), 0xFF000000u);
    EXPECT_EQ(Dev().GetProgram(), nullptr); // back to the fixed-function emulation
}

TEST_F(EffectTest, NamesResolveSeparatelyAndUnknownOnesAreIgnored)
{
    EXPECT_EQ(m_Effect->GetTechniqueCount(), 2);
    EXPECT_EQ(m_Effect->GetTechniqueByName("Blended"), 1);
    EXPECT_EQ(m_Effect->GetTechniqueByName("colour"), Effect::kNoHandle);
    EXPECT_NE(m_Effect->GetParameterByName("colour"), Effect::kNoHandle);
    EXPECT_EQ(m_Effect->GetParameterByName("Default"), Effect::kNoHandle);
    EXPECT_EQ(m_Effect->GetParameterByName("lightpos"), Effect::kNoHandle);
    // Setting through no handle, or a value of the wrong kind, changes nothing and draws the same.
    const float values[3] = {1, 2, 3};
    m_Effect->SetFloatArray(Effect::kNoHandle, values, 3);
    m_Effect->SetTexture(m_Effect->GetParameterByName("colour"), nullptr);
    m_Effect->SetInt(Effect::kNoHandle, 4);
    unsigned passes = 0;
    m_Effect->SetTechnique(m_Effect->GetTechniqueByName("Blended"));
    m_Effect->Begin(&passes);
    m_Effect->End();
    EXPECT_EQ(passes, 2u);
}

TEST_F(EffectTest, PassStatesAreRestoredAtEnd)
{
    Dev().SetRenderState(RenderState::CullMode, CULL_CCW);
    Dev().SetRenderState(RenderState::AlphaBlendEnable, 0);
    m_Effect->SetTechnique(m_Effect->GetTechniqueByName("Blended"));
    unsigned passes = 0;
    m_Effect->Begin(&passes);
    m_Effect->BeginPass(0);
    EXPECT_EQ(Dev().GetRenderState(RenderState::AlphaBlendEnable), 1u);
    m_Effect->EndPass();
    m_Effect->BeginPass(1);
    EXPECT_EQ(Dev().GetRenderState(RenderState::CullMode), CULL_NONE);
    m_Effect->EndPass();
    m_Effect->End();
    EXPECT_EQ(Dev().GetRenderState(RenderState::AlphaBlendEnable), 0u);
    EXPECT_EQ(Dev().GetRenderState(RenderState::CullMode), CULL_CCW);
    EXPECT_EQ(Dev().GetRenderState(RenderState::SrcBlend), BLEND_ONE);
}

TEST_F(EffectTest, TexturesBindAndAreForgottenWhenDestroyed)
{
    const uint8_t green[4] = {0, 255, 0, 255};
    auto texture = Texture::FromPixels(Dev(), 1, 1, green, false);
    const float white[4] = {1, 1, 1, 1};
    m_Effect->SetMatrix(m_Effect->GetParameterByName("worldViewProjection"), Matrix::Identity().m);
    m_Effect->SetVector(m_Effect->GetParameterByName("colour"), white);
    m_Effect->SetInt(m_Effect->GetParameterByName("useTint"), 1);
    m_Effect->SetTexture(m_Effect->GetParameterByName("tint"), texture.get());
    Dev().Clear(CLEAR_TARGET, 0xFF000000, 1.0f, 0);
    DrawWithEffect();
    EXPECT_EQ(Pixel(50, 50), 0xFF00FF00u);

    texture.reset(); // the effect must not sample a destroyed texture
    Dev().Clear(CLEAR_TARGET, 0xFF000000, 1.0f, 0);
    DrawWithEffect();
    EXPECT_NE(Pixel(50, 50), 0xFF00FF00u);
}

TEST_F(EffectTest, CompileErrorsAreReportedByPass)
{
    EffectDesc broken = TwoTechniques();
    broken.techniques[1].passes[1].fragmentSource = "void main() { undefined_call(); }";
    std::string log;
    EXPECT_EQ(Effect::Create(Dev(), broken, log), nullptr);
    EXPECT_NE(log.find("technique \"Blended\" pass 1"), std::string::npos) << log;
    EXPECT_NE(log.find("fragment shader"), std::string::npos) << log;
}

} // namespace
