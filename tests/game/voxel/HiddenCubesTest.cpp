#include "VoxelTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

using Game::CubeSubmesh;
using Game::CVeskCubeMesh;

namespace {

struct HiddenCase {
    const char* name;
    std::vector<CVector3D> positions;
    int cubeCount;
    int visibleCount;
    std::vector<uint32_t> codes; // after removal, in stored order
};

CubeSubmesh* Submesh(CVeskCubeMesh& mesh, const std::vector<CVector3D>& positions)
{
    CubeSubmesh* s = mesh.CreateSubmesh("s");
    s->restPositions = positions;
    for (std::size_t i = 0; i < positions.size(); ++i)
        s->colours.push_back(CVector3D(float(i), 0, 0));
    s->cubeCount = static_cast<int>(positions.size());
    return s;
}

std::vector<CVector3D> Block(int n, const CVector3D& corner = CVector3D())
{
    std::vector<CVector3D> cubes;
    for (int x = 0; x < n; ++x)
        for (int y = 0; y < n; ++y)
            for (int z = 0; z < n; ++z)
                cubes.push_back(corner + CVector3D(float(x), float(y), float(z)));
    return cubes;
}

TEST(HiddenCubesTest, NeighbourCodesAndStoredOrder)
{
    std::vector<uint32_t> solidCodes; // 3x3x3 in x, y, z order, centre moved last
    const HiddenCase cases[] = {
        {"line along x", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, 3, 3, {1, 11, 10}},
        {"line along y", {{0, 0, 0}, {0, 1, 0}, {0, 2, 0}}, 3, 3, {100, 1100, 1000}},
        {"line along z", {{0, 0, 5}, {0, 0, 6}, {0, 0, 7}}, 3, 3, {10000, 110000, 100000}},
        {"duplicate drops the first", {{1, 1, 1}, {2, 1, 1}, {1, 1, 1}}, 2, 2, {10, 1}},
        {"offsets round to the nearest cell", {{0, 0, 0}, {1.4f, 0, 0}, {0.4f, 3, 0}}, 3, 3, {1, 10, 0}},
        {"empty", {}, 0, 0, {}},
        {"single", {{-7, 3, 2}}, 1, 1, {0}},
    };
    for (const HiddenCase& c : cases) {
        CVeskCubeMesh mesh;
        CubeSubmesh* s = Submesh(mesh, c.positions);
        mesh.RemoveHiddenCubes(s);
        EXPECT_EQ(s->cubeCount, c.cubeCount) << c.name;
        EXPECT_EQ(s->visibleCount, c.visibleCount) << c.name;
        EXPECT_EQ(s->neighbourCodes, c.codes) << c.name;
        voxeltest::ExpectConsistent(mesh);
    }
}

TEST(HiddenCubesTest, SolidBlockStoresItsCentreLast)
{
    CVeskCubeMesh mesh;
    CubeSubmesh* s = Submesh(mesh, Block(3));
    mesh.RemoveHiddenCubes(s);
    ASSERT_EQ(s->cubeCount, 27);
    EXPECT_EQ(s->visibleCount, 26);
    EXPECT_EQ(s->neighbourCodes[26], Game::kCubeEnclosed);
    EXPECT_FLOAT_EQ(s->restPositions[26].x, 1.0f);
    EXPECT_FLOAT_EQ(s->restPositions[26].y, 1.0f);
    EXPECT_FLOAT_EQ(s->restPositions[26].z, 1.0f);
    EXPECT_FLOAT_EQ(s->colours[26].x, 13.0f) << "colours travel with their cubes";
    EXPECT_FLOAT_EQ(s->colours[13].x, 14.0f) << "visible cubes keep their order";
    for (int i = 0; i < 26; ++i)
        EXPECT_NE(s->neighbourCodes[i], Game::kCubeEnclosed);

    // Running it again changes nothing.
    const std::vector<CVector3D> before = s->restPositions;
    mesh.RemoveHiddenCubes(s);
    EXPECT_EQ(s->visibleCount, 26);
    for (int i = 0; i < 27; ++i)
        EXPECT_FLOAT_EQ(s->restPositions[i].x, before[i].x);
}

TEST(HiddenCubesTest, FarApartCubesNeitherOverflowNorFillMemory)
{
    // Cubes spread over the whole coordinate range: the bounding grid would hold about 8e18 cells.
    // The result must equal that of the blocks on their own.
    std::vector<CVector3D> cubes = Block(3, CVector3D(-999999, -999999, -999999));
    const std::vector<CVector3D> far = Block(3, CVector3D(999990, 999990, 999990));
    cubes.insert(cubes.end(), far.begin(), far.end());
    cubes.push_back(CVector3D(0, 0, 0));
    // Beyond the coordinate limit, and not numbers: dropped.
    cubes.push_back(CVector3D(3e9f, 0, 0));
    cubes.push_back(CVector3D(0, std::numeric_limits<float>::quiet_NaN(), 0));
    cubes.push_back(CVector3D(0, 0, std::numeric_limits<float>::infinity()));

    CVeskCubeMesh mesh;
    CubeSubmesh* s = Submesh(mesh, cubes);
    mesh.RemoveHiddenCubes(s);
    EXPECT_EQ(s->cubeCount, 55);
    EXPECT_EQ(s->visibleCount, 53);
    EXPECT_EQ(s->neighbourCodes[53], Game::kCubeEnclosed);
    EXPECT_EQ(s->neighbourCodes[54], Game::kCubeEnclosed);
    EXPECT_FLOAT_EQ(s->restPositions[53].x, -999998.0f);
    EXPECT_FLOAT_EQ(s->restPositions[54].x, 999991.0f);
    voxeltest::ExpectConsistent(mesh);
}

TEST(HiddenCubesTest, SparseModelsMatchTheDenseResult)
{
    // A hollow shell with a few loose cubes far away takes the sparse path; the shell's codes
    // must match those of the shell alone.
    std::vector<CVector3D> shell;
    for (const CVector3D& p : Block(6))
        if (p.x == 0 || p.y == 0 || p.z == 0 || p.x == 5 || p.y == 5 || p.z == 5)
            shell.push_back(p);
    shell.push_back(CVector3D(2, 2, 2)); // inside the shell, touching nothing
    CVeskCubeMesh dense;
    CubeSubmesh* d = Submesh(dense, shell);
    dense.RemoveHiddenCubes(d);

    std::vector<CVector3D> spread = shell;
    spread.push_back(CVector3D(50000, 0, 0));
    spread.push_back(CVector3D(0, 0, 70000));
    CVeskCubeMesh sparse;
    CubeSubmesh* s = Submesh(sparse, spread);
    sparse.RemoveHiddenCubes(s);

    ASSERT_EQ(s->cubeCount, d->cubeCount + 2);
    EXPECT_EQ(d->visibleCount, d->cubeCount) << "a one-cube shell hides nothing";
    for (int i = 0; i < d->cubeCount; ++i)
        EXPECT_EQ(s->neighbourCodes[i], d->neighbourCodes[i]) << i;
}

} // namespace
