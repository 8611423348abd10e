// One picture from the game manager's frame with the repository's assets: an animated sprite
// showing the frame its animation has reached, a line of the debug log in the lower half, and a
// burst of particles around the point the default camera looks at, each where it belongs.
#include "debug/CDebugOutputManager.h"
#include "engine/ui2d/Display2DFixture.h"
#include "frame/CGameManager.h"
#include "particles/CDisplayParticles.h"
#include "particles/CParticleSystem.h"
#include "particles/IParticles.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "support/TestSupport.h"
#include "ui2d/CDisplay2DSystem.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

using namespace Vesk;

namespace {

class QuietState : public IGameState {
public:
    QuietState() : IGameState("QuietState") {}
    void Update(float) override {}
};

int Channel(uint32_t argb, int shift) { return static_cast<int>((argb >> shift) & 0xFF); }

bool Near(uint32_t a, uint32_t b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(Channel(a, shift) - Channel(b, shift)) > 2)
            return false;
    return true;
}

class FramePictureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The repository's assets, with a sheet of solid-coloured frames added.
        testsupport::CopyTree(testsupport::SourceDir() + "/bin/assets", m_Dir.File("assets"));
        ui2dtest::WriteSheet(m_Dir.File("tiles.png"), 64, 32, 4, 2);
        std::string sprites = testsupport::ReadFile(m_Dir.File("assets/sprites.xml"));
        sprites.insert(
            sprites.rfind("</sprites>"),
            "<tiles><dimension width=\"64\" height=\"32\" xgrid=\"4\" ygrid=\"2\"/>"
            "<texture path=\"tiles.png\"/><animation name=\"walk\" fps=\"7\" start=\"1\" end=\"4\"/></tiles>");
        testsupport::WriteFile(m_Dir.File("assets/sprites.xml"), sprites);
        // The manager opens "startup.log" when it is first built: in the scratch folder.
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        m_Game = &CGameManager::GetInstance();
        m_Game->SetFixedTimeStep(0.04f);
        ASSERT_TRUE(m_Game->Init(10, 10, 500, 280, "Thrummock", false));
        m_Game->PushState(new QuietState());
        ASSERT_EQ(CRenderer::GetInstance().GetScreenWidth(), 800);
        ASSERT_EQ(CRenderer::GetInstance().GetScreenHeight(), 600);
    }
    void TearDown() override
    {
        if (m_Game)
            m_Game->Shutdown();
    }

    uint32_t Pixel(int x, int y) const { return CRenderer::GetInstance().GetDevice()->ReadPixels(x, y, 1, 1).at(0); }
    // Pixels of the rectangle brighter than the grey viewport.
    int LitPixels(int x0, int y0, int x1, int y1) const
    {
        int lit = 0;
        for (uint32_t p : CRenderer::GetInstance().GetDevice()->ReadPixels(x0, y0, x1 - x0, y1 - y0))
            lit += Channel(p, 16) > 0x60;
        return lit;
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
    CGameManager* m_Game = nullptr;
};

TEST_F(FramePictureTest, SpriteFrameTextLineAndParticleBurst)
{
    // The sprite at a quarter of the width, half-way down the viewport: (200, 300).
    auto walker = std::make_unique<CDisplayObject2D>("tiles");
    walker->SetPosition(0.25f, 0.5f);
    walker->SetScale(2.0f, 2.0f);
    walker->SetAnimation("walk");
    CDisplay2DSystem::GetInstance().AddObject(walker.get(), 0);

    // The log's lowest line starts 424 pixels into the viewport: y = 500.
    CDebugOutputManager& debug = CDebugOutputManager::GetInstance();
    debug.SetLogHidden(false);
    debug.AddLine("Sparks fly");

    // Eight particles leaving the origin outwards in the screen plane, half a second old: 5 units
    // out, 67.6 pixels from the centre with the default camera looking at the origin from 40
    // units.
    CCameraManager::GetInstance().GetCurrentCamera()->Reset();
    const uint32_t colour = 0xFF20E020;
    std::vector<ParticleVertex> burst(8);
    std::vector<const ParticleVertex*> drawn;
    for (size_t i = 0; i < burst.size(); ++i) {
        const float angle = static_cast<float>(i) * 0.785398f;
        ParticleVertex& p = burst[i];
        p = ParticleVertex{};
        p.velocity[0] = 10.0f * std::cos(angle);
        p.velocity[1] = 10.0f * std::sin(angle);
        p.startSize = p.endSize = 1.0f;
        p.age = 0.5f;
        p.lifetime = 10.0f;
        p.startColour = p.endColour = colour;
        drawn.push_back(&p);
    }
    CDisplayParticles particles("particle");
    ASSERT_NE(particles.GetResource(), nullptr);
    particles.SetParticles(drawn.data(), static_cast<int>(drawn.size()));
    CParticleSystem::GetInstance().AddParticles(&particles);

    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(m_Game->Update());

    ASSERT_GT(walker->GetFrame(), 0) << "the animation has moved on";
    EXPECT_EQ(Pixel(200, 300), ui2dtest::kFrameColours[walker->GetFrame()]);
    EXPECT_EQ(Pixel(240, 300), ui2dtest::kGrey);

    EXPECT_GT(LitPixels(4, 500, 200, 520), 20) << "the text line";
    EXPECT_EQ(LitPixels(4, 470, 200, 498), 0) << "the empty line above it";

    const struct {
        int x, y;
        bool particle;
    } spots[] = {{468, 300, true}, {332, 300, true},  {400, 232, true},  {400, 368, true},
                 {448, 252, true}, {400, 300, false}, {520, 300, false}, {400, 150, false}};
    for (const auto& s : spots)
        EXPECT_EQ(Near(Pixel(s.x, s.y), colour), s.particle) << s.x << "," << s.y;
    CParticleSystem::GetInstance().RemoveParticles(&particles);
}

} // namespace
