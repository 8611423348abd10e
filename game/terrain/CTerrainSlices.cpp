// The terrain mesh: slices built from the grid or from a model's cubes, and the per-slice
// refill, hidden-cube removal and bounds that close every edit.
#include "game/terrain/CTerrain.h"
#include "game/terrain/TerrainSlices.h"

#include "game/voxel/CVeskCubeMesh.h"

#include <algorithm>

namespace Game {

void CTerrain::CollectCubes(std::vector<CVector3D>& positions, std::vector<CVector3D>& colours) const
{
    positions.clear();
    colours.clear();
    positions.reserve(2048);
    colours.reserve(2048);
    if (!m_Mesh)
        return;
    for (const auto& entry : m_Mesh->GetSubmeshMap()) {
        const CubeSubmesh& submesh = *entry.second;
        positions.insert(positions.end(), submesh.restPositions.begin(), submesh.restPositions.end());
        // Colours stay in step with the positions whatever the submesh holds.
        const std::size_t n = submesh.restPositions.size();
        const std::size_t shared = std::min(n, submesh.colours.size());
        colours.insert(colours.end(), submesh.colours.begin(), submesh.colours.begin() + shared);
        colours.resize(positions.size(), CVector3D(255.0f, 255.0f, 255.0f));
    }
}

void CTerrain::BuildFromGrid()
{
    std::vector<CVector3D> positions, colours;
    const unsigned used = UsedHeight();
    for (unsigned h = 0; h < used; ++h)
        for (unsigned d = 0; d < MAX_DEPTH; ++d)
            for (unsigned w = 0; w < MAX_WIDTH; ++w) {
                const unsigned index = GetBlockIndex(BlockPosition(w, d, h));
                if (m_Occupancy[index]) {
                    positions.push_back(CVector3D(float(w), float(h), float(d)));
                    colours.push_back(ColourAt(index));
                }
            }
    BuildSlices(positions, colours);
}

void CTerrain::BuildSlices(const std::vector<CVector3D>& positions, const std::vector<CVector3D>& colours)
{
    if (m_Mesh)
        BuildTerrainSlices(*m_Mesh, positions, colours);
}

bool CTerrain::FillSlice(unsigned n)
{
    CubeSubmesh* slice = m_Mesh ? m_Mesh->FindSubmesh(TerrainSliceName(n)) : nullptr;
    if (!slice)
        return false;
    slice->restPositions.clear();
    slice->colours.clear();
    const unsigned width = static_cast<unsigned>(kTerrainSliceWidth);
    const unsigned w0 = n * width, w1 = std::min(w0 + width, MAX_WIDTH);
    const unsigned used = UsedHeight();
    for (unsigned h = 0; h < used; ++h)
        for (unsigned d = 0; d < MAX_DEPTH; ++d)
            for (unsigned w = w0; w < w1; ++w) {
                const unsigned index = GetBlockIndex(BlockPosition(w, d, h));
                if (m_Occupancy[index]) {
                    slice->restPositions.push_back(CVector3D(float(w), float(h), float(d)));
                    slice->colours.push_back(ColourAt(index));
                }
            }
    slice->cubeCount = static_cast<int>(slice->restPositions.size());
    return true;
}

void CTerrain::RebuildSlice(float w)
{
    if (!(w >= 0.0f && w < float(MAX_WIDTH)))
        return;
    const unsigned n = TerrainSliceIndex(w);
    FinishEdit({n}, {});
}

void CTerrain::FinishEdit(const std::set<unsigned>& rebuild, const std::set<unsigned>& touched)
{
    UpdatePhysics();
    if (!m_Mesh)
        return;
    std::set<unsigned> changed = touched;
    for (unsigned n : rebuild)
        if (FillSlice(n))
            changed.insert(n);
    for (unsigned n : changed)
        if (CubeSubmesh* slice = m_Mesh->FindSubmesh(TerrainSliceName(n))) {
            m_Mesh->RemoveHiddenCubes(slice);
            m_Mesh->ComputeSubmeshBounds(*slice);
        }
    m_Mesh->MergeSubmeshBounds();
}

} // namespace Game
