// The prop, test and cube-test models and height map under bin/assets/meshes: each loads through the
// game's own readers with the parts the game expects, and the generator reproduces them exactly.
#include "VoxelTestSupport.h"

#include "game/voxel/CubeHeightMap.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using Game::CVeskCubeMesh;
using testsupport::GameExecutable;
using testsupport::ReadFile;
using testsupport::SourceDir;

namespace {

const char* const kGenerated[] = {"crate.vskc",    "crateFull.vskc",      "potion_v2.vskc",
                                  "testmesh.vskc", "cubetestground.vskc", "cubetestgroundHM.dat"};

std::string MeshesDir() { return SourceDir() + "/bin/assets/meshes/"; }

TEST(VoxelContentTest, ModelsLoadWithTheirParts)
{
    const struct {
        const char* file;
        std::vector<std::string> submeshes;
    } models[] = {
        {"crate.vskc", {"crate"}},    {"crateFull.vskc", {"crate", "loot"}}, {"potion_v2.vskc", {"bottle", "cork"}},
        {"testmesh.vskc", {"block"}}, {"cubetestground.vskc", {"ground"}},
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

TEST(VoxelContentTest, GeneratorReproducesTheCommittedFiles)
{
    testsupport::ScratchDir dir;
    const std::string exe = GameExecutable().substr(0, GameExecutable().rfind('/')) + "/gen_voxel_models";
    const std::string command = "'" + exe + "' '" + dir.Path() + "' > /dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    for (const char* file : kGenerated)
        EXPECT_EQ(ReadFile(dir.File(file)), ReadFile(MeshesDir() + file))
            << file << " is out of date: rerun the generator";
}

} // namespace
