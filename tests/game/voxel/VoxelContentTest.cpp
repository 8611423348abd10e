// The prop and test models under bin/assets/meshes: each loads through the game's own readers
// with the parts the game expects.
#include "VoxelTestSupport.h"

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

} // namespace
