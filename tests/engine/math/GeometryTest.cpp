#include "math/AABB.h"
#include "math/Frustum.h"
#include "math/GameMath.h"
#include "math/Matrix4.h"
#include "math/Plane.h"
#include "math/Ray.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

void ExpectVector(const CVector3D& actual, const CVector3D& expected, float tolerance = 1e-5f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

void ExpectPlane(const CPlane& actual, const CPlane& expected)
{
    EXPECT_NEAR(actual.nx, expected.nx, 1e-5f);
    EXPECT_NEAR(actual.ny, expected.ny, 1e-5f);
    EXPECT_NEAR(actual.nz, expected.nz, 1e-5f);
    EXPECT_NEAR(actual.d, expected.d, 1e-5f);
}

CAABB Box(float x0, float y0, float z0, float x1, float y1, float z1)
{
    return CAABB(CVector3D(x0, y0, z0), CVector3D(x1, y1, z1));
}

// The cube [-1, 1]^3 with outward normals: +x, -x, +y, -y, +z, -z.
CFrustum UnitCube()
{
    CFrustum f;
    f[0] = CPlane(1, 0, 0, -1);
    f[1] = CPlane(-1, 0, 0, -1);
    f[2] = CPlane(0, 1, 0, -1);
    f[3] = CPlane(0, -1, 0, -1);
    f[4] = CPlane(0, 0, 1, -1);
    f[5] = CPlane(0, 0, -1, -1);
    return f;
}

TEST(GeometryTest, PlaneClassifiesBoxes)
{
    const CPlane plane(1, 0, 0, 0);
    const struct {
        CAABB box;
        int side;
    } cases[] = {
        {Box(1, 0, 0, 2, 1, 1), CPlane::kInFront},     {Box(-2, 0, 0, -1, 1, 1), CPlane::kBehind},
        {Box(-1, 0, 0, 1, 1, 1), CPlane::kStraddling}, {Box(0, 0, 0, 1, 1, 1), CPlane::kStraddling},
        {Box(-1, 0, 0, 0, 1, 1), CPlane::kStraddling},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(plane.ClassifyAABB(c.box), c.side);
        EXPECT_EQ(PlaneIntersectsAABB(plane, c.box), c.side == CPlane::kStraddling);
    }
}

TEST(GeometryTest, PlaneConstructionNormalisationAndTransform)
{
    CPlane plane;
    plane.FromNormalAndPoint(CVector3D(0, 2, 0), CVector3D(7, 3, 1));
    ExpectPlane(plane, CPlane(0, 1, 0, -3));

    CPlane scaled(0, 2, 0, 4);
    scaled.Normalize();
    ExpectPlane(scaled, CPlane(0, 1, 0, 2));
    CPlane degenerate(0, 0, 0, 4);
    degenerate.Normalize();
    ExpectPlane(degenerate, CPlane(0, 0, 0, 4));

    CMatrix4 translate;
    translate.m[7] = 5;
    CMatrix4 rotate;
    rotate.RotationZ(90); // maps +y to +x
    CMatrix4 stretch;
    stretch.m[5] = 2;
    CMatrix4 flatten;
    flatten.m[5] = 0;
    const struct {
        const CMatrix4* m;
        CPlane expected;
    } cases[] = {
        {&translate, CPlane(0, 1, 0, -6)},
        {&rotate, CPlane(1, 0, 0, -1)},
        {&stretch, CPlane(0, 1, 0, -2)},
        {&flatten, CPlane(0, 1, 0, -1)}, // singular: unchanged
    };
    for (const auto& c : cases) {
        CPlane p(0, 1, 0, -1); // y = 1
        p.Transform(*c.m);
        ExpectPlane(p, c.expected);
    }
}

TEST(GeometryTest, FrustumAcceptsAtTheFirstStraddledPlane)
{
    const CFrustum cube = UnitCube();
    const struct {
        const char* what;
        CAABB box;
        bool visible;
    } cases[] = {
        {"inside", Box(-0.5f, -0.5f, -0.5f, 0.5f, 0.5f, 0.5f), true},
        {"enclosing", Box(-5, -5, -5, 5, 5, 5), true},
        {"outside the first plane", Box(5, 0, 0, 6, 1, 1), false},
        {"outside a later plane only", Box(0, -20, 0, 0.5f, -19, 0.5f), false},
        {"straddling the first, outside the fourth", Box(0.5f, -20, 0, 1.5f, -19, 0.5f), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cube.Intersects(c.box), c.visible) << c.what;
}

TEST(GeometryTest, BoxEdits)
{
    const CAABB sized(CVector3D(1, 2, 3), 2, 4, 6);
    ExpectVector(sized.min, CVector3D(0, 0, 0));
    ExpectVector(sized.max, CVector3D(2, 4, 6));
    ExpectVector(sized.GetCenter(), CVector3D(1, 2, 3));

    CAABB box = sized;
    box.SetHalfExtents(CVector3D(1, 1, 1));
    ExpectVector(box.min, CVector3D(0, 1, 2));
    ExpectVector(box.max, CVector3D(2, 3, 4));

    box = sized;
    box.SetCenter(CVector3D(0, 0, 0));
    ExpectVector(box.min, CVector3D(-1, -2, -3));
    ExpectVector(box.max, CVector3D(1, 2, 3));

    box = sized;
    box.Scale(CVector3D(2, 0.5f, 1));
    ExpectVector(box.min, CVector3D(-1, 1, 0));
    ExpectVector(box.max, CVector3D(3, 3, 6));

    box = Box(0, 0, 0, 1, 1, 1);
    box.Merge(Box(-1, 0.5f, 0.5f, 0.5f, 3, 0.7f));
    ExpectVector(box.min, CVector3D(-1, 0, 0));
    ExpectVector(box.max, CVector3D(1, 3, 1));

    box = Box(1, 0, 5, 0, 2, 3);
    box.SortCorners();
    ExpectVector(box.min, CVector3D(0, 0, 3));
    ExpectVector(box.max, CVector3D(1, 2, 5));
}

TEST(GeometryTest, BoxOverlapTransformAndPoints)
{
    const CAABB unit = Box(0, 0, 0, 1, 1, 1);
    const struct {
        CAABB other;
        bool overlaps;
    } cases[] = {
        {Box(1, 0, 0, 2, 1, 1), true}, // shared face
        {Box(0.5f, 0.5f, 0.5f, 3, 3, 3), true}, {Box(-1, -1, -1, 2, 2, 2), true},  {Box(1.01f, 0, 0, 2, 1, 1), false},
        {Box(0, -2, 0, 1, -0.01f, 1), false},   {Box(0, 0, 1.5f, 1, 1, 2), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(unit.Intersects(c.other), c.overlaps);
        EXPECT_EQ(c.other.Intersects(unit), c.overlaps);
    }

    CMatrix4 m;
    m.RotationY(90); // (x, y, z) -> (-z, y, x)
    m.m[3] = 10;
    CAABB moved = Box(0, 0, 0, 1, 2, 3);
    moved.Transform(m);
    ExpectVector(moved.min, CVector3D(7, 0, 0));
    ExpectVector(moved.max, CVector3D(10, 2, 1));

    const CVector3D points[] = {{1, -2, 3}, {-1, 5, 0}, {0, 0, 4}};
    const CAABB fitted = CAABB::FromPoints(points, 3);
    ExpectVector(fitted.min, CVector3D(-1, -2, 0));
    ExpectVector(fitted.max, CVector3D(1, 5, 4));
    const CAABB empty = CAABB::FromPoints(points, 0);
    EXPECT_EQ(empty.min.x, 3.4028235e38f);
    EXPECT_EQ(empty.max.z, -3.4028235e38f);
}

TEST(GeometryTest, RayAgainstBox)
{
    const CAABB box = Box(-1, -1, -1, 1, 1, 1);
    const struct {
        const char* what;
        CRay ray;
        bool hit;
        float distance;
    } cases[] = {
        {"towards", {{-5, 0, 0}, {1, 0, 0}}, true, 4},
        {"towards, long direction", {{-5, 0, 0}, {2, 0, 0}}, true, 2},
        {"diagonal", {{-5, -5, 0}, {1, 1, 0}}, true, 4},
        {"along a face", {{-5, 1, 0}, {1, 0, 0}}, true, 4},
        {"from inside", {{0, 0, 0}, {1, 0, 0}}, false, 0},
        {"away", {{-5, 0, 0}, {-1, 0, 0}}, false, 0},
        {"parallel outside the slab", {{-5, 3, 0}, {1, 0, 0}}, false, 0},
        {"passing by", {{-5, 0, 0}, {1, 1, 0}}, false, 0},
    };
    for (const auto& c : cases) {
        float distance = -99;
        EXPECT_EQ(RayIntersectAABB(c.ray, box, &distance), c.hit) << c.what;
        EXPECT_EQ(RayHitsAABB(c.ray, box), c.hit) << c.what;
        if (c.hit) {
            EXPECT_FLOAT_EQ(distance, c.distance) << c.what;
        }
    }
}

TEST(GeometryTest, RayAgainstPlane)
{
    const CPlane ground(0, 1, 0, 0);
    const CPlane raised(0, 1, 0, -2);
    const struct {
        const char* what;
        CPlane plane;
        CRay ray;
        bool hit;
        float distance;
    } cases[] = {
        {"down onto it", ground, {{0, 5, 0}, {0, -1, 0}}, true, 5},
        {"long direction", ground, {{0, 5, 0}, {0, -2, 0}}, true, 2.5f},
        {"up from below", ground, {{0, -5, 0}, {0, 1, 0}}, true, 5},
        {"offset plane", raised, {{0, 5, 0}, {0, -1, 0}}, true, 3},
        {"oblique", ground, {{0, 4, 0}, {1, -1, 0}}, true, 4},
        {"away", ground, {{0, 5, 0}, {0, 1, 0}}, false, 0},
        {"parallel beside it", ground, {{0, 5, 0}, {1, 0, 0}}, false, 0},
        {"origin on it", ground, {{3, 0, 0}, {1, 0, 0}}, true, 0},
        {"origin on it, moving away", ground, {{3, 0, 0}, {0, 1, 0}}, true, 0},
    };
    for (const auto& c : cases) {
        float distance = -99;
        EXPECT_EQ(RayIntersectPlane(c.ray, c.plane, &distance), c.hit) << c.what;
        if (c.hit) {
            EXPECT_FLOAT_EQ(distance, c.distance) << c.what;
        }
    }
}

TEST(GeometryTest, CountDownAnswersFalseOnceOnExactlyZero)
{
    float timer = 0.5f;
    const struct {
        float dt;
        bool done;
        float left;
    } steps[] = {{0.25f, false, 0.25f}, {0.25f, false, 0.0f}, {0.25f, true, 0.0f}, {0.0f, true, 0.0f}, {5, true, 0}};
    for (const auto& s : steps) {
        EXPECT_EQ(CountDown(&timer, s.dt), s.done);
        EXPECT_EQ(timer, s.left);
    }

    const struct {
        float start;
        float dt;
        bool done;
        float left;
    } cases[] = {
        {0.1f, 0.25f, true, 0},
        {1, 0.25f, false, 0.75f},
        {-3, 0.25f, true, 0},
        {std::numeric_limits<float>::quiet_NaN(), 0.25f, true, 0},
    };
    for (const auto& c : cases) {
        float t = c.start;
        EXPECT_EQ(CountDown(&t, c.dt), c.done) << c.start;
        EXPECT_EQ(t, c.left) << c.start;
    }
}

TEST(GeometryTest, FacingOffsetToWorld)
{
    const struct {
        CVector3D facing;
        CVector3D offset;
        CVector3D world;
    } cases[] = {
        {{0, 0, 1}, {2, 1, 3}, {3, 1, 2}},  {{0, 0, 5}, {2, 1, 3}, {3, 1, 2}}, {{1, 0, 0}, {2, 0, 0}, {2, 0, 0}},
        {{1, 0, 0}, {0, 0, 1}, {0, 0, -1}}, {{0, 0, 0}, {2, 1, 3}, {0, 1, 0}},
    };
    for (const auto& c : cases) {
        CVector3D out(9, 9, 9);
        ExpectVector(FacingOffsetToWorld(out, c.facing, c.offset), c.world);
        ExpectVector(out, c.world);
    }
}

TEST(GeometryDeathTest, FrustumIndexAsserts)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CFrustum f;
    EXPECT_DEATH(f[6], "i < 6");
}

} // namespace
