// Shared set-up for the terrain tests: a scratch run directory holding the project's mesh
// definitions and models, with the resource manager (cube models registered), the physics world
// and the scene graph up; and checks that tie a terrain's mesh and body to its grid.
#pragma once

#include "support/TestSupport.h"

#include "game/terrain/CTerrain.h"
#include "game/terrain/TerrainSlices.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"

#include "physics/CCompoundBody.h"
#include "physics/CPhysicsSystem.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace terraintest {

class TerrainFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string source = testsupport::SourceDir() + "/bin/assets/";
        testsupport::CopyTree(source + "meshes", m_Dir.File("assets/meshes"));
        testsupport::WriteFile(m_Dir.File("assets/meshes.xml"), testsupport::ReadFile(source + "meshes.xml"));
        testsupport::WriteDefaultDefinitions(m_Dir.Path());
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
        ASSERT_TRUE(Vesk::CResourceManager::GetInstance().Init());
        Game::RegisterCubeMeshResource();
        ASSERT_TRUE(Vesk::CPhysicsSystem::GetInstance().Init());
        Vesk::CSceneGraph::GetInstance().Reset();
    }
    void TearDown() override
    {
        Vesk::CSceneGraph::GetInstance().Reset();
        Vesk::CPhysicsSystem::GetInstance().Shutdown();
        Vesk::CResourceManager::GetInstance().Shutdown();
        Vesk::CResManager<Game::CVeskCubeMesh>::GetInstance().ReleaseAll();
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

} // namespace terraintest

// One fixture for the terrain suite's files.
using CTerrainTest = terraintest::TerrainFixture;

namespace terraintest {

using Cell = std::tuple<unsigned, unsigned, unsigned>; // w, d, h
// A vector as a comparable, printable value.
using Vec = std::tuple<float, float, float>;
inline Vec V(const CVector3D& v) { return Vec(v.x, v.y, v.z); }

inline Cell CellOf(const CVector3D& meshPosition)
{
    return Cell(unsigned(meshPosition.x), unsigned(meshPosition.z), unsigned(meshPosition.y));
}

// The mesh shows exactly the grid's blocks, each once, in the slice its width belongs to, and
// every slice's per-cube data is in step and drawable.
inline void ExpectMeshMatchesGrid(const Game::CTerrain& terrain, unsigned maxWidth = Game::MAX_WIDTH,
                                  unsigned maxDepth = Game::MAX_DEPTH, unsigned maxHeight = Game::MAX_HEIGHT)
{
    std::map<Cell, int> shown;
    for (const auto& entry : terrain.GetMesh()->GetSubmeshMap()) {
        const Game::CubeSubmesh& s = *entry.second;
        ASSERT_EQ(s.cubeCount, int(s.restPositions.size())) << entry.first;
        ASSERT_EQ(s.colours.size(), s.restPositions.size()) << entry.first;
        ASSERT_EQ(s.neighbourCodes.size(), s.restPositions.size()) << entry.first;
        ASSERT_EQ(s.flashValues.size(), s.restPositions.size()) << entry.first;
        ASSERT_LE(s.visibleCount, s.cubeCount) << entry.first;
        for (const CVector3D& p : s.restPositions) {
            EXPECT_EQ(entry.first, Game::TerrainSliceName(Game::TerrainSliceIndex(p.x)));
            ++shown[CellOf(p)];
        }
    }
    unsigned blocks = 0;
    for (unsigned h = 0; h < maxHeight; ++h)
        for (unsigned d = 0; d < maxDepth; ++d)
            for (unsigned w = 0; w < maxWidth; ++w) {
                const bool occupied = terrain.IsOccupied(Game::BlockPosition(w, d, h));
                blocks += occupied;
                const auto it = shown.find(Cell(w, d, h));
                EXPECT_EQ(it == shown.end() ? 0 : it->second, occupied ? 1 : 0) << "cell " << w << ' ' << d << ' ' << h;
            }
    EXPECT_EQ(blocks, terrain.GetBlockCount());
}

// The body's boxes as (min, max) corners, sorted.
inline std::vector<std::pair<Vec, Vec>> BodyBoxes(const Vesk::CCompoundBody& body)
{
    std::vector<std::pair<Vec, Vec>> boxes;
    for (std::size_t i = 0; i < body.GetChildCount(); ++i) {
        const CAABB box = body.GetChildBox(i);
        boxes.emplace_back(V(box.min), V(box.max));
    }
    std::sort(boxes.begin(), boxes.end());
    return boxes;
}

// The body an edit left holds exactly the boxes, and has the bounds, that building it afresh from
// the same grid gives (as loading the saved terrain would). Leaves the terrain with the fresh body.
inline void ExpectBodyMatchesAFreshBuild(Game::CTerrain& terrain)
{
    ASSERT_NE(terrain.GetBody(), nullptr);
    const std::vector<std::pair<Vec, Vec>> edited = BodyBoxes(*terrain.GetBody());
    const CAABB bounds = terrain.GetBody()->GetAABB();
    terrain.BuildPhysics();
    ASSERT_NE(terrain.GetBody(), nullptr);
    EXPECT_EQ(edited, BodyBoxes(*terrain.GetBody()));
    if (!edited.empty()) {
        EXPECT_EQ(V(bounds.min), V(terrain.GetBody()->GetAABB().min));
        EXPECT_EQ(V(bounds.max), V(terrain.GetBody()->GetAABB().max));
    }
}

} // namespace terraintest
