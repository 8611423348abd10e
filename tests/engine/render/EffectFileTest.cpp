// Our effect file format read into effect descriptions, and effect loading with its reports.
#include "render/EffectFile.h"

#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "window/CWindowSystem.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

using namespace Vesk;
using testsupport::ScratchDir;
using testsupport::WriteFile;

namespace {

const char* const kShaders = R"(
  <common>uniform vec4 colour;</common>
  <vertex name="vs">layout(location = POSITION0) in vec3 p; void main() { gl_Position = vec4(p, 1.0); }</vertex>
  <fragment name="fs">out vec4 c; void main() { c = colour; }</fragment>
)";

std::string Effect(const std::string& techniques)
{
    return std::string("<effect>") + kShaders + techniques + "</effect>";
}

TEST(EffectFileTest, TechniquesPassesAndStates)
{
    ScratchDir dir;
    WriteFile(dir.File("a.fx.xml"), Effect(R"(<technique name="Default"><pass vertex="vs" fragment="fs"/></technique>
                        <technique name="Particles">
                          <pass vertex="vs" fragment="fs" zwrite="false" blend="srcalpha one" cull="none"/>
                          <pass vertex="vs" fragment="fs" zenable="true" fill="wireframe" blend="none"/>
                        </technique>)"));
    gfx::EffectDesc desc;
    std::string error;
    ASSERT_EQ(ReadEffectFile(dir.File("a.fx.xml"), desc, error), EffectFileResult::Ok) << error;
    ASSERT_EQ(desc.techniques.size(), 2u);
    EXPECT_EQ(desc.techniques[1].name, "Particles");
    ASSERT_EQ(desc.techniques[1].passes.size(), 2u);
    EXPECT_NE(desc.techniques[0].passes[0].vertexSource.find("uniform vec4 colour;"), std::string::npos);
    EXPECT_TRUE(desc.techniques[0].passes[0].states.empty());

    using gfx::RenderState;
    const std::vector<std::pair<RenderState, uint32_t>> first = {{RenderState::ZWriteEnable, 0},
                                                                 {RenderState::CullMode, gfx::CULL_NONE},
                                                                 {RenderState::AlphaBlendEnable, 1},
                                                                 {RenderState::SrcBlend, gfx::BLEND_SRCALPHA},
                                                                 {RenderState::DestBlend, gfx::BLEND_ONE}};
    EXPECT_EQ(desc.techniques[1].passes[0].states, first);
    const std::vector<std::pair<RenderState, uint32_t>> second = {
        {RenderState::ZEnable, 1}, {RenderState::FillMode, gfx::FILL_WIREFRAME}, {RenderState::AlphaBlendEnable, 0}};
    EXPECT_EQ(desc.techniques[1].passes[1].states, second);
}

TEST(EffectFileTest, BadFilesAreRejected)
{
    ScratchDir dir;
    const struct {
        const char* name;
        std::string contents;
        EffectFileResult expected;
        const char* message;
    } cases[] = {
        {"missing", "", EffectFileResult::Unreadable, "cannot read"},
        {"not xml", "<effect><technique>", EffectFileResult::Unreadable, "cannot read"},
        {"unknown shader", Effect(R"(<technique name="T"><pass vertex="nope" fragment="fs"/></technique>)"),
         EffectFileResult::Invalid, "technique \"T\" pass 0: unknown"},
        {"no fragment", Effect(R"(<technique name="T"><pass vertex="vs"/></technique>)"), EffectFileResult::Invalid,
         "unknown"},
        {"bad blend", Effect(R"(<technique name="T"><pass vertex="vs" fragment="fs" blend="srcalpha"/></technique>)"),
         EffectFileResult::Invalid, "blend"},
        {"bad bool", Effect(R"(<technique name="T"><pass vertex="vs" fragment="fs" zwrite="yes"/></technique>)"),
         EffectFileResult::Invalid, "zwrite"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.File(std::string(c.name) + ".xml");
        if (!c.contents.empty())
            WriteFile(path, c.contents);
        gfx::EffectDesc desc;
        std::string error;
        EXPECT_EQ(ReadEffectFile(path, desc, error), c.expected) << c.name;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }
}

class EffectLoadingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(CCameraManager::GetInstance().Init());
        ASSERT_TRUE(CWindowSystem::GetInstance().CreateMainWindow(0, 0, 800, 600, "effect test", false));
        ASSERT_TRUE(CRenderer::GetInstance().Init()) << CRenderer::GetInstance().GetErrorMessage();
        m_Device = CRenderer::GetInstance().GetDevice();
    }
    void TearDown() override
    {
        CRenderer::GetInstance().Shutdown();
        CWindowSystem::GetInstance().DestroyMainWindow();
        CCameraManager::GetInstance().Shutdown();
    }
    gfx::Device* m_Device = nullptr;
};

TEST_F(EffectLoadingTest, CompileErrorsShowTheShaderErrorBox)
{
    ScratchDir dir;
    WriteFile(dir.File("good.xml"),
              Effect(R"(<technique name="Default"><pass vertex="vs" fragment="fs"/></technique>)"));
    WriteFile(dir.File("bad.xml"), "<effect><vertex name=\"vs\">void main() { oops }</vertex><fragment name=\"fs\">"
                                   "void main() {}</fragment><technique name=\"T\"><pass vertex=\"vs\" "
                                   "fragment=\"fs\"/></technique></effect>");

    testing::internal::CaptureStderr();
    auto good = LoadEffectFile(*m_Device, dir.File("good.xml"));
    auto bad = LoadEffectFile(*m_Device, dir.File("bad.xml"));
    auto missing = LoadEffectFile(*m_Device, dir.File("missing.xml"));
    const std::string output = testing::internal::GetCapturedStderr();
    const bool goodHasColour = good && good->GetParameterByName("colour") != gfx::Effect::kNoHandle;
    good.reset(); // before the device goes

    EXPECT_TRUE(goodHasColour);
    EXPECT_EQ(bad, nullptr);
    EXPECT_EQ(missing, nullptr);
    EXPECT_NE(output.find("SHADER ERROR: " + dir.File("bad.xml")), std::string::npos) << output;
    EXPECT_NE(output.find("vertex shader"), std::string::npos) << output;
    EXPECT_EQ(output.find("SHADER ERROR: " + dir.File("missing.xml")), std::string::npos) << output;
    EXPECT_NE(output.find("cannot read effect file"), std::string::npos) << output;
}

} // namespace
