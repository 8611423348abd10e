// The effect models and particle effects under bin/assets drawn on a real device on the headless
// driver, seen from a side camera 80 units away: each model fills a readable part of the frame
// with its own colours, and each particle effect draws something once restarted.
#include "../voxel/CubeRenderFixture.h"
#include "FxContentSupport.h"

#include "game/fx/CParticleEmitter.h"
#include "game/voxel/CVeskCubeAnimationController.h"

#include "particles/CDisplayParticles.h"
#include "particles/CParticleSystem.h"

namespace {

class EffectContentRenderTest : public voxeltest::CubeRenderFixture {
protected:
    void SetUp() override
    {
        SetUpDevice(400, 300);
        if (!DeviceReady())
            return;
        ASSERT_TRUE(Vesk::CParticleSystem::GetInstance().Init())
            << Vesk::CParticleSystem::GetInstance().GetErrorMessage();

        AddCamera("side", CVector3D(0, 22, -80), CVector3D(0, 6, 0));
        AddDirectionalLight(CVector3D(0.3f, -1.0f, 0.5f));
    }
    void TearDown() override
    {
        if (m_WorkingDir.Entered())
            Vesk::CParticleSystem::GetInstance().Shutdown();
        CubeRenderFixture::TearDown();
    }
    void DrawAfterScene() override { Vesk::CParticleSystem::GetInstance().Render(); }

    std::vector<uint32_t> Frame() const
    {
        const gfx::Viewport& viewport = m_Renderer.GetDevice()->GetViewport();
        return m_Renderer.GetDevice()->ReadPixels(viewport.x, viewport.y, viewport.width, viewport.height);
    }

    // Pixels of the frame that differ clearly from the empty frame's.
    static int Changed(const std::vector<uint32_t>& frame, const std::vector<uint32_t>& empty)
    {
        int changed = 0;
        for (size_t i = 0; i < frame.size() && i < empty.size(); ++i) {
            int difference = 0;
            for (int shift = 0; shift <= 16; shift += 8)
                difference += std::abs(int((frame[i] >> shift) & 0xFF) - int((empty[i] >> shift) & 0xFF));
            changed += difference > 24;
        }
        return changed;
    }
};

TEST_F(EffectContentRenderTest, EveryEffectModelIsReadableFromTheSideCamera)
{
    DrawFrame();
    const std::vector<uint32_t> empty = Frame();
    for (const fxtest::ModelExpectation& model : fxtest::kEffectModels) {
        m_Scene.Reset();
        Vesk::IMesh* mesh = Vesk::CResourceManager::GetInstance().LoadMesh(model.name);
        ASSERT_NE(dynamic_cast<Game::CVeskCubeMesh*>(mesh), nullptr) << model.name;
        auto* transform = new Vesk::CTransformNode(std::string(model.name) + "trans");
        if (model.directional) {
            // Pointing along +x, as at an enemy or in flight across the screen.
            CMatrix4 along;
            along.ObjectLookAlong(CVector3D(), CVector3D(1, 0, 0), CVector3D(0, 1, 0), true);
            transform->SetLocalMatrix(along);
        }
        auto* geom = new Vesk::CGeomNode(std::string(model.name) + "geom");
        geom->SetMesh(mesh);
        geom->GetBucketKeys() = {-1};
        transform->AddChild(geom);
        ASSERT_TRUE(m_Scene.AddNode(transform));
        std::unique_ptr<Vesk::IAnimationController> controller(mesh->CreateAnimationController());
        ASSERT_NE(controller, nullptr) << model.name;
        controller->SetAnimation(model.clips.front(), 0, 0.0f);
        geom->SetAnimationController(controller.get());
        controller->Update(0.6f);

        DrawFrame();
        const std::vector<uint32_t> frame = Frame();
        const int changed = Changed(frame, empty);
        // A model of the size the game shows (its sprites are not scaled) covers a readable part
        // of the frame at this distance.
        EXPECT_GT(changed, model.minPixels) << model.name;
        geom->SetAnimationController(nullptr);
    }
    m_Scene.Reset();
}

TEST_F(EffectContentRenderTest, EveryParticleEffectDrawsOnceRestarted)
{
    DrawFrame();
    const std::vector<uint32_t> empty = Frame();
    for (const fxtest::EffectUse& use : fxtest::EffectUses()) {
        Game::CParticleEmitter emitter;
        emitter.SetPosition(CVector3D(0, 6, 0));
        emitter.Init(use.name, use.count, use.mode);
        ASSERT_NE(emitter.GetDisplayParticles(), nullptr) << use.name;
        ASSERT_NE(emitter.GetDisplayParticles()->GetResource(), nullptr) << use.name;
        emitter.Restart();
        for (int frame = 0; frame < 3; ++frame)
            emitter.Update(0.02f);
        DrawFrame();
        EXPECT_GT(Changed(Frame(), empty), 40) << use.name;
    }
}

} // namespace
