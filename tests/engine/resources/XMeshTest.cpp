// .x meshes as the cache loads them: bounds over every vertex, one subset per material slot,
// refused files.
#include "resources/CXMesh.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

using Vesk::CXMesh;

TEST(XMeshTest, BoundsSpanEveryVertexAndSubsetsFollowTheMaterialSlots)
{
    testsupport::ScratchDir dir;
    // Vertex 4 is used by no face but still counts for the bounds.
    testsupport::WriteFile(dir.File("m.x"), "xof 0303txt 0032\n"
                                            "Mesh m { 5; -1;0;2;, 3;0;2;, 0;4;2;, 0;0;-6;, 0;-7;0;;\n"
                                            " 2; 3;0,1,2;, 3;0,3,1;;\n"
                                            " MeshMaterialList { 3; 2; 0, 2;; } }\n");
    CXMesh mesh;
    ASSERT_TRUE(mesh.Load(dir.File("m.x")));
    EXPECT_EQ(3u, mesh.GetMaterialCount());
    EXPECT_EQ(dir.File("m.x"), mesh.GetPath());
    EXPECT_EQ(-1.0f, mesh.GetAABB().min.x);
    EXPECT_EQ(-7.0f, mesh.GetAABB().min.y);
    EXPECT_EQ(-6.0f, mesh.GetAABB().min.z);
    EXPECT_EQ(3.0f, mesh.GetAABB().max.x);
    EXPECT_EQ(4.0f, mesh.GetAABB().max.y);
    EXPECT_EQ(2.0f, mesh.GetAABB().max.z);
    // Drawing without a graphics device does nothing.
    mesh.Render();

    CXMesh engineDefault;
    ASSERT_TRUE(engineDefault.Load(testsupport::SourceDir() + "/bin/assets/meshes/default.x"));
    EXPECT_EQ(1u, engineDefault.GetMaterialCount());
    EXPECT_EQ(24u, engineDefault.GetData().vertices.size());
    EXPECT_EQ(36u, engineDefault.GetData().indices.size());
    EXPECT_EQ(-0.5f, engineDefault.GetAABB().min.x);
    EXPECT_EQ(0.5f, engineDefault.GetAABB().max.z);
}

TEST(XMeshTest, MissingEmptyAndBinaryFilesDoNotLoad)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("empty.x"), "xof 0303txt 0032\nMesh m { 0;; 0;; }\n");
    testsupport::WriteFile(dir.File("binary.x"), std::string("xof 0303bin 0032\0\1\2", 19));
    for (const char* file : {"none.x", "empty.x", "binary.x"}) {
        CXMesh mesh;
        EXPECT_FALSE(mesh.Load(dir.File(file))) << file;
    }
}
