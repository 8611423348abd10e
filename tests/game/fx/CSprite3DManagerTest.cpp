// 3D sprites: building a sprite from a cube model or a plain mesh, removal (twice, foreign
// pointers), the transform setters, one animation step per frame and teardown with or without
// the scene tree.
#include "game/fx/CSprite3DManager.h"
#include "game/fx/CSprite3D.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"
#include "scene/CSceneNodes.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using testsupport::WriteFile;

namespace {

// A run directory with the default mesh and one cube model ("kobold", which has "IDLE").
class CSprite3DManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteMeshList(m_Dir.Path(), "<kobold path=\"assets/meshes/kobold.vskc\"/>");
        testsupport::WriteDefaultDefinitions(m_Dir.Path());
        WriteFile(m_Dir.File("assets/meshes/kobold.vskc"),
                  testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/meshes/koboldminion.vskc"));
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
        ASSERT_TRUE(Scene().Init());
        ASSERT_TRUE(Sprites().Init());
    }
    void TearDown() override
    {
        // Sprites go before the scene tree, as at the end of play.
        Sprites().Shutdown();
        Scene().Shutdown();
        Vesk::CResourceManager::GetInstance().Shutdown();
        Vesk::CResManager<Game::CVeskCubeMesh>::GetInstance().ReleaseAll();
    }

    static Game::CSprite3DManager& Sprites() { return Game::CSprite3DManager::GetInstance(); }
    static Vesk::CSceneGraph& Scene() { return Vesk::CSceneGraph::GetInstance(); }
    static bool UnderRoot(const Game::CSprite3D* sprite)
    {
        const auto& children = Scene().GetRoot()->GetChildren();
        return std::find(children.begin(), children.end(), sprite->m_pTransformNode) != children.end();
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

} // namespace

TEST_F(CSprite3DManagerTest, ACubeModelGivesAVisibleSpritePlayingIdleUnderTheRoot)
{
    Game::CSprite3D* sprite = Sprites().CreateSprite("kobold");
    ASSERT_NE(nullptr, sprite);
    EXPECT_EQ("koboldsprite3Dtransnode", sprite->m_pTransformNode->GetName());
    EXPECT_EQ("koboldsprite3Dgeomnode", sprite->m_pGeomNode->GetName());
    ASSERT_EQ(1u, sprite->m_pTransformNode->GetChildren().size());
    EXPECT_EQ(sprite->m_pGeomNode, sprite->m_pTransformNode->GetChildren().front());
    EXPECT_TRUE(UnderRoot(sprite));
    ASSERT_NE(nullptr, sprite->m_pAnimationController);
    EXPECT_EQ("IDLE", sprite->m_pAnimationController->GetCurrentAnimationName());
    EXPECT_EQ(sprite->m_pAnimationController, sprite->m_pGeomNode->GetAnimationController());
    EXPECT_TRUE(sprite->m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled));
    EXPECT_EQ(-1, sprite->m_pGeomNode->GetBucketKeys().front());

    sprite->SetVisible(false);
    EXPECT_FALSE(sprite->m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled));
    sprite->SetVisible(true);
    EXPECT_TRUE(sprite->m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled));
}

TEST_F(CSprite3DManagerTest, MeshesWithoutACubeControllerGiveDrawnSpritesThatNeverAnimate)
{
    // A plain mesh, and a name with no mesh at all (the resource manager falls back to "default").
    for (const char* mesh : {"default", "nosuchmesh"}) {
        Game::CSprite3D* sprite = Sprites().CreateSprite(mesh);
        ASSERT_NE(nullptr, sprite) << mesh;
        EXPECT_EQ(nullptr, sprite->m_pAnimationController) << mesh;
        EXPECT_EQ(nullptr, sprite->m_pGeomNode->GetAnimationController()) << mesh;
        EXPECT_NE(nullptr, sprite->m_pGeomNode->GetMesh()) << mesh;
        EXPECT_TRUE(sprite->m_pGeomNode->HasFlags(Vesk::CGeomNode::FlagEnabled)) << mesh;
    }
    Sprites().Update(0.1f);
    Scene().AdvanceAnimations(0.1f);
    EXPECT_EQ(2u, Sprites().GetSprites().size());
}

TEST_F(CSprite3DManagerTest, RemovingTwiceOrAForeignPointerDoesNothing)
{
    Game::CSprite3D* kept = Sprites().CreateSprite("kobold");
    Game::CSprite3D* removed = Sprites().CreateSprite("default");
    const size_t children = Scene().GetRoot()->GetChildren().size();

    Sprites().RemoveSprite(removed);
    EXPECT_EQ(children - 1, Scene().GetRoot()->GetChildren().size());
    Sprites().RemoveSprite(removed);
    Sprites().RemoveSprite(nullptr);
    Game::CSprite3D foreign;
    Sprites().RemoveSprite(&foreign);

    ASSERT_EQ(1u, Sprites().GetSprites().size());
    EXPECT_EQ(kept, Sprites().GetSprites().front());
    EXPECT_TRUE(UnderRoot(kept));
}

TEST_F(CSprite3DManagerTest, SetPositionDropsTheOrientationThatSetTransformGave)
{
    Game::CSprite3D* sprite = Sprites().CreateSprite("kobold");
    sprite->SetTransform(CVector3D(1, 2, 3), CVector3D(1, 0, 0), CVector3D(0, 1, 0));
    CMatrix4 expected;
    expected.ObjectLookAlong(CVector3D(1, 2, 3), CVector3D(1, 0, 0), CVector3D(0, 1, 0), true);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(expected.m[i], sprite->m_pTransformNode->GetLocalMatrix().m[i]) << i;

    sprite->SetPosition(4, 5, 6);
    const float translated[16] = {1, 0, 0, 4, 0, 1, 0, 5, 0, 0, 1, 6, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(translated[i], sprite->m_pTransformNode->GetLocalMatrix().m[i]) << i;

    float values[16];
    for (int i = 0; i < 16; ++i)
        values[i] = static_cast<float>(i) * 0.5f;
    sprite->SetMatrix(values);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(values[i], sprite->m_pTransformNode->GetLocalMatrix().m[i]) << i;
}

TEST_F(CSprite3DManagerTest, TheManagersUpdateAndTheSceneTickAdvanceASpriteOnceAFrame)
{
    Game::CSprite3D* sprite = Sprites().CreateSprite("kobold");
    ASSERT_NE(nullptr, sprite->m_pAnimationController);
    // A controller of the same model outside the scene, advanced by hand once a frame.
    auto* mesh = dynamic_cast<Game::CVeskCubeMesh*>(sprite->m_pGeomNode->GetMesh());
    ASSERT_NE(nullptr, mesh);
    std::unique_ptr<Game::CVeskCubeAnimationController> reference(mesh->CreateAnimationController());
    reference->SetAnimation("IDLE", 0, 0.0f);

    for (int frame = 0; frame < 5; ++frame) {
        Sprites().Update(0.05f);
        Scene().AdvanceAnimations(0.05f);
        reference->Update(reference->m_PlaybackSpeed * 0.05f);
        EXPECT_FLOAT_EQ(reference->GetFrameTime(), sprite->m_pAnimationController->GetFrameTime()) << frame;
        EXPECT_EQ(reference->GetKeyframeIndex(), sprite->m_pAnimationController->GetKeyframeIndex()) << frame;
    }
}

TEST_F(CSprite3DManagerTest, ShutdownFreesEverySpriteAndSurvivesADeletedSceneTree)
{
    for (const char* mesh : {"kobold", "default", "kobold"})
        Sprites().CreateSprite(mesh);
    Sprites().Shutdown();
    EXPECT_TRUE(Sprites().GetSprites().empty());
    EXPECT_TRUE(Scene().GetRoot()->GetChildren().empty());

    // Sprites whose tree went first are freed without touching its nodes again.
    ASSERT_TRUE(Sprites().Init());
    Sprites().CreateSprite("kobold");
    Game::CSprite3D* removed = Sprites().CreateSprite("default");
    Scene().Reset();
    Sprites().RemoveSprite(removed);
    EXPECT_TRUE(Sprites().Init()) << "Init shuts down what is left";
    EXPECT_TRUE(Sprites().GetSprites().empty());
}
