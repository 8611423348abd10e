// The layout of a terrain mesh: cubes at (w, h, d) in submeshes "terrainsubmesh_<n>" of ten widths
// each (n = w / 10). Shared by the terrain and the level generator, so that generated terrain
// models read back into exactly the slices the terrain would make of them.
#pragma once

#include "math/Vector3D.h"

#include <string>
#include <vector>

namespace Game {

class CVeskCubeMesh;

constexpr float kTerrainSliceWidth = 10.0f;

std::string TerrainSliceName(unsigned n);
// The slice holding width w; w must not be negative.
unsigned TerrainSliceIndex(float w);

// Replaces the mesh's submeshes by slices of the cubes (colours by index, white where missing),
// keeping their order within each slice; then removes hidden cubes and computes the bounds.
// Cubes at a negative, non-finite or far-off (beyond 1000000) width are left out.
void BuildTerrainSlices(CVeskCubeMesh& mesh, const std::vector<CVector3D>& positions,
                        const std::vector<CVector3D>& colours);

} // namespace Game
