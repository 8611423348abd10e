// Particle batches on the device: which names give a batch (a material with a shader) and the
// fallback for the rest, the copy of at most 500 particle records byte for byte, and what a frame
// sends to the effect (material values, camera matrices, the time step in and out of slow
// motion, the screen height, the first technique's first pass only), through recording effects.
#include "../resources/RecordingEffect.h"
#include "../resources/ResourceFixture.h"

#include "core/CFrameClock.h"
#include "particles/CDXParticles.h"
#include "particles/CParticleSystem.h"
#include "render/CRenderer.h"
#include "resources/CDXEffect.h"
#include "resources/CResManager.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

using restest::RecordingEffect;
using Vesk::CDXParticles;
using Vesk::CResManager;
using Vesk::ParticleVertex;

namespace {

const char* const kMaterials = R"(<materials>
  <default><diffuse r="1" g="1" b="1"/></default>
  <particle><shader path="fx/particle.fx"><float name="glow" value="2"/><technique name="Sparks"/>
    <technique name="Unused"/></shader></particle>
  <twopass><shader path="fx/twopass.fx"><technique name="Both"/></shader></twopass>
  <broken><shader path="fx/absent.fx"><technique name="T"/></shader></broken>
  <plain><diffuse r="1" g="1" b="1"/></plain>
</materials>)";

class ParticleBatchTest : public restest::DeviceResourceTest {
protected:
    void SetUp() override
    {
        restest::DeviceResourceTest::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        restest::Definitions definitions;
        definitions.materials = kMaterials;
        ASSERT_TRUE(Start(definitions));
        m_Effect = Adopt("fx/particle.fx", {1});
        m_TwoPasses = Adopt("fx/twopass.fx", {2});
    }
    void TearDown() override
    {
        // The batches cached here point at this test's materials: they go with them.
        testsupport::ResetManagers();
        restest::DeviceResourceTest::TearDown();
    }

    static RecordingEffect* Adopt(const std::string& path, std::vector<unsigned> passes)
    {
        auto effect = std::make_unique<RecordingEffect>(std::vector<std::string>{"viewProjection", "view"}, passes);
        RecordingEffect* recording = effect.get();
        CResManager<Vesk::CDXEffect>::GetInstance().Adopt(path, std::move(effect));
        return recording;
    }
    static CDXParticles* Batch(const std::string& name)
    {
        return CResManager<CDXParticles>::GetInstance().GetResource(name, name);
    }

    RecordingEffect* m_Effect = nullptr;
    RecordingEffect* m_TwoPasses = nullptr;
};

// count records whose bytes all differ from record to record.
std::vector<ParticleVertex> MakeParticles(size_t count)
{
    std::vector<ParticleVertex> particles(count);
    for (size_t i = 0; i < count; ++i) {
        float* values = particles[i].position;
        for (int v = 0; v < 16; ++v)
            values[v] = static_cast<float>(i * 16 + static_cast<size_t>(v));
    }
    return particles;
}

std::vector<const ParticleVertex*> Pointers(const std::vector<ParticleVertex>& particles)
{
    std::vector<const ParticleVertex*> pointers;
    for (const ParticleVertex& p : particles)
        pointers.push_back(&p);
    return pointers;
}

TEST_F(ParticleBatchTest, OnlyMaterialsWithAShaderGiveABatch)
{
    const struct {
        const char* name;
        bool loads;
    } cases[] = {{"particle", true}, {"particle 2000", true}, {"  twopass", true}, {"plain", false},
                 {"broken", false},  {"absent", false},       {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(Batch(c.name) != nullptr, c.loads) << '"' << c.name << '"';
    EXPECT_EQ(Batch("particle 2000")->GetMaterial(), Batch("particle")->GetMaterial());
    EXPECT_EQ(Batch("particle 2000")->GetEffect(), m_Effect);

    CDXParticles* fallback = Batch(CDXParticles::kFallbackName);
    EXPECT_EQ(CDXParticles::GetOrFallback("plain"), fallback);
    EXPECT_EQ(CDXParticles::GetOrFallback("absent"), fallback);
    EXPECT_EQ(CDXParticles::GetOrFallback("twopass"), Batch("twopass"));
    EXPECT_TRUE(Vesk::CParticleSystem::GetInstance().Init());
}

TEST_F(ParticleBatchTest, AtMostFiveHundredParticlesAreCopiedByteForByte)
{
    CDXParticles* batch = Batch("particle 2000");
    ASSERT_NE(batch, nullptr);
    const std::vector<ParticleVertex> particles = MakeParticles(2000);
    const std::vector<const ParticleVertex*> pointers = Pointers(particles);
    batch->FillVertices(pointers.data(), 2000);
    ASSERT_EQ(batch->GetCount(), 500);
    ASSERT_GE(batch->GetVertexBuffer()->Size(), 500u * 64u);
    EXPECT_EQ(0, std::memcmp(batch->GetVertexBuffer()->Data(), particles.data(), 500 * 64));

    // Entries without a particle are passed over; a negative count copies nothing.
    std::vector<const ParticleVertex*> gaps = {pointers[7], nullptr, pointers[9]};
    batch->FillVertices(gaps.data(), 3);
    ASSERT_EQ(batch->GetCount(), 2);
    EXPECT_EQ(0, std::memcmp(batch->GetVertexBuffer()->Data() + 64, &particles[9], 64));
    batch->FillVertices(gaps.data(), -4);
    EXPECT_EQ(batch->GetCount(), 0);
}

TEST_F(ParticleBatchTest, WithoutParticlesTheMaterialIsAppliedButNothingIsDrawn)
{
    CDXParticles* batch = Batch("particle");
    ASSERT_NE(batch, nullptr);
    const std::vector<ParticleVertex> particles = MakeParticles(1);
    const std::vector<const ParticleVertex*> pointers = Pointers(particles);
    batch->FillVertices(pointers.data(), 0);
    const std::vector<std::string> applied = m_Effect->Names();
    EXPECT_NE(std::find(applied.begin(), applied.end(), "SetFloat glow"), applied.end());
    m_Effect->calls.clear();
    batch->Render();
    EXPECT_TRUE(m_Effect->calls.empty());

    // A null array changes nothing, not even the material.
    batch->FillVertices(nullptr, 5);
    EXPECT_TRUE(m_Effect->calls.empty());
}

TEST_F(ParticleBatchTest, AFrameSendsCameraTimeAndScreenAndDrawsTheFirstPass)
{
    const std::vector<ParticleVertex> particles = MakeParticles(3);
    const std::vector<const ParticleVertex*> pointers = Pointers(particles);
    for (const float step : {0.001f, 0.02f}) {
        Vesk::CFrameClock::GetInstance().SetSteps(0.0f, step);
        CDXParticles* batch = Batch("particle");
        batch->FillVertices(pointers.data(), 3);
        m_Effect->calls.clear();
        batch->Render();
        EXPECT_EQ(m_Effect->Names(), (std::vector<std::string>{"matrix viewProjection", "matrix view", "SetFloat dt",
                                                               "SetFloat viewportheight", "SetTechnique Sparks",
                                                               "Begin Sparks", "BeginPass 0", "EndPass", "End"}));
        ASSERT_EQ(m_Effect->calls.size(), 9u);
        EXPECT_FLOAT_EQ(m_Effect->calls[2].values.at(0), step) << "the frame clock's effect step";
        EXPECT_FLOAT_EQ(m_Effect->calls[3].values.at(0), 600.0f);
    }

    // view x projection, in that order, as the shaders multiply row vectors.
    const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const gfx::Matrix expected = gfx::Multiply(renderer.GetViewMatrix(), renderer.GetProjectionMatrix());
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(m_Effect->calls[0].values.at(static_cast<size_t>(i)), expected.m[i]) << i;

    CDXParticles* twoPasses = Batch("twopass");
    twoPasses->FillVertices(pointers.data(), 3);
    m_TwoPasses->calls.clear();
    twoPasses->Render();
    const std::vector<std::string> names = m_TwoPasses->Names();
    EXPECT_EQ(std::count(names.begin(), names.end(), "BeginPass 0"), 1);
    EXPECT_EQ(std::count(names.begin(), names.end(), "BeginPass 1"), 0);
}

using ParticleFallbackTest = restest::DeviceResourceTest;

TEST_F(ParticleFallbackTest, StartUpNeedsTheFallbackMaterial)
{
    ASSERT_TRUE(Start());
    Vesk::CParticleSystem& system = Vesk::CParticleSystem::GetInstance();
    EXPECT_FALSE(system.Init());
    EXPECT_EQ(system.GetErrorMessage(), "CParticleSystem:: Unable to load the particle material \"particle\"");
    EXPECT_EQ(CDXParticles::GetOrFallback("sparks"), nullptr);
}

} // namespace
