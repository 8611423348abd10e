// The prop and test models under bin/assets/meshes: each loads through the
// game's own readers with the parts the game expects, and the generator reproduces them exactly.
#include "VoxelTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

using Game::CVeskCubeMesh;
using testsupport::GameExecutable;
using testsupport::ReadFile;
using testsupport::SourceDir;

namespace {

const char* const kGenerated[] = {"crate.vskc", "crateFull.vskc", "potion_v2.vskc", "testmesh.vskc"};

std::string MeshesDir() { return SourceDir() + "/bin/assets/meshes/"; }

TEST(VoxelContentTest, ModelsLoadWithTheirParts)
{
    const struct {
        const char* file;
        std::vector<std::string> submeshes;
    } models[] = {
        {"crate.vskc", {"crate"}},
        {"crateFull.vskc", {"crate", "loot"}},
        {"potion_v2.vskc", {"bottle", "cork"}},
        {"testmesh.vskc", {"block"}},
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
