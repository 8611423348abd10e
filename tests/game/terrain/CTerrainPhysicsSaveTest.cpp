// The terrain's physics regions (depth runs merged across widths), picking, and saving the
// terrain as a model: save, load and save again gives the same file; failed saves say so and
// leave the mesh definitions alone.
#include "TerrainTestSupport.h"

#include "core/CXmlDocument.h"
#include "physics/CCompoundBody.h"

#include <vector>

using Game::BlockPosition;
using Game::CTerrain;
using Game::TerrainRegion;
using terraintest::V;

namespace {

std::vector<BlockPosition> Cells(std::initializer_list<std::vector<unsigned>> cells)
{
    std::vector<BlockPosition> out;
    for (const std::vector<unsigned>& c : cells)
        out.push_back(BlockPosition(c[0], c[1], c[2]));
    return out;
}

std::vector<BlockPosition> Box(unsigned w0, unsigned d0, unsigned h0, unsigned w1, unsigned d1, unsigned h1)
{
    std::vector<BlockPosition> out;
    for (unsigned h = h0; h <= h1; ++h)
        for (unsigned d = d0; d <= d1; ++d)
            for (unsigned w = w0; w <= w1; ++w)
                out.push_back(BlockPosition(w, d, h));
    return out;
}

TEST_F(CTerrainTest, PhysicsRegionsMergeDepthRunsAcrossWidths)
{
    const struct {
        const char* name;
        std::vector<BlockPosition> blocks;
        std::vector<TerrainRegion> regions; // w0, w1, d0, d1, h
    } cases[] = {
        {"L-shape",
         Cells({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {0, 3, 0}, {1, 0, 0}, {2, 0, 0}, {3, 0, 0}}),
         {{0, 0, 0, 3, 0}, {1, 3, 0, 0, 0}}},
        {"ring around a hole",
         Cells({{0, 0, 0}, {0, 1, 0}, {0, 2, 0}, {1, 0, 0}, {1, 2, 0}, {2, 0, 0}, {2, 1, 0}, {2, 2, 0}}),
         {{0, 0, 0, 2, 0}, {1, 1, 0, 0, 0}, {1, 1, 2, 2, 0}, {2, 2, 0, 2, 0}}},
        {"runs reaching the last depth", Box(5, 240, 0, 6, 249, 0), {{5, 6, 240, 249, 0}}},
        {"a whole depth row", Box(7, 0, 3, 7, 249, 3), {{7, 7, 0, 249, 3}}},
        {"two layers", Box(0, 0, 0, 3, 2, 1), {{0, 3, 0, 2, 0}, {0, 3, 0, 2, 1}}},
        {"a gap in the widths", Box(0, 0, 0, 1, 4, 0), {{0, 1, 0, 4, 0}}},
        {"widths apart do not merge", Cells({{0, 1, 0}, {2, 1, 0}}), {{0, 0, 1, 1, 0}, {2, 2, 1, 1, 0}}},
        {"the grid's far corner", Cells({{249, 249, 49}}), {{249, 249, 249, 249, 49}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CTerrain terrain(0, 0, 0, 4.0f, CVector3D());
        terrain.AddBlocks(c.blocks, CVector3D(1.0f, 2.0f, 3.0f));
        EXPECT_EQ(terrain.BuildPhysicsRegions(), c.regions);
    }
}

TEST_F(CTerrainTest, ModelTerrainGetsOneBoxPerRegion)
{
    // Saved and loaded back, the terrain builds its body from the regions: here a two-high slab
    // of 20 x 250 and a step along the far edge.
    {
        CTerrain slab(20, 250, 2, 4.0f, CVector3D());
        slab.AddBlocks(Box(0, 245, 2, 19, 249, 2), CVector3D(9.0f, 9.0f, 9.0f));
        ASSERT_TRUE(slab.SaveMesh("stepped", "assets/meshes/stepped.vskc"));
    }
    CTerrain terrain("stepped", 4.0f);
    ASSERT_NE(terrain.GetBody(), nullptr);
    EXPECT_EQ(terrain.GetBody()->GetChildCount(), 3u);
    const CAABB box = terrain.GetBody()->GetAABB();
    EXPECT_NEAR(box.max.z, 249.0f * 4.0f + 2.0f, 0.05f);
    EXPECT_NEAR(box.max.y, 2.0f * 4.0f + 2.0f, 0.05f);
}

TEST_F(CTerrainTest, SaveLoadSaveIsAFixedPoint)
{
    const std::string first = "assets/meshes/editedterrain.vskc", second = "assets/meshes/again.vskc";
    std::vector<std::tuple<BlockPosition, bool, CVector3D>> cells;
    {
        CTerrain terrain(40, 12, 2, 4.0f, CVector3D());
        terrain.RaiseColumns(Box(3, 3, 0, 7, 7, 0), 3, CVector3D(12.0f, 200.0f, 40.0f));
        terrain.DigColumns(Box(20, 2, 0, 22, 4, 0), 1);
        terrain.PaintBlocks(Box(30, 0, 1, 39, 11, 1), CVector3D(90.0f, 0.0f, 255.0f));
        terrain.AddBlocks(Cells({{45, 5, 0}}), CVector3D(1.0f, 1.0f, 1.0f));
        ASSERT_TRUE(terrain.SaveMesh("editedterrain", first));
        for (const BlockPosition& pos : Box(0, 0, 0, 49, 14, 6))
            cells.emplace_back(pos, terrain.IsOccupied(pos), terrain.GetColour(pos));
    }
    // The model is listed, so a fresh resource manager finds it.
    Vesk::CXmlDocument meshes;
    ASSERT_TRUE(meshes.Load("assets/meshes.xml"));
    ASSERT_NE(meshes.FindElement("editedterrain"), nullptr);
    EXPECT_STREQ(meshes.FindElement("editedterrain").GetAttribute("path"), first.c_str());

    CTerrain loaded("editedterrain", 4.0f);
    for (const auto& cell : cells) {
        const BlockPosition& pos = std::get<0>(cell);
        ASSERT_EQ(loaded.IsOccupied(pos), std::get<1>(cell)) << pos.mBlockWidth << ' ' << pos.mBlockDepth;
        if (std::get<1>(cell)) {
            ASSERT_EQ(V(loaded.GetColour(pos)), V(std::get<2>(cell))) << pos.mBlockWidth << ' ' << pos.mBlockDepth;
        }
    }
    terraintest::ExpectMeshMatchesGrid(loaded, 60, 20, 8);
    ASSERT_TRUE(loaded.SaveMesh("again", second));
    EXPECT_EQ(testsupport::ReadFile(second), testsupport::ReadFile(first));
}

TEST_F(CTerrainTest, FailedSavesReportFalseAndLeaveTheMeshListAlone)
{
    CTerrain terrain(5, 5, 1, 4.0f, CVector3D());
    const std::string listed = testsupport::ReadFile("assets/meshes.xml");
    EXPECT_FALSE(terrain.SaveMesh("lost", "assets/no/such/folder/lost.vskc"));
    EXPECT_FALSE(terrain.SaveMesh("lost", ""));
    EXPECT_EQ(testsupport::ReadFile("assets/meshes.xml"), listed);
    EXPECT_FALSE(testsupport::FileExists("assets/no/such/folder/lost.vskc"));
}

TEST_F(CTerrainTest, PickFindsTheNearestBlockElseTheGround)
{
    CTerrain terrain(10, 10, 1, 4.0f, CVector3D());
    terrain.AddBlocks(Cells({{3, 3, 1}, {3, 3, 2}}), CVector3D(5.0f, 5.0f, 5.0f));
    CAABB out;
    // Straight down onto the stack: its top block.
    ASSERT_TRUE(terrain.PickBlock(CRay(CVector3D(12.0f, 100.0f, 12.0f), CVector3D(0.0f, -1.0f, 0.0f)), out));
    EXPECT_EQ(V(out.min), V(CVector3D(10.0f, 6.0f, 10.0f)));
    EXPECT_EQ(V(out.max), V(CVector3D(14.0f, 10.0f, 14.0f)));
    // Past the slab: the ground below, clamped into the grid.
    ASSERT_TRUE(terrain.PickBlock(CRay(CVector3D(-50.0f, 10.0f, 2000.0f), CVector3D(0.0f, -1.0f, 0.0f)), out));
    EXPECT_EQ(V(out.GetCenter()), V(CVector3D(0.0f, 0.0f, 249.0f * 4.0f)));
    // Up into the sky: nothing.
    EXPECT_FALSE(terrain.PickBlock(CRay(CVector3D(500.0f, 10.0f, 500.0f), CVector3D(0.0f, 1.0f, 0.0f)), out));
}

} // namespace
