// The shipped levels' terrain, wall and height map: each loads through the game's own classes,
// stays within the terrain instance buffer and saves back to exactly the committed model.
#include "TerrainTestSupport.h"

#include "game/terrain/CLevelWall.h"
#include "game/voxel/CubeHeightMap.h"

#include "physics/CCompoundBody.h"

namespace {

using TerrainContentTest = terraintest::TerrainFixture;

constexpr int kTerrainRecords = 15000; // the terrain instance buffer's capacity

const struct {
    const char* level;
    int width, depth;
} kLevels[] = {{"arena2", 100, 50}, {"emeraldroom", 90, 44}, {"purpleroom", 80, 40}, {"testarena", 40, 24}};

int VisibleCubes(const Game::CVeskCubeMesh& mesh)
{
    int visible = 0;
    for (const auto& entry : mesh.GetSubmeshMap())
        visible += entry.second->visibleCount;
    return visible;
}

TEST_F(TerrainContentTest, LevelsLoadWithinTheTerrainBudget)
{
    for (const auto& l : kLevels) {
        SCOPED_TRACE(l.level);
        const std::string model = std::string(l.level) + "terrain";
        Game::CTerrain terrain(model, 4.0f);
        ASSERT_EQ(terrain.GetMeshName(), model);
        EXPECT_GT(terrain.GetBlockCount(), unsigned(l.width * l.depth));
        EXPECT_EQ(terrain.GetMesh()->GetAABB().max.x, 4.0f * float(l.width - 1) + 2.0f);
        EXPECT_EQ(terrain.GetMesh()->GetAABB().max.z, 4.0f * float(l.depth - 1) + 2.0f);
        terraintest::ExpectMeshMatchesGrid(terrain, l.width + 1, l.depth + 1, 12);

        Game::CLevelWall wall;
        ASSERT_TRUE(wall.Load(model + "WALL"));
        EXPECT_EQ(wall.GetMesh()->GetSubmeshes(), (std::vector<std::string>{"back", "front", "left", "right"}));
        EXPECT_EQ(wall.GetBody()->GetChildCount(), 4u);
        // Terrain and wall draw into the same buffer; the whole level fits it at once.
        const int visible = VisibleCubes(*terrain.GetMesh()) + VisibleCubes(*wall.GetMesh());
        EXPECT_LT(visible, kTerrainRecords);
        std::cout << l.level << ": " << terrain.GetBlockCount() << " blocks, " << visible
                  << " visible cubes with the wall, " << terrain.GetBody()->GetChildCount() << " ground boxes\n";

        // The editor saving an untouched level writes the shipped file again.
        ASSERT_TRUE(terrain.SaveMesh(model, "assets/meshes/resaved.vskc"));
        EXPECT_EQ(testsupport::ReadFile("assets/meshes/resaved.vskc"),
                  testsupport::ReadFile("assets/meshes/" + model + ".vskc"));
    }
}

TEST_F(TerrainContentTest, HeightMapsFollowTheGround)
{
    for (const auto& l : kLevels) {
        SCOPED_TRACE(l.level);
        const std::string model = std::string(l.level) + "terrain";
        ASSERT_TRUE(Game::LoadHeightMap(model + "HM.dat"));
        const Game::CubeHeightMap& map = Game::GetCubeHeightMap();
        ASSERT_EQ(map.width, l.width);
        ASSERT_EQ(map.depth, l.depth);
        ASSERT_EQ(map.heights.size(), std::size_t(l.width * l.depth));
        Game::CTerrain terrain(model, 4.0f);
        // Cell (cx, cz) lies over blocks cx and cx + 1 of depth cz + 1: 2.5 below the higher top.
        for (int cz = 0; cz + 1 < l.depth; ++cz)
            for (int cx = 0; cx + 1 < l.width; ++cx) {
                Game::BlockPosition a(cx, cz + 1, 0), b(cx + 1, cz + 1, 0);
                terrain.FindColumnTop(a);
                terrain.FindColumnTop(b);
                const float expected = 4.0f * float(std::max(a.mBlockHeight, b.mBlockHeight)) - 4.5f;
                float height = 0.0f;
                ASSERT_TRUE(map.GetHeight(cx, cz, height));
                ASSERT_EQ(height, expected) << cx << ' ' << cz;
            }
    }
}

} // namespace
