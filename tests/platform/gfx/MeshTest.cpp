#include "GfxFixture.h"

#include "platform/gfx/Mesh.h"

#include <cmath>
#include <functional>

using namespace gfx;
using gfxtest::DeviceFixture;

namespace {

struct Shape {
    const char* name;
    std::function<MeshData()> make;
    size_t vertices, faces;
};

const Shape kShapes[] = {
    {"box", [] { return CreateBoxData(1, 1, 1); }, 24, 12},
    {"cylinder", [] { return CreateCylinderData(0.5f, 0.5f, 1.0f, 10, 1); }, 42, 40},
    {"cone", [] { return CreateCylinderData(0.5f, 0.1f, 2.0f, 8, 3); }, 50, 64},
    {"polygon", [] { return CreatePolygonData(0.2094395f, 15); }, 16, 15},
    {"sphere", [] { return CreateSphereData(0.5f, 10, 10); }, 92, 180},
};

float Dot3(const float* a, const float* b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

TEST(MeshGeneratorsTest, CountsWindingAndNormals)
{
    for (const Shape& shape : kShapes) {
        const MeshData data = shape.make();
        EXPECT_EQ(data.vertices.size(), shape.vertices) << shape.name;
        ASSERT_EQ(data.indices.size(), shape.faces * 3) << shape.name;
        const bool flat = std::string(shape.name) == "polygon";
        for (size_t f = 0; f < data.indices.size(); f += 3) {
            const float* a = data.vertices[data.indices[f]].position;
            const float* b = data.vertices[data.indices[f + 1]].position;
            const float* c = data.vertices[data.indices[f + 2]].position;
            const float ab[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]},
                        ac[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
            const float cross[3] = {ab[1] * ac[2] - ab[2] * ac[1], ab[2] * ac[0] - ab[0] * ac[2],
                                    ab[0] * ac[1] - ab[1] * ac[0]};
            // Clockwise seen from outside in left-handed space: the cross product points out.
            const float up[3] = {0, 0, 1};
            const float centroid[3] = {a[0] + b[0] + c[0], a[1] + b[1] + c[1], a[2] + b[2] + c[2]};
            EXPECT_GT(Dot3(cross, flat ? up : centroid), 0.0f) << shape.name << " face " << f / 3;
        }
        for (const MeshVertex& v : data.vertices) {
            EXPECT_NEAR(Dot3(v.normal, v.normal), 1.0f, 1e-4f) << shape.name;
            if (!flat) {
                EXPECT_GE(Dot3(v.normal, v.position), -1e-5f) << shape.name;
            }
        }
    }
}

TEST(MeshGeneratorsTest, ExtentsFollowTheArguments)
{
    const MeshData box = CreateBoxData(2, 4, 6);
    for (const MeshVertex& v : box.vertices) {
        EXPECT_FLOAT_EQ(std::fabs(v.position[0]), 1.0f);
        EXPECT_FLOAT_EQ(std::fabs(v.position[1]), 2.0f);
        EXPECT_FLOAT_EQ(std::fabs(v.position[2]), 3.0f);
    }
    for (const MeshVertex& v : CreateCylinderData(0.5f, 0.25f, 1.0f, 10, 1).vertices) {
        EXPECT_LE(std::fabs(v.position[2]), 0.5f + 1e-6f); // along z, centred
        const float r = std::hypot(v.position[0], v.position[1]);
        EXPECT_LE(r, (v.position[2] < 0 ? 0.5f : 0.25f) + 1e-5f);
    }
    for (const MeshVertex& v : CreateSphereData(0.5f, 10, 10).vertices)
        EXPECT_NEAR(Dot3(v.position, v.position), 0.25f, 1e-5f);
    // Side length 0.2094395 with 15 sides: every edge of the rim has that length.
    const MeshData polygon = CreatePolygonData(0.2094395f, 15);
    const float* p1 = polygon.vertices[1].position;
    const float* p2 = polygon.vertices[2].position;
    EXPECT_NEAR(std::hypot(p2[0] - p1[0], p2[1] - p1[1]), 0.2094395f, 1e-5f);
    // Too few slices or sides give nothing rather than a degenerate mesh.
    EXPECT_TRUE(CreatePolygonData(1.0f, 2).indices.empty());
    EXPECT_TRUE(CreateSphereData(1.0f, 2, 10).indices.empty());
}

using MeshDrawTest = DeviceFixture;

TEST_F(MeshDrawTest, BoxFrontFacesSurviveDirect3DCulling)
{
    auto box = Mesh::Create(Dev(), CreateBoxData(1, 1, 1));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->GetNumVertices(), 24u);
    EXPECT_EQ(box->GetNumFaces(), 12u);
    Dev().SetTransform(TransformState::Projection, PerspectiveFovLH(1.0f, 1.0f, 0.1f, 10.0f));
    Dev().SetRenderState(RenderState::Lighting, 0);
    const struct {
        float eyeZ;
        uint32_t cull;
        uint32_t expected;
    } cases[] = {
        {-3.0f, CULL_CCW, 0xFFFFFFFF}, // outside: the near side faces the eye
        {0.0f, CULL_CCW, 0xFF000000},  // inside: every side faces away and is culled
        {0.0f, CULL_CW, 0xFFFFFFFF},
    };
    for (const auto& c : cases) {
        const float eye[3] = {0, 0, c.eyeZ}, at[3] = {0, 0, 5}, up[3] = {0, 1, 0};
        Dev().SetTransform(TransformState::View, LookAtLH(eye, at, up));
        Dev().SetRenderState(RenderState::CullMode, c.cull);
        Dev().Clear(CLEAR_TARGET | CLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
        box->DrawSubset(0);
        EXPECT_EQ(Pixel(50, 50), c.expected) << "eye z " << c.eyeZ << " cull " << c.cull;
    }
    EXPECT_EQ(Mesh::Create(Dev(), MeshData()), nullptr);
}

} // namespace
