// Particle emitters over a scratch effects file: how particles are made from an effect with the
// seeded generator, how they age, loop and are handed to the display object, how attribute text
// is read, what a missing file, effect or attribute gives, and the manager's list.
#include "FxTestSupport.h"

#include "game/fx/CParticleManager.h"
#include "game/fx/ParticleAttributes.h"
#include "math/Colour.h"
#include "math/Random.h"
#include "particles/CDisplayParticles.h"
#include "particles/CParticleSystem.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

using Game::CParticleEmitter;
using Game::CParticleManager;
using Game::Particle;

namespace {

const char* const kEffects = R"(<?xml version="1.0"?>
<effects>
  <spread positionDeviation="-2,-4,-6" minStartVel="-1 -2 -3" maxStartVel="1 2 3" minStartAccel="0,-10,0"
          maxStartAccel="5,10,5" startSize="1.5" endSize="0.5" endTime="0.5" startColor="255,128,0,255"
          endColor="256.7,10.9,-1,0" rotSpeed="2" material="particle" time="9"/>
  <fixed positionDeviation="1,2,3" minStartVel="4,5,6" maxStartVel="4,5,6" minStartAccel="0,0,0"
         maxStartAccel="0,0,0" startSize="1" endSize="1" endTime="1" startColor="255,255,255,255"
         endColor="0,0,0,0" rotSpeed="0" material="particle"/>
  <bare endTime="1"/>
</effects>
)";

class CParticleEmitterTest : public fxtest::EffectsDirFixture {
protected:
    void SetUp() override { Enter(kEffects); }

    static std::unique_ptr<CParticleEmitter> Make(const char* effect, unsigned count, int mode, unsigned seed,
                                                  const CVector3D& at = CVector3D())
    {
        auto emitter = std::make_unique<CParticleEmitter>();
        emitter->SetPosition(at);
        SeedRandom(seed);
        emitter->Init(effect, count, mode);
        return emitter;
    }

    static std::vector<const Particle*> Drawn(const CParticleEmitter& emitter)
    {
        return {emitter.GetDrawn(), emitter.GetDrawn() + emitter.GetDrawnCount()};
    }
};

using Triple = std::array<float, 3>;

Triple Of(const float* v) { return {v[0], v[1], v[2]}; }
Triple Of(const CVector3D& v) { return {v.x, v.y, v.z}; }

float Draw(float min, float max, int r) { return static_cast<float>(min + (max - min) * (r / 32767.0)); }

TEST_F(CParticleEmitterTest, InitDrawsEveryRangeFromTheGeneratorInOrder)
{
    const CVector3D p(10, 20, 30);
    SeedRandom(99);
    std::vector<int> r;
    for (int i = 0; i < 20; ++i)
        r.push_back(Random15());
    const auto emitter = Make("spread", 2, 0, 99, p);
    ASSERT_EQ(emitter->GetParticles().size(), 2u);

    const float deviation[3] = {-2, -4, -6}, minVel[3] = {-1, -2, -3}, maxVel[3] = {1, 2, 3};
    const float minAccel[3] = {0, -10, 0}, maxAccel[3] = {5, 10, 5};
    for (int i = 0; i < 2; ++i) {
        const Particle& particle = emitter->GetParticles()[static_cast<size_t>(i)];
        const int* next = &r[static_cast<size_t>(10 * i)];
        for (unsigned a = 0; a < 3; ++a) {
            EXPECT_FLOAT_EQ(particle.position[a], Draw(p[a] + deviation[a], p[a] - deviation[a], next[a]));
            EXPECT_FLOAT_EQ(particle.velocity[a], Draw(minVel[a], maxVel[a], next[3 + a]));
            EXPECT_FLOAT_EQ(particle.acceleration[a], Draw(minAccel[a], maxAccel[a], next[6 + a]));
        }
        EXPECT_FLOAT_EQ(particle.lifetime, Draw(0.5f, 1.0f, next[9]));
        EXPECT_FLOAT_EQ(particle.age, 1.5f) << "beyond any lifetime until restarted";
        EXPECT_FLOAT_EQ(particle.startSize, 1.5f);
        EXPECT_FLOAT_EQ(particle.endSize, 0.5f);
        EXPECT_FLOAT_EQ(particle.rotationSpeed, 2.0f);
        EXPECT_EQ(particle.startColour, PackArgb(255, 255, 128, 0));
        // 256.7 keeps the low byte of 256, 10.9 truncates, -1 wraps to 255.
        EXPECT_EQ(particle.endColour, PackArgb(0, 0, 10, 255));
    }
}

TEST_F(CParticleEmitterTest, LifetimesSpanEndTimeToTwiceItAndPositiveDeviationIsAnOffset)
{
    const auto emitter = Make("fixed", 200, 0, 3, CVector3D(10, 20, 30));
    float shortest = 10.0f, longest = 0.0f;
    for (const Particle& particle : emitter->GetParticles()) {
        EXPECT_EQ(Of(particle.position), (Triple{11, 22, 33}));
        EXPECT_EQ(Of(particle.velocity), (Triple{4, 5, 6}));
        shortest = std::min(shortest, particle.lifetime);
        longest = std::max(longest, particle.lifetime);
    }
    EXPECT_GE(shortest, 1.0f);
    EXPECT_LT(shortest, 1.1f);
    EXPECT_LE(longest, 2.0f);
    EXPECT_GT(longest, 1.9f);
}

TEST_F(CParticleEmitterTest, ConvergingModeStartsWhereTheParticleWouldEndAndRunsBack)
{
    const CVector3D p(10, 20, 30);
    const auto outward = Make("spread", 3, 0, 42, p);
    const auto inward = Make("spread", 3, 1, 42, p);
    for (size_t i = 0; i < 3; ++i) {
        const Particle& out = outward->GetParticles()[i];
        const Particle& in = inward->GetParticles()[i];
        EXPECT_FLOAT_EQ(in.lifetime, out.lifetime);
        for (unsigned a = 0; a < 3; ++a) {
            EXPECT_FLOAT_EQ(in.position[a], p[a] + (out.velocity[a] + out.acceleration[a] / 3600.0f) * out.lifetime);
            EXPECT_FLOAT_EQ(in.velocity[a], -out.velocity[a]);
            EXPECT_FLOAT_EQ(in.acceleration[a], -out.acceleration[a]);
        }
    }
}

TEST_F(CParticleEmitterTest, NonLoopingEmitterDrawsOnlyBetweenRestartAndExpiry)
{
    const auto emitter = Make("fixed", 8, 0, 5);
    const Vesk::CDisplayParticles* display = emitter->GetDisplayParticles();
    ASSERT_NE(display, nullptr);
    for (int frame = 0; frame < 20; ++frame) {
        emitter->Update(0.25f);
        EXPECT_EQ(emitter->GetDrawnCount(), 0u) << "never restarted, frame " << frame;
    }
    EXPECT_EQ(display->GetCount(), 0);

    for (int round = 0; round < 2; ++round) {
        emitter->Restart();
        int lastHanded = 0;
        for (int k = 1; k <= 12; ++k) {
            emitter->Update(0.25f);
            const float age = 0.25f * static_cast<float>(k);
            const auto live = std::count_if(emitter->GetParticles().begin(), emitter->GetParticles().end(),
                                            [age](const Particle& particle) { return age <= particle.lifetime; });
            ASSERT_EQ(emitter->GetDrawnCount(), static_cast<size_t>(live)) << "age " << age;
            for (const Particle* particle : Drawn(*emitter))
                EXPECT_LE(particle->age, particle->lifetime);
            if (live > 0) {
                lastHanded = static_cast<int>(live);
                EXPECT_EQ(display->GetParticles(), emitter->GetDrawn());
            }
            // A frame with nothing live leaves the display object with what it had.
            EXPECT_EQ(display->GetCount(), lastHanded) << "age " << age;
        }
        EXPECT_EQ(emitter->GetDrawnCount(), 0u) << "every lifetime is at most 2";
    }
}

TEST_F(CParticleEmitterTest, LoopingEmitterSkipsAnExpiredParticleForOneFrame)
{
    const float dt = 0.25f;
    const auto emitter = Make("fixed", 4, 0, 8);
    emitter->SetLooping(true);
    const std::vector<Particle>& particles = emitter->GetParticles();

    emitter->Update(dt);
    EXPECT_EQ(emitter->GetDrawnCount(), 0u) << "the first update restarts the new particles";
    for (const Particle& particle : particles)
        EXPECT_EQ(particle.age, 0.0f);

    int skips = 0;
    for (int frame = 0; frame < 40; ++frame) {
        std::vector<float> before;
        for (const Particle& particle : particles)
            before.push_back(particle.age);
        emitter->Update(dt);
        const std::vector<const Particle*> drawn = Drawn(*emitter);
        for (size_t i = 0; i < particles.size(); ++i) {
            const bool isDrawn = std::find(drawn.begin(), drawn.end(), &particles[i]) != drawn.end();
            if (before[i] + dt <= particles[i].lifetime) {
                EXPECT_TRUE(isDrawn) << "frame " << frame << " particle " << i;
                EXPECT_FLOAT_EQ(particles[i].age, before[i] + dt);
            } else {
                EXPECT_FALSE(isDrawn) << "frame " << frame << " particle " << i;
                EXPECT_EQ(particles[i].age, 0.0f);
                EXPECT_GT(before[i], 0.0f) << "a skipped particle is drawn again the next frame";
                ++skips;
            }
        }
    }
    EXPECT_GT(skips, 4);
}

TEST_F(CParticleEmitterTest, SetPositionCarriesEveryParticleAlong)
{
    const auto emitter = Make("spread", 5, 0, 17, CVector3D(1, 2, 3));
    const std::vector<Particle> before = emitter->GetParticles();
    emitter->SetPosition(CVector3D(11, -2, 3.5f));
    EXPECT_EQ(Of(emitter->GetPosition()), (Triple{11, -2, 3.5f}));
    for (size_t i = 0; i < before.size(); ++i) {
        EXPECT_FLOAT_EQ(emitter->GetParticles()[i].position[0], before[i].position[0] + 10.0f);
        EXPECT_FLOAT_EQ(emitter->GetParticles()[i].position[1], before[i].position[1] - 4.0f);
        EXPECT_FLOAT_EQ(emitter->GetParticles()[i].position[2], before[i].position[2] + 0.5f);
    }
}

TEST_F(CParticleEmitterTest, DisplayObjectIsRegisteredUntilTheEmitterGoes)
{
    const auto& registered = Vesk::CParticleSystem::GetInstance().GetRegistered();
    auto emitter = Make("fixed", 3, 0, 1);
    const Vesk::CDisplayParticles* first = emitter->GetDisplayParticles();
    EXPECT_EQ(std::count(registered.begin(), registered.end(), first), 1);
    // A second Init replaces the particles and the display object.
    emitter->Init("spread", 6, 0);
    EXPECT_EQ(emitter->GetParticles().size(), 6u);
    EXPECT_EQ(registered.size(), 1u);
    emitter.reset();
    EXPECT_TRUE(registered.empty());
}

TEST(ParticleAttributesTest, FloatListsTakeOneSeparatorCharacter)
{
    const struct {
        const char* text;
        bool complete;
        float x, y, z;
    } rows[] = {
        {"1,2,3", true, 1, 2, 3},  {"1 2 3", true, 1, 2, 3},   {"-1.5;2e1;.25", true, -1.5f, 20, 0.25f},
        {"1,,3", false, 1, 0, 0},  {"4", false, 4, 0, 0},      {"", false, 0, 0, 0},
        {"x,2,3", false, 0, 0, 0}, {"1,2,3,4", true, 1, 2, 3},
    };
    for (const auto& row : rows) {
        float values[3] = {9, 9, 9};
        EXPECT_EQ(Game::ReadFloatList(row.text, values, 3), row.complete) << row.text;
        EXPECT_EQ(Of(values), (Triple{row.x, row.y, row.z})) << row.text;
    }
    float none[3] = {9, 9, 9};
    EXPECT_FALSE(Game::ReadFloatList(nullptr, none, 3));
    EXPECT_EQ(Of(none), (Triple{0, 0, 0}));
}

TEST(ParticleAttributesTest, ColourComponentsKeepTheLowByteOfTheirIntegerPart)
{
    const struct {
        float rgba[4];
        uint32_t packed;
    } rows[] = {
        {{255.9f, 1, 2, 128}, 0x80FF0102u},
        {{256.7f, 0, 0, 255}, 0xFF000000u},
        {{-1, 511, 1e9f, -0.5f}, 0x00FFFF00u},
        {{0, 0, 0, 1e30f}, 0u},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Game::PackColourComponents(row.rgba), row.packed) << row.rgba[0];
}

TEST_F(CParticleEmitterTest, MissingFileOrEffectGivesAnEmptyEmitterAndOneLogLine)
{
    auto expectEmpty = [](const char* effect) {
        CParticleEmitter emitter;
        testing::internal::CaptureStderr();
        emitter.Init(effect, 10, 0);
        const std::string log = testing::internal::GetCapturedStderr();
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        EXPECT_NE(log.find("particle_effects.xml"), std::string::npos) << log;
        EXPECT_TRUE(emitter.GetParticles().empty());
        EXPECT_EQ(emitter.GetDisplayParticles(), nullptr);
        emitter.SetLooping(true);
        emitter.Restart();
        emitter.SetPosition(CVector3D(1, 2, 3));
        emitter.Update(0.1f);
        EXPECT_EQ(emitter.GetDrawnCount(), 0u);
    };
    expectEmpty("no_such_effect");
    EXPECT_EQ(std::remove(CParticleEmitter::kEffectsFile), 0);
    expectEmpty("fixed");
    EXPECT_TRUE(Vesk::CParticleSystem::GetInstance().GetRegistered().empty());
}

TEST_F(CParticleEmitterTest, MissingAttributesReadAsZeroWithOneLogLine)
{
    CParticleEmitter emitter;
    testing::internal::CaptureStderr();
    SeedRandom(2);
    emitter.Init("bare", 4, 1);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("CParticleEmitter: effect \"bare\" lacks positionDeviation"), std::string::npos) << log;
    EXPECT_NE(log.find("material"), std::string::npos) << log;
    ASSERT_EQ(emitter.GetParticles().size(), 4u);
    EXPECT_NE(emitter.GetDisplayParticles(), nullptr);
    for (const Particle& particle : emitter.GetParticles()) {
        EXPECT_EQ(Of(particle.position), (Triple{0, 0, 0}));
        EXPECT_GE(particle.lifetime, 1.0f);
        EXPECT_EQ(particle.startColour, 0u);
    }
}

TEST_F(CParticleEmitterTest, ManagerUpdatesEachEntryInOrderAndRemovesTheFirstMatch)
{
    CParticleManager& manager = CParticleManager::GetInstance();
    ASSERT_TRUE(manager.Init());
    const auto a = Make("fixed", 1, 0, 4);
    const auto b = Make("fixed", 1, 0, 4);
    const auto never = Make("fixed", 1, 0, 4);
    a->Restart();
    b->Restart();

    manager.AddEmitter(a.get());
    manager.AddEmitter(b.get());
    manager.AddEmitter(a.get());
    manager.Update(0.25f);
    EXPECT_FLOAT_EQ(a->GetParticles()[0].age, 0.5f) << "added twice, updated twice";
    EXPECT_FLOAT_EQ(b->GetParticles()[0].age, 0.25f);

    manager.RemoveEmitter(never.get());
    EXPECT_EQ(manager.GetEmitters(), (std::vector<CParticleEmitter*>{a.get(), b.get(), a.get()}));
    manager.RemoveEmitter(a.get());
    EXPECT_EQ(manager.GetEmitters(), (std::vector<CParticleEmitter*>{b.get(), a.get()}));
    manager.Update(0.25f);
    EXPECT_FLOAT_EQ(a->GetParticles()[0].age, 0.75f);
    EXPECT_FLOAT_EQ(never->GetParticles()[0].age, 3.0f) << "not registered, not aged";

    ASSERT_TRUE(manager.Init());
    EXPECT_TRUE(manager.GetEmitters().empty());
}

} // namespace
