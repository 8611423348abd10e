// The terrain grid, its slices, nodes and edits: the slab's layout and bounds, block arithmetic,
// an edit table checked cell by cell against the grid before the edit, that an edit leaves the
// slices it did not touch alone, and the fall-backs for bad models.
#include "TerrainTestSupport.h"

#include "physics/CCompoundBody.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

using Game::BlockPosition;
using Game::CTerrain;
using terraintest::Cell;
using terraintest::V;
using terraintest::Vec;

namespace {

const CVector3D kWhite(255.0f, 255.0f, 255.0f);
const CVector3D kRed(200.0f, 20.0f, 20.0f);
const CVector3D kBlue(20.0f, 20.0f, 200.0f);

TEST_F(CTerrainTest, SlabHasTenSlicesOneBoxAndScaledBounds)
{
    CTerrain terrain(100, 50, 1, 4.0f, CVector3D());
    Game::CVeskCubeMesh* mesh = terrain.GetMesh();
    ASSERT_NE(mesh, nullptr);
    std::vector<std::string> expected;
    for (unsigned n = 0; n < 10; ++n)
        expected.push_back("terrainsubmesh_" + std::to_string(n));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(mesh->GetSubmeshes(), expected);
    for (const auto& entry : mesh->GetSubmeshMap()) {
        EXPECT_EQ(entry.second->cubeCount, 500) << entry.first;
        EXPECT_EQ(entry.second->visibleCount, 500) << entry.first;
    }
    EXPECT_EQ(mesh->GetTerrainFlag(), 1);
    EXPECT_EQ(mesh->GetScaleMatrix().m[0], 4.0f);
    // Bounds come out of the scale: blocks of 4 centred on multiples of 4.
    EXPECT_EQ(V(mesh->GetAABB().min), V(CVector3D(-2.0f, -2.0f, -2.0f)));
    EXPECT_EQ(V(mesh->GetAABB().max), V(CVector3D(398.0f, 2.0f, 198.0f)));
    EXPECT_EQ(V(mesh->FindSubmesh("terrainsubmesh_3")->box.min), V(CVector3D(118.0f, -2.0f, -2.0f)));

    ASSERT_NE(terrain.GetBody(), nullptr);
    EXPECT_EQ(terrain.GetBody()->GetChildCount(), 1u);
    EXPECT_EQ(terrain.GetBody()->GetBodyType(), Vesk::BODY_STATIC);
    const CAABB box = terrain.GetBody()->GetAABB();
    EXPECT_NEAR(box.min.x, -2.0f, 0.05f);
    EXPECT_NEAR(box.max.x, 398.0f, 0.05f);
    EXPECT_NEAR(box.max.y, 2.0f, 0.05f);
    EXPECT_NEAR(box.max.z, 198.0f, 0.05f);
    terraintest::ExpectMeshMatchesGrid(terrain, 110, 60, 3);
}

TEST_F(CTerrainTest, NodesHangUnderTheRootWithTheOriginTranslation)
{
    CTerrain terrain(3, 2, 1, 2.0f, CVector3D(10.0f, 20.0f, 30.0f));
    Vesk::CTransformNode* transform = terrain.GetTransformNode();
    ASSERT_NE(transform, nullptr);
    EXPECT_EQ(transform->GetName(), "terraintransformnode");
    EXPECT_EQ(transform->GetParent(), Vesk::CSceneGraph::GetInstance().GetRoot());
    EXPECT_EQ(transform->GetLocalMatrix().m[3], 10.0f);
    EXPECT_EQ(transform->GetLocalMatrix().m[7], 20.0f);
    EXPECT_EQ(transform->GetLocalMatrix().m[11], 30.0f);
    ASSERT_EQ(transform->GetChildren().size(), 1u);
    EXPECT_EQ(transform->GetChildren()[0], terrain.GetGeomNode());
    EXPECT_EQ(terrain.GetGeomNode()->GetName(), "terraingeomnode");
    EXPECT_EQ(terrain.GetGeomNode()->GetMesh(), terrain.GetMesh());
    EXPECT_EQ(terrain.GetGeomNode()->GetBucketKeys(), std::vector<int>{-1}); // drawn while the cube buffers are open
    EXPECT_EQ(terrain.GetMeshName(), "emptymesh");

    CVector3D centre;
    terrain.BlockToWorld(centre, BlockPosition(2, 1, 0));
    EXPECT_EQ(V(centre), V(CVector3D(14.0f, 20.0f, 32.0f)));
    const BlockPosition back(CVector3D(14.9f, 23.9f, 32.1f), 2.0f, terrain);
    EXPECT_EQ(back.mBlockWidth, 2u);
    EXPECT_EQ(back.mBlockDepth, 1u);
    EXPECT_EQ(back.mBlockHeight, 1u);
    // The physics box sits where the blocks are drawn.
    const CAABB box = terrain.GetBody()->GetAABB();
    EXPECT_NEAR(box.min.x, 9.0f, 0.05f);
    EXPECT_NEAR(box.max.z, 33.0f, 0.05f);
}

TEST_F(CTerrainTest, DestroyedAfterTheSceneWasResetLeavesTheNewTreeAlone)
{
    auto terrain = std::make_unique<CTerrain>(2, 2, 1, 4.0f, CVector3D());
    Vesk::CSceneGraph& scene = Vesk::CSceneGraph::GetInstance();
    scene.Reset();
    auto* other = new Vesk::CTransformNode("other");
    scene.AddNode(other);
    terrain.reset();
    ASSERT_EQ(scene.GetRoot()->GetChildren().size(), 1u);
    EXPECT_EQ(scene.GetRoot()->GetChildren()[0], other);
}

TEST_F(CTerrainTest, BlockIndexAndColumnTops)
{
    CTerrain terrain(0, 0, 0, 4.0f, CVector3D());
    EXPECT_EQ(terrain.GetBlockCount(), 0u);
    EXPECT_EQ(terrain.GetBlockIndex(BlockPosition(0, 0, 0)), 0u);
    EXPECT_EQ(terrain.GetBlockIndex(BlockPosition(249, 249, 49)), 3124999u);
    EXPECT_EQ(terrain.GetBlockIndex(BlockPosition(3, 2, 1)), (1u * 250 + 2) * 250 + 3);

    terrain.AddBlocks(
        {BlockPosition(1, 1, 0), BlockPosition(2, 2, 48), BlockPosition(3, 3, 49), BlockPosition(4, 4, 5)}, kWhite);
    const struct {
        unsigned w, d;
        unsigned top;
        bool free;
    } cases[] = {
        {0, 0, 0, true},   // an empty column's top is the ground
        {1, 1, 1, true},   // its only block at height 0
        {2, 2, 49, true},  // the last free height
        {3, 3, 50, false}, // full to the limit
        {4, 4, 6, true},   // a floating block counts as the top
    };
    // Points off the grid on any side give positions that edits skip.
    for (const CVector3D& far : {CVector3D(-5.0f, 0.0f, 0.0f), CVector3D(1e30f, 0.0f, 0.0f),
                                 CVector3D(0.0f, std::nanf(""), 0.0f), CVector3D(0.0f, 0.0f, 1000.0f)}) {
        const BlockPosition pos(far, 4.0f, terrain);
        EXPECT_FALSE(pos.IsInGrid());
        terrain.AddBlocks({pos}, kWhite);
    }
    EXPECT_EQ(terrain.GetBlockCount(), 4u);
    for (const auto& c : cases) {
        BlockPosition pos(c.w, c.d, 17);
        EXPECT_EQ(terrain.FindColumnTop(pos), c.free) << c.w;
        EXPECT_EQ(pos.mBlockHeight, c.top) << c.w;
    }
}

TEST(CTerrainDeathTest, PositionsBeyondTheLimitsAreBrokenInvariants)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CTerrain terrain(0, 0, 0, 4.0f, CVector3D());
            terrain.GetBlockIndex(BlockPosition(250, 0, 0));
        },
        "terrain width more than maxwidth!");
}

// One edit on a two-high slab of 30 x 20 with a few prepared cells, checked against the grid
// before it: exactly the expected cells change, to the expected occupancy and colour.
struct EditCase {
    const char* name;
    std::function<void(CTerrain&)> edit;
    std::map<Cell, std::pair<bool, Vec>> changes; // cell -> occupied, colour
};

std::vector<EditCase> EditCases()
{
    const auto red = [](unsigned w, unsigned d, unsigned h) {
        return std::make_pair(Cell(w, d, h), std::make_pair(true, V(kRed)));
    };
    const auto gone = [](unsigned w, unsigned d, unsigned h, const CVector3D& colour) {
        return std::make_pair(Cell(w, d, h), std::make_pair(false, V(colour)));
    };
    return {
        {"raise two on the slab",
         [](CTerrain& t) { t.RaiseColumns({BlockPosition(5, 5, 0)}, 2, kRed); },
         {red(5, 5, 2), red(5, 5, 3)}},
        {"raise an empty column from the ground",
         [](CTerrain& t) { t.RaiseColumns({BlockPosition(40, 3, 9)}, 1, kRed); },
         {red(40, 3, 0)}},
        {"raise stops at the top height",
         [](CTerrain& t) { t.RaiseColumns({BlockPosition(12, 12, 0)}, 5, kRed); },
         {red(12, 12, 48), red(12, 12, 49)}},
        {"raise skips positions off the grid",
         [](CTerrain& t) {
             t.RaiseColumns({BlockPosition(250, 0, 0), BlockPosition(0, 4000000000u, 0)}, 1, kRed);
         },
         {}},
        {"dig one from the top",
         [](CTerrain& t) { t.DigColumns({BlockPosition(5, 5, 0)}, 1); },
         {gone(5, 5, 1, kWhite)}},
        {"dig through the column",
         [](CTerrain& t) { t.DigColumns({BlockPosition(5, 5, 0)}, 7); },
         {gone(5, 5, 1, kWhite), gone(5, 5, 0, kWhite)}},
        {"dig under a floating block",
         [](CTerrain& t) { t.DigColumns({BlockPosition(20, 10, 0)}, 2); },
         {gone(20, 10, 6, kBlue)}},
        {"dig a column full to the top does nothing",
         [](CTerrain& t) { t.DigColumns({BlockPosition(14, 14, 0)}, 3); },
         {}},
        {"add on an empty cell", [](CTerrain& t) { t.AddBlocks({BlockPosition(7, 7, 2)}, kRed); }, {red(7, 7, 2)}},
        {"add on a block only recolours it",
         [](CTerrain& t) { t.AddBlocks({BlockPosition(7, 7, 1)}, kRed); },
         {red(7, 7, 1)}},
        {"remove",
         [](CTerrain& t) {
             t.RemoveBlocks({BlockPosition(3, 4, 1), BlockPosition(29, 19, 0)});
         },
         {gone(3, 4, 1, kWhite), gone(29, 19, 0, kWhite)}},
        {"paint a block and an empty cell",
         [](CTerrain& t) {
             t.PaintBlocks({BlockPosition(8, 8, 1), BlockPosition(8, 8, 3)}, kRed);
         },
         {red(8, 8, 1), std::make_pair(Cell(8, 8, 3), std::make_pair(false, V(kRed)))}},
        {"set block with value 0 empties the cell",
         [](CTerrain& t) { t.SetBlock(BlockPosition(9, 9, 1), kRed, 0); },
         {std::make_pair(Cell(9, 9, 1), std::make_pair(false, V(kRed)))}},
    };
}

TEST_F(CTerrainTest, EditsChangeExactlyTheirCells)
{
    for (const EditCase& c : EditCases()) {
        SCOPED_TRACE(c.name);
        CTerrain terrain(30, 20, 2, 4.0f, CVector3D());
        // A floating block over a gap, a column full to the top and one a block short of it.
        terrain.AddBlocks({BlockPosition(20, 10, 6)}, kBlue);
        std::vector<BlockPosition> columns;
        for (unsigned h = 2; h < Game::MAX_HEIGHT; ++h) {
            columns.push_back(BlockPosition(14, 14, h));
            if (h < 48)
                columns.push_back(BlockPosition(12, 12, h));
        }
        terrain.AddBlocks(columns, kWhite);

        std::map<Cell, std::pair<bool, Vec>> before;
        for (unsigned h = 0; h < Game::MAX_HEIGHT; ++h)
            for (unsigned d = 0; d < 25; ++d)
                for (unsigned w = 0; w < 45; ++w) {
                    const BlockPosition pos(w, d, h);
                    before[Cell(w, d, h)] = {terrain.IsOccupied(pos), V(terrain.GetColour(pos))};
                }
        c.edit(terrain);

        std::map<Cell, std::pair<bool, Vec>> changed;
        for (const auto& entry : before) {
            const BlockPosition pos(std::get<0>(entry.first), std::get<1>(entry.first), std::get<2>(entry.first));
            const std::pair<bool, Vec> now(terrain.IsOccupied(pos), V(terrain.GetColour(pos)));
            if (now != entry.second)
                changed[entry.first] = now;
        }
        EXPECT_EQ(changed, c.changes);
        terraintest::ExpectMeshMatchesGrid(terrain, 45, 25, Game::MAX_HEIGHT);
        terraintest::ExpectBodyMatchesAFreshBuild(terrain);
    }
}

TEST_F(CTerrainTest, MeshColoursFollowTheGridOnceTheSliceIsRebuilt)
{
    CTerrain terrain(12, 3, 1, 4.0f, CVector3D());
    const auto meshColour = [&](unsigned w, unsigned d) {
        const Game::CubeSubmesh* s = terrain.GetMesh()->FindSubmesh(Game::TerrainSliceName(w / 10));
        for (std::size_t i = 0; i < s->restPositions.size(); ++i)
            if (V(s->restPositions[i]) == Vec(float(w), 0.0f, float(d)))
                return V(s->colours[i]);
        return Vec(-1.0f, -1.0f, -1.0f);
    };
    terrain.AddBlocks({BlockPosition(11, 1, 0)}, kRed);
    EXPECT_EQ(meshColour(11, 1), V(kWhite)); // an occupied cell changes in the grid only
    terrain.RebuildSlice(11.0f);
    EXPECT_EQ(meshColour(11, 1), V(kRed));
    terrain.PaintBlocks({BlockPosition(2, 2, 0)}, kBlue);
    EXPECT_EQ(meshColour(2, 2), V(kBlue));
    terrain.RebuildSlice(-3.0f); // no such slice: nothing happens
    terrain.RebuildSlice(200.0f);
    terraintest::ExpectMeshMatchesGrid(terrain, 20, 5, 2);
}

TEST_F(CTerrainTest, AnEditLeavesTheSlicesItDidNotTouchAlone)
{
    CTerrain terrain(60, 10, 3, 4.0f, CVector3D());
    Game::CVeskCubeMesh* mesh = terrain.GetMesh();
    // A mark that any refill or hidden-cube pass over the slice would overwrite.
    Game::CubeSubmesh* untouched = mesh->FindSubmesh("terrainsubmesh_4");
    untouched->neighbourCodes[0] = 7;
    const std::vector<BlockPosition> brush = {BlockPosition(11, 4, 0), BlockPosition(12, 4, 0)};

    terrain.RaiseColumns(brush, 2, kRed);
    terrain.DigColumns(brush, 1);
    terrain.PaintBlocks(brush, kBlue);
    terrain.RemoveBlocks({BlockPosition(13, 4, 2)});
    EXPECT_EQ(untouched->neighbourCodes[0], 7u);
    // Two columns raised by two and dug by one, and one block removed.
    EXPECT_EQ(mesh->FindSubmesh("terrainsubmesh_1")->cubeCount, 300 + 2 - 1);
    EXPECT_EQ(mesh->GetAABB().max.y, 14.0f);
}

TEST_F(CTerrainTest, EditedSlicesAreWhatHiddenCubeRemovalMakesOfTheirCubes)
{
    // Each slice an edit refilled holds its cubes in grid order (heights, then depths, then widths)
    // as hidden-cube removal of the slice alone leaves them: the same order, codes, colours and
    // visible count. Edits meet at a slice border (widths 9 and 10), the top height and depth 249.
    CTerrain terrain(30, 250, 3, 4.0f, CVector3D());
    std::vector<BlockPosition> brush;
    for (unsigned w = 7; w < 13; ++w)
        for (unsigned d = 244; d < 250; ++d)
            brush.push_back(BlockPosition(w, d, 0));
    terrain.RaiseColumns(brush, 2, kRed);
    terrain.DigColumns({BlockPosition(8, 246, 0), BlockPosition(11, 3, 0)}, 3);
    terrain.RemoveBlocks({BlockPosition(20, 5, 1), BlockPosition(21, 5, 1)});
    terrain.AddBlocks({BlockPosition(9, 100, 6), BlockPosition(10, 100, 6)}, kBlue);
    std::vector<BlockPosition> column;
    for (unsigned h = 3; h < Game::MAX_HEIGHT; ++h)
        column.push_back(BlockPosition(25, 0, h));
    terrain.AddBlocks(column, kBlue);
    terrain.PaintBlocks({BlockPosition(12, 249, 4), BlockPosition(0, 0, 0)}, kWhite);

    for (const auto& entry : terrain.GetMesh()->GetSubmeshMap()) {
        SCOPED_TRACE(entry.first);
        const Game::CubeSubmesh& slice = *entry.second;
        std::vector<std::pair<Cell, Vec>> cubes; // (h, d, w) for the grid order, colour
        for (std::size_t i = 0; i < slice.restPositions.size(); ++i) {
            const CVector3D& p = slice.restPositions[i];
            cubes.emplace_back(Cell(unsigned(p.y), unsigned(p.z), unsigned(p.x)), V(slice.colours[i]));
        }
        std::sort(cubes.begin(), cubes.end());
        Game::CVeskCubeMesh reference;
        Game::CubeSubmesh* expected = reference.CreateSubmesh(entry.first);
        for (const auto& cube : cubes) {
            expected->restPositions.push_back(CVector3D(float(std::get<2>(cube.first)), float(std::get<0>(cube.first)),
                                                        float(std::get<1>(cube.first))));
            expected->colours.push_back(
                CVector3D(std::get<0>(cube.second), std::get<1>(cube.second), std::get<2>(cube.second)));
        }
        reference.RemoveHiddenCubes(expected);
        ASSERT_EQ(slice.restPositions.size(), expected->restPositions.size());
        EXPECT_EQ(slice.visibleCount, expected->visibleCount);
        EXPECT_EQ(slice.cubeCount, expected->cubeCount);
        EXPECT_EQ(slice.neighbourCodes, expected->neighbourCodes);
        for (std::size_t i = 0; i < slice.restPositions.size(); ++i) {
            ASSERT_EQ(V(slice.restPositions[i]), V(expected->restPositions[i])) << i;
            ASSERT_EQ(V(slice.colours[i]), V(expected->colours[i])) << i;
        }
    }
}

TEST_F(CTerrainTest, StrokesKeepTheBodyAsCompactAsAFreshBuild)
{
    // Brush strokes of every kind at random near the grid's edges, each undone now and then: the
    // body never holds more boxes than a fresh build of the grid, and ends with exactly its boxes.
    CTerrain terrain(Game::MAX_WIDTH, Game::MAX_DEPTH, 2, 4.0f, CVector3D());
    uint32_t seed = 7u;
    const auto below = [&seed](unsigned n) {
        seed = seed * 1664525u + 1013904223u;
        return unsigned((seed >> 8) % n);
    };
    const auto nearAnEdge = [&below]() {
        const unsigned v = below(30);
        return v < 15 ? v : Game::MAX_WIDTH - 30 + v;
    };
    for (int stroke = 0; stroke < 150; ++stroke) {
        SCOPED_TRACE(stroke);
        const unsigned w0 = nearAnEdge(), d0 = nearAnEdge(), h = below(4);
        const unsigned w1 = std::min(w0 + 1 + below(12), Game::MAX_WIDTH);
        const unsigned d1 = std::min(d0 + 1 + below(12), Game::MAX_DEPTH);
        std::vector<BlockPosition> region;
        std::vector<Game::TerrainCell> before;
        for (unsigned w = w0; w < w1; ++w)
            for (unsigned d = d0; d < d1; ++d) {
                region.push_back(BlockPosition(w, d, h));
                for (unsigned z = 0; z < 8; ++z)
                    before.push_back(terrain.GetCell(BlockPosition(w, d, z)));
            }
        switch (below(5)) {
        case 0: terrain.RaiseColumns(region, 1 + below(3), kRed); break;
        case 1: terrain.DigColumns(region, 1 + below(3)); break;
        case 2: terrain.AddBlocks(region, kBlue); break;
        case 3: terrain.RemoveBlocks(region); break;
        default: terrain.PaintBlocks(region, kWhite); break;
        }
        if (below(4) == 0)
            terrain.RestoreCells(before);
        ASSERT_EQ(terrain.GetBody()->GetChildCount(), terrain.BuildPhysicsRegions().size());
        if (stroke % 25 == 24)
            terraintest::ExpectBodyMatchesAFreshBuild(terrain);
    }
    terraintest::ExpectBodyMatchesAFreshBuild(terrain);
}

TEST_F(CTerrainTest, BadModelsFallBackToTheSlab)
{
    // A listed .x mesh and an unlisted name both end at a mesh that is no voxel-cube model.
    for (const char* name : {"default", "nosuchterrain"}) {
        SCOPED_TRACE(name);
        CTerrain terrain(name, 4.0f);
        EXPECT_EQ(terrain.GetBlockCount(), 100u * 50u);
        EXPECT_EQ(terrain.GetMeshName(), "emptymesh");
        EXPECT_EQ(terrain.GetMesh()->GetSubmeshes().size(), 10u);
    }
}

TEST_F(CTerrainTest, WithoutAnEmptyModelTheSlabUsesAMeshOfItsOwn)
{
    testsupport::WriteFile("assets/meshes/emptymesh.vskc", "not a model");
    CTerrain terrain(4, 4, 1, 4.0f, CVector3D());
    ASSERT_NE(terrain.GetMesh(), nullptr);
    EXPECT_EQ(terrain.GetMesh()->GetTerrainFlag(), 1);
    EXPECT_EQ(terrain.GetBlockCount(), 16u);
    terraintest::ExpectMeshMatchesGrid(terrain, 10, 10, 2);
}

TEST_F(CTerrainTest, ModelCubesOutsideTheGridAreLeftOut)
{
    // A listed model, not yet loaded, replaced by one with cubes beyond each limit.
    testsupport::WriteFile("assets/meshes/crate.vskc", "#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 6\n# POSITIONDATA\n"
                                                       "1 0 2\n-1 0 0\n250 0 0\n0 50 0\n0 0 250\n12 3 4\n"
                                                       "# COLORDATA\n1 2 3\n0 0 0\n0 0 0\n0 0 0\n0 0 0\n4 5 6\n");
    CTerrain terrain("crate", 4.0f);
    EXPECT_EQ(terrain.GetMeshName(), "crate");
    EXPECT_EQ(terrain.GetBlockCount(), 2u);
    EXPECT_EQ(V(terrain.GetColour(BlockPosition(1, 2, 0))), V(CVector3D(1.0f, 2.0f, 3.0f)));
    EXPECT_EQ(V(terrain.GetColour(BlockPosition(12, 4, 3))), V(CVector3D(4.0f, 5.0f, 6.0f)));
    EXPECT_EQ(terrain.GetMesh()->GetSubmeshes(), (std::vector<std::string>{"terrainsubmesh_0", "terrainsubmesh_1"}));
    EXPECT_EQ(terrain.GetBody()->GetChildCount(), 2u);
    terraintest::ExpectMeshMatchesGrid(terrain, 20, 10, 5);
}

} // namespace
