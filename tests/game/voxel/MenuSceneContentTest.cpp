// The title scene's models under bin/assets/meshes: each loads through the game's own reader with
// its parts and clips, and the names the menu asks for are in meshes.xml.
#include "VoxelTestSupport.h"

#include "core/CXmlDocument.h"

#include <gtest/gtest.h>

#include <string>

using Game::CVeskCubeMesh;
using testsupport::SourceDir;

namespace {

std::string MeshesDir() { return SourceDir() + "/bin/assets/meshes/"; }

TEST(MenuSceneContentTest, ModelsLoadWithTheirPartsAndClips)
{
    const struct {
        const char* file;
        std::vector<std::string> submeshes;
        std::vector<std::string> clips;
    } models[] = {
        {"island.vskc", {"island"}, {}},
        {"windmill.vskc", {"base", "sails"}, {"IDLE"}},
        {"title_test2.vskc", {"title"}, {}},
    };
    for (const auto& m : models) {
        CVeskCubeMesh mesh;
        ASSERT_TRUE(mesh.Load(MeshesDir() + m.file)) << m.file;
        voxeltest::ExpectConsistent(mesh);
        EXPECT_EQ(m.submeshes, mesh.GetSubmeshes()) << m.file;
        std::vector<std::string> clips;
        for (const auto& clip : mesh.GetAnimations())
            clips.push_back(clip.first);
        EXPECT_EQ(m.clips, clips) << m.file;
    }
}

TEST(MenuSceneContentTest, TheMenuFindsEveryModelByNameAndTheSwordsmanStretches)
{
    Vesk::CXmlDocument meshes;
    ASSERT_TRUE(meshes.Load(SourceDir() + "/bin/assets/meshes.xml"));
    for (const char* name : {"island", "windmill", "title_test2", "swordman"})
        EXPECT_TRUE(meshes.GetRoot().FirstChildElement(name) != nullptr) << name;
    const char* swordman = meshes.GetRoot().FirstChildElement("swordman").GetAttribute("path");
    ASSERT_NE(nullptr, swordman);
    CVeskCubeMesh mesh;
    ASSERT_TRUE(mesh.Load(SourceDir() + "/bin/" + swordman));
    EXPECT_EQ(1u, mesh.GetAnimations().count("STRETCH"));
}

} // namespace
