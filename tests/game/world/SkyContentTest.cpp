// The sky the play state draws around the camera: the mesh "skysphere" is a closed sphere of
// radius 2000 centred on the origin (inside the cameras' far plane), drawn with the material
// "sky".
#include "support/TestSupport.h"

#include "core/CXmlDocument.h"
#include "resources/XFileReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using testsupport::SourceDir;

TEST(SkyContentTest, TheSkyMeshIsAWholeSphereWithItsMaterial)
{
    Vesk::CXmlDocument meshes, materials;
    ASSERT_TRUE(meshes.Load(SourceDir() + "/bin/assets/meshes.xml"));
    ASSERT_TRUE(materials.Load(SourceDir() + "/bin/assets/materials.xml"));
    const Vesk::CXmlElement sky = meshes.GetRoot().FirstChildElement("skysphere");
    ASSERT_NE(sky, nullptr);
    ASSERT_NE(sky.GetAttribute("path"), nullptr);
    EXPECT_NE(materials.GetRoot().FirstChildElement("sky"), nullptr);

    Vesk::XMeshData data;
    std::string error;
    ASSERT_TRUE(Vesk::ReadXFile(SourceDir() + "/bin/" + sky.GetAttribute("path"), data, error)) << error;
    ASSERT_GT(data.vertices.size(), 500u);
    float lowest = 0.0f, highest = 0.0f;
    for (const Vesk::XMeshData::Vertex& v : data.vertices) {
        const float* p = v.position;
        EXPECT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 2000.0f, 0.5f);
        lowest = std::min(lowest, p[1]);
        highest = std::max(highest, p[1]);
    }
    EXPECT_NEAR(lowest, -2000.0f, 0.5f);
    EXPECT_NEAR(highest, 2000.0f, 0.5f);
    EXPECT_EQ(data.indices.size() % 3, 0u);
    for (uint16_t index : data.indices)
        ASSERT_LT(index, data.vertices.size());
}

} // namespace
