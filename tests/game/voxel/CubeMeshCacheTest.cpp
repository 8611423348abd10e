#include "VoxelTestSupport.h"

#include "game/voxel/CubeMeshCache.h"

#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <gtest/gtest.h>

#include <memory>

using Game::CVeskCubeMesh;
using testsupport::ScratchDir;
using testsupport::WriteFile;

namespace {

// A run directory whose mesh definitions list a model, a file that is no model and a missing one.
class CubeMeshCacheTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteMeshList(m_Dir.Path(), "<kobold path=\"assets/meshes/kobold.vskc\"/>"
                                                 "<fake path=\"assets/meshes/fake.vskc\"/>"
                                                 "<gone path=\"assets/meshes/gone.vskc\"/>");
        testsupport::WriteDefaultDefinitions(m_Dir.Path());
        WriteFile(m_Dir.File("assets/meshes/kobold.vskc"),
                  testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/meshes/koboldminion.vskc"));
        WriteFile(m_Dir.File("assets/meshes/fake.vskc"), "xof 0303txt 0032\n#VSKCUB\n");
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
        Game::RegisterCubeMeshResource();
    }
    void TearDown() override
    {
        Vesk::CResourceManager::GetInstance().Shutdown();
        Vesk::CResManager<CVeskCubeMesh>::GetInstance().ReleaseAll();
    }

    ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

TEST_F(CubeMeshCacheTest, ModelsLoadOnceByName)
{
    Vesk::CResourceManager& resources = Vesk::CResourceManager::GetInstance();
    auto* kobold = dynamic_cast<CVeskCubeMesh*>(resources.LoadMesh("kobold"));
    ASSERT_NE(kobold, nullptr);
    EXPECT_EQ(kobold->GetName(), "kobold");
    EXPECT_EQ(resources.LoadMesh("kobold"), kobold);
    EXPECT_EQ(Vesk::CResManager<CVeskCubeMesh>::GetInstance().GetCount(), 1u);
}

TEST_F(CubeMeshCacheTest, FilesThatAreNoModelsAreNotCached)
{
    Vesk::CResourceManager& resources = Vesk::CResourceManager::GetInstance();
    for (const char* name : {"fake", "gone"}) {
        EXPECT_EQ(dynamic_cast<CVeskCubeMesh*>(resources.LoadMesh(name)), nullptr) << name;
        EXPECT_EQ(Vesk::CResManager<CVeskCubeMesh>::GetInstance().Find(name), nullptr) << name;
    }
    // Once the file is a model, the next request reads it.
    WriteFile(m_Dir.File("assets/meshes/gone.vskc"), "#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 1\n# POSITIONDATA\n0 0 0\n");
    EXPECT_NE(dynamic_cast<CVeskCubeMesh*>(resources.LoadMesh("gone")), nullptr);
}

TEST_F(CubeMeshCacheTest, UnloadFreesTheModelAndDetachesItsControllers)
{
    Vesk::CResourceManager& resources = Vesk::CResourceManager::GetInstance();
    auto* kobold = dynamic_cast<CVeskCubeMesh*>(resources.LoadMesh("kobold"));
    ASSERT_NE(kobold, nullptr);
    std::unique_ptr<Game::CVeskCubeAnimationController> walker(kobold->CreateAnimationController());
    walker->SetAnimation("WALK", 0, 1.0f);

    resources.UnloadMesh("kobold");
    EXPECT_EQ(Vesk::CResManager<CVeskCubeMesh>::GetInstance().Find("kobold"), nullptr);
    EXPECT_EQ(walker->GetCubeMesh(), nullptr);
    walker->Update(0.1f);
    resources.UnloadMesh("kobold");
    Game::UnloadCubeMeshResource("never-loaded");
    EXPECT_NE(resources.LoadMesh("kobold"), nullptr) << "read again after an unload";
}

} // namespace
