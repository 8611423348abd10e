#include "game/terrain/TerrainSlices.h"

#include "game/voxel/CVeskCubeMesh.h"

namespace Game {

namespace {

// Hidden-cube removal drops cubes beyond this anyway; it keeps the slice index in range.
constexpr float kFarthestWidth = 1000000.0f;

} // namespace

std::string TerrainSliceName(unsigned n) { return "terrainsubmesh_" + std::to_string(n); }

unsigned TerrainSliceIndex(float w) { return static_cast<unsigned>(w / kTerrainSliceWidth); }

void BuildTerrainSlices(CVeskCubeMesh& mesh, const std::vector<CVector3D>& positions,
                        const std::vector<CVector3D>& colours)
{
    mesh.ClearSubmeshes();
    // One pass, bucketing by slice; slices without cubes are not made.
    std::vector<CubeSubmesh*> slices;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        const CVector3D& p = positions[i];
        if (!(p.x >= 0.0f && p.x <= kFarthestWidth))
            continue;
        const unsigned n = TerrainSliceIndex(p.x);
        if (n >= slices.size())
            slices.resize(n + 1, nullptr);
        if (!slices[n])
            slices[n] = mesh.CreateSubmesh(TerrainSliceName(n));
        slices[n]->restPositions.push_back(p);
        slices[n]->colours.push_back(i < colours.size() ? colours[i] : CVector3D(255.0f, 255.0f, 255.0f));
    }
    for (CubeSubmesh* slice : slices)
        if (slice)
            slice->cubeCount = static_cast<int>(slice->restPositions.size());
    mesh.RemoveHiddenCubesAll();
    mesh.ComputeBounds();
}

} // namespace Game
