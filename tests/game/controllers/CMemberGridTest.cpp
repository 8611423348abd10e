// The shared controllers' member grid: a gather finds every filed point within the reach on both
// axes, once, in ascending order, whatever cell boundaries and signs lie between them; points
// that are not finite are never filed or found; absurd coordinates and reaches stay safe; and a
// rebuild forgets the last filing.
#include "game/controllers/CMemberGrid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

struct Point {
    float x, z;
};

std::vector<uint32_t> Gather(const Game::CMemberGrid& grid, float x, float z)
{
    std::vector<uint32_t> out = {12345}; // replaced, not appended to
    grid.Gather(x, z, out);
    return out;
}

void File(Game::CMemberGrid& grid, float reach, const std::vector<Point>& points)
{
    grid.Begin(reach);
    for (size_t i = 0; i < points.size(); ++i)
        grid.Add(static_cast<uint32_t>(i), points[i].x, points[i].z);
    grid.Finish();
}

// Every point less than the reach away on both axes is among the gathered ones, each once, in
// ascending order.
void ExpectFindsEveryNearPoint(const Game::CMemberGrid& grid, float reach, const std::vector<Point>& points,
                               const Point& at)
{
    const std::vector<uint32_t> found = Gather(grid, at.x, at.z);
    EXPECT_TRUE(std::is_sorted(found.begin(), found.end()));
    EXPECT_EQ(found.end(), std::adjacent_find(found.begin(), found.end()));
    for (size_t i = 0; i < points.size(); ++i) {
        const bool near = std::fabs(points[i].x - at.x) < reach && std::fabs(points[i].z - at.z) < reach;
        if (near) {
            EXPECT_TRUE(std::binary_search(found.begin(), found.end(), static_cast<uint32_t>(i)))
                << "point " << i << " at " << points[i].x << ", " << points[i].z << " from " << at.x << ", " << at.z;
        }
    }
}

} // namespace

TEST(CMemberGridTest, GatherFindsEveryPointWithinReachAcrossCellBoundariesAndSigns)
{
    const float reach = 18.75f;
    // Points on and around multiples of the reach, on both sides of zero, and a random crowd.
    std::vector<Point> points;
    for (float x : {-37.5f, -18.76f, -18.75f, -18.74f, -0.001f, 0.0f, 0.001f, 18.74f, 18.75f, 18.76f, 37.49f})
        for (float z : {-18.75f, -0.001f, 0.0f, 18.74f, 18.75f})
            points.push_back({x, z});
    std::mt19937 random(29);
    std::uniform_real_distribution<float> spread(-200.0f, 200.0f);
    for (int i = 0; i < 400; ++i)
        points.push_back({spread(random), spread(random)});

    Game::CMemberGrid grid;
    File(grid, reach, points);
    for (const Point& at : points)
        ExpectFindsEveryNearPoint(grid, reach, points, at);
    // A point that was not filed finds the filed ones near it just the same.
    ExpectFindsEveryNearPoint(grid, reach, points, {0.5f, -0.5f});
}

TEST(CMemberGridTest, PointsThatAreNotFiniteAreNeitherFiledNorFoundAndFarOnesStaySafe)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Point> points = {{0, 0}, {nan, 0}, {0, inf}, {-inf, 1}, {1e30f, 1e30f}, {-3e38f, 2e38f}, {1, 1}};
    Game::CMemberGrid grid;
    File(grid, 15.0f, points);
    EXPECT_EQ((std::vector<uint32_t>{0, 6}), Gather(grid, 0.5f, 0.5f));
    EXPECT_TRUE(Gather(grid, nan, 0.0f).empty());
    EXPECT_TRUE(Gather(grid, inf, inf).empty());
    // Far beyond the cells' range the points share the outermost cells: still found.
    EXPECT_EQ((std::vector<uint32_t>{4}), Gather(grid, 1e30f, 1e30f));
    EXPECT_EQ((std::vector<uint32_t>{5}), Gather(grid, -3e38f, 2e38f));
}

TEST(CMemberGridTest, ReachDecidesWhatIsFiled)
{
    const float inf = std::numeric_limits<float>::infinity();
    const std::vector<Point> points = {{0, 0}, {1000, -1000}, {-3e38f, 3e38f}};
    struct Row {
        const char* name;
        float reach;
        std::vector<uint32_t> found; // from the origin
    };
    const Row rows[] = {
        {"a reach of 0 files nothing", 0.0f, {}},
        {"a negative reach files nothing", -5.0f, {}},
        {"a reach that is not a number files nothing", std::numeric_limits<float>::quiet_NaN(), {}},
        {"an infinite reach puts every finite point in one cell", inf, {0, 1, 2}},
        {"a huge reach finds the far points", 1e37f, {0, 1}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Game::CMemberGrid grid;
        File(grid, row.reach, points);
        EXPECT_EQ(row.found, Gather(grid, 0.0f, 0.0f));
    }
}

TEST(CMemberGridTest, RebuildForgetsTheLastFilingAndNothingIsFoundBeforeFinish)
{
    Game::CMemberGrid grid;
    std::vector<Point> many;
    for (int i = 0; i < 100; ++i)
        many.push_back({static_cast<float>(i % 10), static_cast<float>(i / 10)});
    File(grid, 15.0f, many);
    EXPECT_EQ(100u, Gather(grid, 0.0f, 0.0f).size());

    grid.Begin(15.0f);
    grid.Add(7, 1.0f, 1.0f);
    EXPECT_TRUE(Gather(grid, 1.0f, 1.0f).empty());
    grid.Finish();
    EXPECT_EQ((std::vector<uint32_t>{7}), Gather(grid, 0.0f, 0.0f));
}
