// The renderer's lights, colour packing and debug queues, without a device.
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace Vesk;

namespace {

TEST(RendererLightsTest, EmptyListAndClampedIndices)
{
    CRenderer& renderer = CRenderer::GetInstance();
    EXPECT_EQ(renderer.GetLight(0), nullptr);
    EXPECT_EQ(renderer.AddLight(), 0);
    const CLight* light = renderer.GetLight(0);
    ASSERT_NE(light, nullptr);
    EXPECT_FLOAT_EQ(light->m_Ambient[3], 0.2f);
    EXPECT_FLOAT_EQ(light->m_Diffuse[0], 0.7f);
    EXPECT_FLOAT_EQ(light->m_Specular[2], 1.0f);
    EXPECT_FLOAT_EQ(light->m_Direction[2], 1.0f);
    EXPECT_FLOAT_EQ(light->m_Power, 100.0f);
    EXPECT_FLOAT_EQ(light->m_DistanceAttenuation[1], 0.1f);
    EXPECT_FLOAT_EQ(light->m_SpotAttenuation[1], 30.0f);
    EXPECT_EQ(light->m_Type, 0);

    EXPECT_EQ(renderer.AddLight(), 1);
    EXPECT_EQ(renderer.GetLight(5), renderer.GetLight(1));
    EXPECT_EQ(renderer.GetLight(-3), renderer.GetLight(0));
}

TEST(RendererColoursTest, PackedArgbFromEachDrawCall)
{
    const struct {
        float r, g, b, a;
        uint32_t expected;
    } cases[] = {
        {255, 128, 0, 128, 0x80FF8000},
        {12.9f, 0.5f, 254.99f, 255, 0xFF0C00FE},      // truncated toward zero
        {256.0f, 300.0f, -1.0f, 1000.0f, 0xFFFFFF00}, // clamped instead of wrapping to 0
        {std::nanf(""), 0, 0, 0, 0x00000000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CRenderer::PackColour(c.r, c.g, c.b, c.a), c.expected) << c.r << " " << c.g << " " << c.b;

    CRenderer& renderer = CRenderer::GetInstance();
    renderer.DrawLine(CVector3D(), CVector3D(1, 0, 0), 0x1FF, 0x20, 0x30); // only the low byte of red counts
    renderer.DrawAABB(CAABB(CVector3D(0, 0, 0), CVector3D(1, 2, 3)), 10.7f, 20, 30);
    const auto& lines = renderer.GetQueuedLines();
    ASSERT_EQ(lines.size(), 2u + 24u);
    EXPECT_EQ(lines[0].colour, 0xFFFF2030u);
    EXPECT_EQ(lines[2].colour, 0xFF0A141Eu);
}

// Each test starts with the queues empty.
class RendererDebugQueuesTest : public ::testing::Test {
protected:
    void SetUp() override { testsupport::ResetManagers(); }
};

TEST_F(RendererDebugQueuesTest, AabbEdgesCoverTheBox)
{
    CRenderer& renderer = CRenderer::GetInstance();
    renderer.DrawAABB(CAABB(CVector3D(-1, -2, -3), CVector3D(1, 2, 3)), 255, 255, 255);
    const auto& lines = renderer.GetQueuedLines();
    ASSERT_EQ(lines.size(), 24u);
    // Every edge joins two corners that differ on exactly one axis.
    for (size_t i = 0; i < lines.size(); i += 2) {
        const int differing =
            (lines[i].x != lines[i + 1].x) + (lines[i].y != lines[i + 1].y) + (lines[i].z != lines[i + 1].z);
        EXPECT_EQ(differing, 1) << "edge " << i / 2;
    }
}

TEST_F(RendererDebugQueuesTest, GridLineCounts)
{
    const struct {
        uint32_t countX, countZ;
        size_t lines;
    } cases[] = {{0, 0, 2}, {1, 0, 3}, {3, 2, 7}, {250, 250, 502}};
    for (const auto& c : cases) {
        CRenderer& renderer = CRenderer::GetInstance();
        renderer.DrawGrid(CVector3D(10, 5, 20), 4.0f, c.countX, c.countZ, 128, 128, 128, 128);
        EXPECT_EQ(renderer.GetQueuedLines().size(), 2 * c.lines) << c.countX << "x" << c.countZ;
        renderer.RenderDebugLines(); // empties the queue
    }
    CRenderer& renderer = CRenderer::GetInstance();
    renderer.DrawGrid(CVector3D(10, 5, 20), 4.0f, 2, 1, 1, 2, 3, 4);
    const auto& v = renderer.GetQueuedLines();
    // First the lines along z from x0 = 8, then those along x from z0 = 18; y stays at the origin.
    EXPECT_FLOAT_EQ(v[0].x, 8.0f);
    EXPECT_FLOAT_EQ(v[0].z, 18.0f);
    EXPECT_FLOAT_EQ(v[1].z, 24.0f); // zEnd = 20 + 1 * 4, without the half-cell shift
    EXPECT_FLOAT_EQ(v[4].x, 16.0f);
    EXPECT_FLOAT_EQ(v[6].x, 8.0f);
    EXPECT_FLOAT_EQ(v[7].x, 18.0f);
    EXPECT_FLOAT_EQ(v[9].z, 22.0f);
    EXPECT_FLOAT_EQ(v[9].y, 5.0f);
    EXPECT_EQ(v[0].colour, 0x04010203u);
}

TEST_F(RendererDebugQueuesTest, LinesNeverPileUpWhileHidden)
{
    CRenderer& renderer = CRenderer::GetInstance();
    const unsigned char saved = CRenderer::s_DebugDrawFlags;
    CRenderer::ClearDebugDrawFlags(2);
    EXPECT_EQ(CRenderer::s_DebugDrawFlags, 1);
    for (int frame = 0; frame < 3; ++frame) {
        renderer.DrawLine(CVector3D(), CVector3D(1, 1, 1), 255, 255, 255);
        renderer.RenderDebugLines();
    }
    EXPECT_TRUE(renderer.GetQueuedLines().empty());
    CRenderer::SetDebugDrawFlags(2);
    EXPECT_EQ(CRenderer::s_DebugDrawFlags, 3);
    CRenderer::s_DebugDrawFlags = saved;
}

TEST_F(RendererDebugQueuesTest, QuadsAndTrianglesFarthestFirst)
{
    CCameraManager::GetInstance().Init(); // eye at (0, 0, -40)
    CRenderer& renderer = CRenderer::GetInstance();
    const CVector3D v(0, 1, 0), u(1, 0, 0);
    renderer.DrawQuad(CVector3D(0, 0, 10), v, u, 255, 0, 0, 255);
    renderer.DrawQuad(CVector3D(0, 0, 100), v, u, 0, 255, 0, 255);
    renderer.DrawTriangle(CVector3D(-1, 0, 50), CVector3D(1, 0, 50), CVector3D(0, 3, 50), 0, 0, 255, 255);
    renderer.RenderDebugQuads();

    const auto& vertices = renderer.GetLastQuadVertices();
    ASSERT_EQ(vertices.size(), 6u + 6u + 3u);
    EXPECT_EQ(vertices[0].colour, 0xFF00FF00u); // z 100
    EXPECT_EQ(vertices[6].colour, 0xFF0000FFu); // the triangle at z 50
    EXPECT_EQ(vertices[9].colour, 0xFFFF0000u); // z 10
    // C - U - V, C - U + V, C + U + V, C + U + V, C + U - V, C - U - V
    const float expected[6][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, 1}, {1, -1}, {-1, -1}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_FLOAT_EQ(vertices[9 + i].x, expected[i][0]) << i;
        EXPECT_FLOAT_EQ(vertices[9 + i].y, expected[i][1]) << i;
        EXPECT_FLOAT_EQ(vertices[9 + i].z, 10.0f) << i;
    }
    renderer.RenderDebugQuads();
    EXPECT_TRUE(renderer.GetLastQuadVertices().empty());
    CCameraManager::GetInstance().Shutdown();
}

} // namespace
