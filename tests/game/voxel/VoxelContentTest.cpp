// The prop and cube-test models and height map under bin/assets/meshes: each loads through the
// game's own readers with the parts the game expects.
#include "VoxelTestSupport.h"

#include "game/voxel/CubeHeightMap.h"

#include <gtest/gtest.h>

#include <string>

using Game::CVeskCubeMesh;
using testsupport::SourceDir;

namespace {

std::string MeshesDir() { return SourceDir() + "/bin/assets/meshes/"; }

TEST(VoxelContentTest, ModelsLoadWithTheirParts)
{
    const struct {
        const char* file;
        std::vector<std::string> submeshes;
    } models[] = {
        {"crate.vskc", {"crate"}},
        {"cubetestground.vskc", {"ground"}},
    };
    for (const auto& m : models) {
        CVeskCubeMesh mesh;
        ASSERT_TRUE(mesh.Load(MeshesDir() + m.file)) << m.file;
        voxeltest::ExpectConsistent(mesh);
        EXPECT_EQ(mesh.GetSubmeshes(), m.submeshes) << m.file;
        for (const auto& entry : mesh.GetSubmeshMap())
            EXPECT_GT(entry.second->visibleCount, 0) << m.file << ' ' << entry.first;
        EXPECT_TRUE(mesh.GetAnimations().empty()) << m.file;
    }
}

TEST(VoxelContentTest, GroundHeightMapMatchesTheGround)
{
    ASSERT_TRUE(Game::LoadHeightMapFile(MeshesDir() + "cubetestgroundHM.dat"));
    const Game::CubeHeightMap& map = Game::GetCubeHeightMap();
    EXPECT_EQ(map.width, 32);
    EXPECT_EQ(map.depth, 20);
    EXPECT_EQ(map.heights.size(), 640u);
    float floor = 0.0f, platform = 0.0f;
    ASSERT_TRUE(map.GetHeight(2, 2, floor));
    ASSERT_TRUE(map.GetHeight(23, 8, platform));
    EXPECT_FLOAT_EQ(floor, 3.5f);
    EXPECT_FLOAT_EQ(platform, 11.5f);
}

} // namespace
