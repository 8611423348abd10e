// Helpers for the voxel-model tests: models from ".vskc" text, submeshes of cube blocks and a
// check of the invariants every loaded mesh must keep.
#pragma once

#include "game/voxel/CVeskCubeMesh.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

namespace voxeltest {

inline std::unique_ptr<Game::CVeskCubeMesh> LoadText(const testsupport::ScratchDir& dir, const std::string& text,
                                                     bool* loaded = nullptr)
{
    const std::string path = dir.File("model.vskc");
    testsupport::WriteFile(path, text);
    auto mesh = std::make_unique<Game::CVeskCubeMesh>();
    const bool ok = mesh->Load(path);
    if (loaded)
        *loaded = ok;
    return mesh;
}

// A submesh of nx * ny * nz cubes from the corner, coloured by position, hidden cubes removed.
inline Game::CubeSubmesh* AddBlock(Game::CVeskCubeMesh& mesh, const std::string& name, int nx, int ny, int nz,
                                   const CVector3D& corner = CVector3D())
{
    Game::CubeSubmesh* s = mesh.CreateSubmesh(name);
    for (int x = 0; x < nx; ++x)
        for (int y = 0; y < ny; ++y)
            for (int z = 0; z < nz; ++z) {
                s->restPositions.push_back(corner + CVector3D(float(x), float(y), float(z)));
                s->colours.push_back(CVector3D(float(x % 256), float(y % 256), float(z % 256)));
            }
    s->cubeCount = static_cast<int>(s->restPositions.size());
    mesh.RemoveHiddenCubes(s);
    return s;
}

// Per-cube vectors in step, counts within them, a hierarchy without loops and a root list of
// exactly the parentless submeshes.
inline void ExpectConsistent(const Game::CVeskCubeMesh& mesh)
{
    std::set<const Game::CubeSubmesh*> roots(mesh.GetRoots().begin(), mesh.GetRoots().end());
    for (const auto& entry : mesh.GetSubmeshMap()) {
        const Game::CubeSubmesh& s = *entry.second;
        const std::size_t n = s.restPositions.size();
        ASSERT_EQ(static_cast<std::size_t>(s.cubeCount), n) << entry.first;
        ASSERT_EQ(s.colours.size(), n) << entry.first;
        ASSERT_EQ(s.neighbourCodes.size(), n) << entry.first;
        ASSERT_EQ(s.currentPositions.size(), n) << entry.first;
        ASSERT_EQ(s.flashValues.size(), n) << entry.first;
        ASSERT_LE(s.visibleCount, s.cubeCount) << entry.first;
        ASSERT_GE(s.visibleCount, 0) << entry.first;
        std::size_t depth = 0;
        for (const Game::CubeSubmesh* a = s.parent; a; a = a->parent)
            ASSERT_LE(++depth, mesh.GetSubmeshMap().size()) << "loop above " << entry.first;
        ASSERT_EQ(roots.count(&s) == 1, s.parent == nullptr) << entry.first;
        for (const Game::CubeSubmesh* child : s.children)
            ASSERT_EQ(child->parent, &s) << entry.first;
    }
}

} // namespace voxeltest
