// A body's debug drawing lands in the renderer's line queue where the body is.
#include "PhysicsTestSupport.h"

#include "render/CRenderer.h"

#include <algorithm>
#include <vector>

using namespace Vesk;
using physicstest::PhysicsTest;

namespace {

std::vector<CVector3D> QueuedPoints()
{
    std::vector<CVector3D> points;
    for (const CRenderer::DebugVertex& v : CRenderer::GetInstance().GetQueuedLines())
        points.emplace_back(v.x, v.y, v.z);
    return points;
}

bool Contains(const std::vector<CVector3D>& points, const CVector3D& p)
{
    return std::any_of(points.begin(), points.end(), [&p](const CVector3D& q) {
        return std::abs(q.x - p.x) < 1e-4f && std::abs(q.y - p.y) < 1e-4f && std::abs(q.z - p.z) < 1e-4f;
    });
}

} // namespace

TEST_F(PhysicsTest, OrientedBoxFollowsTheBodysTurnAndVelocityLineStartsAtTheBody)
{
    auto body = AddBox(CVector3D(4, 2, 2), 1.0f, CVector3D(10, 0, 0));
    CMatrix4 quarterTurnAboutY; // x goes to -z, z to x
    quarterTurnAboutY(0, 0) = 0.0f, quarterTurnAboutY(0, 2) = 1.0f;
    quarterTurnAboutY(2, 0) = -1.0f, quarterTurnAboutY(2, 2) = 0.0f;
    body->SetRotation(quarterTurnAboutY);

    const size_t before = CRenderer::GetInstance().GetQueuedLines().size();
    body->DrawOrientedBox(255, 0, 0);
    std::vector<CVector3D> points = QueuedPoints();
    ASSERT_EQ(before + 24, points.size());
    // The long local x axis (half 2) now runs along z.
    EXPECT_TRUE(Contains(points, CVector3D(11, 1, -2)));
    EXPECT_TRUE(Contains(points, CVector3D(9, -1, 2)));
    EXPECT_FALSE(Contains(points, CVector3D(12, 1, 1)));

    body->SetLinearVelocity(CVector3D(0, 3, 0));
    body->DrawVelocity(0, 255, 0);
    points = QueuedPoints();
    ASSERT_EQ(before + 26, points.size());
    EXPECT_TRUE(Contains({points[before + 24]}, CVector3D(10, 0, 0)));
    EXPECT_TRUE(Contains({points[before + 25]}, CVector3D(10, 3, 0)));
    EXPECT_EQ(0xFF00FF00u, CRenderer::GetInstance().GetQueuedLines().back().colour);
}
