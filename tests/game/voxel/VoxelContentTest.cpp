// The voxel models and height map under bin/assets/meshes: each loads through the game's own
// readers with the parts and clips the game expects, and the generator reproduces them exactly.
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

const char* const kGenerated[] = {"koboldminion.vskc", "crate.vskc", "cubetestground.vskc", "cubetestgroundHM.dat"};

std::string MeshesDir() { return SourceDir() + "/bin/assets/meshes/"; }

TEST(VoxelContentTest, ModelsLoadWithTheirPartsAndClips)
{
    const struct {
        const char* file;
        std::vector<std::string> submeshes;
        std::vector<std::string> clips;
    } models[] = {
        {"koboldminion.vskc", {"armL", "armR", "body", "club", "head", "legL", "legR"}, {"IDLE", "WALK"}},
        {"crate.vskc", {"crate"}, {}},
        {"cubetestground.vskc", {"ground"}, {}},
    };
    for (const auto& m : models) {
        CVeskCubeMesh mesh;
        ASSERT_TRUE(mesh.Load(MeshesDir() + m.file)) << m.file;
        voxeltest::ExpectConsistent(mesh);
        EXPECT_EQ(mesh.GetSubmeshes(), m.submeshes) << m.file;
        for (const auto& entry : mesh.GetSubmeshMap())
            EXPECT_GT(entry.second->visibleCount, 0) << m.file << ' ' << entry.first;
        EXPECT_EQ(mesh.GetAnimations().size(), m.clips.size()) << m.file;
        for (const std::string& clip : m.clips) {
            ASSERT_EQ(mesh.GetAnimations().count(clip), 1u) << m.file << ' ' << clip;
            const Game::CubeAnimation& animation = mesh.GetAnimations().at(clip);
            EXPECT_GT(animation.fps, 0) << clip;
            ASSERT_GE(animation.keyframes.size(), 2u) << clip;
            // A part missing from a keyframe would jump to the model's origin.
            for (const Game::CubeKeyframe& key : animation.keyframes)
                EXPECT_EQ(key.poses.size(), m.submeshes.size()) << clip << " frame " << key.frame;
        }
    }
    CVeskCubeMesh kobold;
    ASSERT_TRUE(kobold.Load(MeshesDir() + "koboldminion.vskc"));
    EXPECT_EQ(kobold.GetRoots().size(), 1u);
    EXPECT_EQ(kobold.FindSubmesh("club")->parent, kobold.FindSubmesh("armR"));
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
