// The text .x reader: merged geometry, frame transforms, normals, coordinates and material
// subsets from small inline files, and the files it refuses.
#include "resources/XFileReader.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Vesk::ParseXFile;
using Vesk::XMeshData;

namespace {

const std::string kHeader = "xof 0303txt 0032\n";

// A mesh of a quad (two triangles through a four-corner face) and a triangle, as given.
std::string QuadAndTriangle(const std::string& children)
{
    return "Mesh quad {\n"
           " 5;\n"
           " 0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;, 2.0;2.0;2.0;;\n"
           " 2;\n"
           " 4;0,1,2,3;, 3;1,4,2;;\n" +
           children + "}\n";
}

XMeshData Parse(const std::string& body)
{
    XMeshData data;
    std::string error;
    EXPECT_TRUE(ParseXFile(kHeader + body, data, error)) << error;
    return data;
}

std::vector<float> Positions(const XMeshData& data)
{
    std::vector<float> out;
    for (const XMeshData::Vertex& v : data.vertices)
        out.insert(out.end(), v.position, v.position + 3);
    return out;
}

std::vector<unsigned> SubsetSizes(const XMeshData& data)
{
    std::vector<unsigned> out;
    for (const XMeshData::Subset& s : data.subsets)
        out.push_back(s.indexCount);
    return out;
}

} // namespace

TEST(XFileReaderTest, FacesBecomeFannedTrianglesInOneSubsetWithoutMaterials)
{
    const XMeshData data = Parse(QuadAndTriangle(""));
    EXPECT_EQ((std::vector<float>{0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 2, 2, 2}), Positions(data));
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 0, 2, 3, 1, 4, 2}), data.indices);
    ASSERT_EQ(1u, data.subsets.size());
    EXPECT_EQ(0u, data.subsets[0].startIndex);
    EXPECT_EQ(9u, data.subsets[0].indexCount);
    // Without normals or coordinates both stay zero.
    EXPECT_EQ(0.0f, data.vertices[4].normal[2]);
    EXPECT_EQ(0.0f, data.vertices[4].uv[1]);
}

TEST(XFileReaderTest, MaterialListsGroupTrianglesBySlotAcrossMergedMeshes)
{
    struct Case {
        const char* name;
        std::string body;
        std::vector<unsigned> subsetSizes;
        std::vector<uint16_t> indices;
    };
    const std::string threeMaterials = " MeshMaterialList { 3; 2; 2, 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }\n"
                                       "   {Named} Material Other { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } }\n";
    const Case cases[] = {
        {"per-face slots, one unused", QuadAndTriangle(threeMaterials), {3, 0, 6}, {1, 4, 2, 0, 1, 2, 0, 2, 3}},
        {"one index for every face",
         QuadAndTriangle(" MeshMaterialList { 2; 1; 1;; }\n"),
         {0, 9},
         {0, 1, 2, 0, 2, 3, 1, 4, 2}},
        {"a second mesh gets slots after the first's",
         QuadAndTriangle(" MeshMaterialList { 2; 2; 1, 0;; }\n") +
             "Mesh tri { 3; 0;0;5;, 1;0;5;, 0;1;5;; 1; 3;0,1,2;; }\n",
         {3, 6, 3},
         {1, 4, 2, 0, 1, 2, 0, 2, 3, 5, 6, 7}},
    };
    for (const Case& c : cases) {
        const XMeshData data = Parse(c.body);
        EXPECT_EQ(c.subsetSizes, SubsetSizes(data)) << c.name;
        EXPECT_EQ(c.indices, data.indices) << c.name;
        unsigned start = 0;
        for (const XMeshData::Subset& s : data.subsets) {
            EXPECT_EQ(start, s.startIndex) << c.name;
            start += s.indexCount;
        }
    }
}

TEST(XFileReaderTest, FrameTransformsApplyParentAfterChildInDirect3DRowForm)
{
    // The child scales by 2, its parent moves by (10, 0, 0) in the last row; the top-level
    // matrix outside any frame is ignored.
    const std::string body = "FrameTransformMatrix { 5,0,0,0, 0,5,0,0, 0,0,5,0, 0,0,0,1;; }\n"
                             "Frame parent {\n"
                             " FrameTransformMatrix { 1,0,0,0, 0,1,0,0, 0,0,1,0, 10,0,0,1;; }\n"
                             " Frame child {\n"
                             "  Mesh m { 3; 1;0;0;, 0;1;0;, 0;0;1;; 1; 3;0,1,2;;\n"
                             "   MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; } }\n"
                             "  FrameTransformMatrix { 2,0,0,0, 0,2,0,0, 0,0,2,0, 0,0,0,1;; }\n"
                             " }\n"
                             "}\n";
    const XMeshData data = Parse(body);
    EXPECT_EQ((std::vector<float>{12, 0, 0, 10, 2, 0, 10, 0, 2}), Positions(data));
    // The normal keeps unit length under the scale.
    EXPECT_FLOAT_EQ(1.0f, data.vertices[0].normal[2]);
}

TEST(XFileReaderTest, NormalsSplitSharedCornersAndFollowRotations)
{
    // Two faces share vertices 1 and 2 with different normals; the frame turns by 90 degrees
    // about z (x goes to y).
    const std::string body = "Frame f { FrameTransformMatrix { 0,1,0,0, -1,0,0,0, 0,0,1,0, 0,0,0,1;; }\n"
                             "Mesh m { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;0;; 2; 3;0,1,2;, 3;1,3,2;;\n"
                             " MeshNormals { 2; 1;0;0;, 0;0;-1;; 2; 3;0,0,0;, 3;1,1,1;; }\n"
                             " MeshTextureCoords { 4; 0;0;, 1;0;, 0;1;, 1;1;; } } }\n";
    const XMeshData data = Parse(body);
    ASSERT_EQ(6u, data.vertices.size());
    EXPECT_EQ((std::vector<uint16_t>{0, 1, 2, 3, 4, 5}), data.indices);
    EXPECT_NEAR(0.0f, data.vertices[0].normal[0], 1e-6f);
    EXPECT_NEAR(1.0f, data.vertices[0].normal[1], 1e-6f);
    EXPECT_NEAR(-1.0f, data.vertices[3].normal[2], 1e-6f);
    // Coordinates belong to the position, also on the split copies.
    EXPECT_EQ(1.0f, data.vertices[1].uv[0]);
    EXPECT_EQ(1.0f, data.vertices[3].uv[0]);
    EXPECT_EQ(1.0f, data.vertices[4].uv[1]);
}

TEST(XFileReaderTest, TemplatesCommentsAndUnknownObjectsAreSkipped)
{
    const std::string body = "// a comment\n"
                             "# another\n"
                             "template Vector { <3D82AB5E-62DA-11cf-AB39-0020AF71E433> FLOAT x; FLOAT y; FLOAT z; }\n"
                             "Header { 1; 0; 1; }\n"
                             "Material shared { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; TextureFilename { \"a{b}.png\"; } }\n"
                             "AnimationSet walk { Animation { {m} AnimationKey { 0; 1; 0; 4; 1,0,0,0;;; } } }\n" +
                             QuadAndTriangle(" VertexDuplicationIndices { 5; 5; 0, 1, 2, 3, 4; }\n"
                                             " MeshMaterialList { 1; 1; 0;; {shared} }\n");
    const XMeshData data = Parse(body);
    EXPECT_EQ(5u, data.vertices.size());
    EXPECT_EQ((std::vector<unsigned>{9}), SubsetSizes(data));
}

TEST(XFileReaderTest, RejectsWhatItCannotReadWithTheReason)
{
    const std::string tri = "Mesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;\n";
    std::string deep;
    for (int i = 0; i < 70; ++i)
        deep += "Frame f {\n";
    const std::pair<std::string, const char*> cases[] = {
        {"xof 0303bin 0032" + tri + "}", "only text"},
        {"xof 0303tzip0032" + tri + "}", "only text"},
        {"xof 0303bzip0032", "only text"},
        {"ply\nformat ascii 1.0\n", "not a .x file"},
        {"xof 03", "not a .x file"},
        {kHeader + "Mesh m { 0;; 0;; }", "no vertices"},
        {kHeader + "template T { <0-1> DWORD a; }", "no vertices"},
        {kHeader + "Mesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,3;; }", "index out of range"},
        {kHeader + "Mesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 2;0,1;; }", "fewer than three"},
        {kHeader + tri, "ends inside a mesh"},
        {kHeader + "Mesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1", "expected a count"},
        {kHeader + "Mesh m { 3; 0;0;zero;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }", "expected a number"},
        {kHeader + "Mesh m { 3; 0;0;nan;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }", "expected a number"},
        {kHeader + tri + " MeshNormals { 1; 0;0;1;; 2; 3;0,0,0;, 3;0,0,0;; } }", "face count of the face normals"},
        {kHeader + tri + " MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; } }", "differs in corners"},
        {kHeader + tri + " MeshNormals { 1; 0;0;1;; 1; 3;0,1,0;; } }", "index out of range"},
        {kHeader + tri + " MeshTextureCoords { 2; 0;0;, 1;1;; } }", "texture coordinate count"},
        {kHeader + tri + " MeshMaterialList { 1; 1; 1;; } }", "outside the list"},
        {kHeader + "Mesh m { 4; 0;0;0;, 1;0;0;, 0;1;0;, 1;1;1;; 2; 3;0,1,2;, 3;1,2,3;;"
                   " MeshMaterialList { 2; 3; 0,1,1;; } }",
         "material index count"},
        {kHeader + "Mesh m { 65536; 0;0;0;; }", "too many entries in the vertex count"},
        {kHeader + "Mesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 4000; 3;0,1,2;; }", "than the file can hold"},
        {kHeader + "Mesh m { 4294967296; 0;0;0;; }", "too large"},
        {kHeader + tri + " MeshNormals { 9999; 0;0;1;; 1; 3;0,0,0;; } }", "than the file can hold"},
        {kHeader + tri + " MeshMaterialList { 4294967295; 1; 0;; } }", "than the file can hold"},
        {kHeader + tri + " MeshMaterialList { 1; 4294967295; 0;; } }", "than the file can hold"},
        {kHeader + deep, "nest too deeply"},
        {kHeader + tri + "}\n}", "unbalanced"},
        {kHeader + "Frame f { FrameTransformMatrix { 1,0,0 } }", "expected a number"},
    };
    for (const auto& [text, reason] : cases) {
        XMeshData data;
        std::string error;
        EXPECT_FALSE(ParseXFile(text, data, error)) << text;
        EXPECT_NE(std::string::npos, error.find(reason)) << text << "\n-> " << error;
    }
}

TEST(XFileReaderTest, ReadsFilesAndReportsMissingOnes)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("tri.x"), kHeader + "Mesh m { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;; }");
    XMeshData data;
    std::string error;
    EXPECT_TRUE(Vesk::ReadXFile(dir.File("tri.x"), data, error)) << error;
    EXPECT_EQ(3u, data.indices.size());
    // Only regular files are read: a device would be read until memory runs out.
    for (const std::string& path : {dir.File("none.x"), dir.Path(), std::string("/dev/zero")}) {
        error.clear();
        EXPECT_FALSE(Vesk::ReadXFile(path, data, error)) << path;
        EXPECT_FALSE(error.empty()) << path;
    }
}
