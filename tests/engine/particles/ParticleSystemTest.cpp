// The particle system's frame: one begin and end bracket on the first batch, every registered
// object filling and drawing its own batch (even with no particles), objects without a batch
// passed over, and registrations that survive double adds, stray removals and deletion.
#include "particles/CDisplayParticles.h"
#include "particles/CParticleSystem.h"
#include "particles/IParticles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Vesk::CDisplayParticles;
using Vesk::CParticleSystem;
using Vesk::ParticleVertex;

namespace {

std::vector<std::string> g_Calls;

class RecordingBatch : public Vesk::IParticles {
public:
    explicit RecordingBatch(std::string name) : m_Name(std::move(name)) {}
    bool Load(const std::string&) override { return true; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Begin() override { g_Calls.push_back(m_Name + ".Begin"); }
    void Render() override { g_Calls.push_back(m_Name + ".Render"); }
    void End() override { g_Calls.push_back(m_Name + ".End"); }
    void FillVertices(const ParticleVertex* const*, int count) override
    {
        g_Calls.push_back(m_Name + ".Fill " + std::to_string(count));
    }

private:
    std::string m_Name;
};

// Display particles on a given batch (null: none).
class Shown : public CDisplayParticles {
public:
    explicit Shown(Vesk::IParticles* batch) : CDisplayParticles("") { m_pResource = batch; }
};

class ParticleSystemTest : public ::testing::Test {
protected:
    void SetUp() override { g_Calls.clear(); }
    void TearDown() override { system.Shutdown(); }

    std::vector<std::string> Frame()
    {
        g_Calls.clear();
        system.Render();
        return g_Calls;
    }

    CParticleSystem& system = CParticleSystem::GetInstance();
    RecordingBatch sparks{"sparks"}, smoke{"smoke"};
    ParticleVertex particle{};
    const ParticleVertex* drawn[1] = {&particle};
};

TEST_F(ParticleSystemTest, OneBracketOnTheFirstBatchAndEveryObjectFillsAndDraws)
{
    Shown first(&sparks), second(&smoke);
    first.SetParticles(drawn, 1);
    system.AddParticles(&first);
    system.AddParticles(&second);
    EXPECT_EQ(Frame(), (std::vector<std::string>{"sparks.Begin", "sparks.Fill 1", "sparks.Render", "smoke.Fill 0",
                                                 "smoke.Render", "sparks.End"}));
}

TEST_F(ParticleSystemTest, ObjectsWithoutABatchArePassedOver)
{
    Shown none(nullptr), smokeShown(&smoke);
    system.AddParticles(&none);
    EXPECT_TRUE(Frame().empty());
    system.AddParticles(&smokeShown);
    EXPECT_EQ(Frame(), (std::vector<std::string>{"smoke.Begin", "smoke.Fill 0", "smoke.Render", "smoke.End"}));
    system.Shutdown();
    EXPECT_TRUE(Frame().empty());
}

TEST_F(ParticleSystemTest, RegistrationsFollowAddsRemovalsAndDeletion)
{
    Shown once(&sparks), stranger(&smoke);
    system.RemoveParticles(&stranger);
    system.AddParticles(&once);
    system.AddParticles(&once);
    system.AddParticles(nullptr);
    EXPECT_EQ(system.GetRegistered().size(), 2u) << "added twice, drawn twice";
    system.RemoveParticles(&stranger);
    system.RemoveParticles(&once);
    EXPECT_EQ(Frame(), (std::vector<std::string>{"sparks.Begin", "sparks.Fill 0", "sparks.Render", "sparks.End"}));

    // An effect deleted without taking its object off leaves nothing behind to draw.
    auto* forgotten = new Shown(&smoke);
    system.AddParticles(forgotten);
    delete forgotten;
    EXPECT_EQ(system.GetRegistered().size(), 1u);
    EXPECT_EQ(Frame(), (std::vector<std::string>{"sparks.Begin", "sparks.Fill 0", "sparks.Render", "sparks.End"}));
}

} // namespace
