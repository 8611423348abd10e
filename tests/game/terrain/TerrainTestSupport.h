// Shared set-up for the terrain tests: a scratch run directory holding the project's mesh
// definitions and models, with the resource manager (cube models registered), the physics world
// and the scene graph up; and checks that tie a terrain's mesh to its grid.
#pragma once

#include "support/TestSupport.h"

#include "game/terrain/CTerrain.h"
#include "game/terrain/TerrainSlices.h"
#include "game/voxel/CVeskCubeMesh.h"
#include "game/voxel/CubeMeshCache.h"

#include "physics/CPhysicsSystem.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"
#include "scene/CSceneGraph.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>

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

} // namespace terraintest
