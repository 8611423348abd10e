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

CTerrain::SliceSet CTerrain::SliceBit(unsigned w) { return SliceSet(1) << TerrainSliceIndex(float(w)); }

void CTerrain::RefillSlice(CubeSubmesh& slice, unsigned n)
{
    slice.restPositions.clear();
    slice.colours.clear();
    slice.neighbourCodes.clear();
    m_HiddenPositions.clear();
    m_HiddenColours.clear();
    const unsigned w0 = n * unsigned(kTerrainSliceWidth);
    const unsigned w1 = std::min(w0 + unsigned(kTerrainSliceWidth), MAX_WIDTH);
    const unsigned used = UsedHeight();
    constexpr std::size_t kRow = MAX_WIDTH, kLevel = std::size_t(MAX_WIDTH) * MAX_DEPTH;
    const unsigned char* grid = m_Occupancy.get();
    unsigned lo[3] = {MAX_WIDTH, MAX_HEIGHT, MAX_DEPTH}, hi[3] = {0, 0, 0}; // w, h, d
    for (unsigned h = 0; h < used; ++h) {
        if (m_LevelCounts[h] == 0)
            continue;
        for (unsigned d = 0; d < MAX_DEPTH; ++d) {
            const std::size_t row = h * kLevel + d * kRow;
            for (unsigned w = w0; w < w1; ++w) {
                const std::size_t i = row + w;
                if (!grid[i])
                    continue;
                uint32_t code = 0;
                code += w + 1 < w1 && grid[i + 1] ? kNeighbourPlusX : 0;
                code += w > w0 && grid[i - 1] ? kNeighbourMinusX : 0;
                code += h + 1 < MAX_HEIGHT && grid[i + kLevel] ? kNeighbourPlusY : 0;
                code += h > 0 && grid[i - kLevel] ? kNeighbourMinusY : 0;
                code += d + 1 < MAX_DEPTH && grid[i + kRow] ? kNeighbourPlusZ : 0;
                code += d > 0 && grid[i - kRow] ? kNeighbourMinusZ : 0;
                const CVector3D position{float(w), float(h), float(d)};
                if (code == kCubeEnclosed) {
                    m_HiddenPositions.push_back(position);
                    m_HiddenColours.push_back(ColourAt(unsigned(i)));
                } else {
                    slice.restPositions.push_back(position);
                    slice.colours.push_back(ColourAt(unsigned(i)));
                    slice.neighbourCodes.push_back(code);
                }
                const unsigned at[3] = {w, h, d};
                for (int axis = 0; axis < 3; ++axis) {
                    lo[axis] = std::min(lo[axis], at[axis]);
                    hi[axis] = std::max(hi[axis], at[axis]);
                }
            }
        }
    }
    const std::size_t visible = slice.restPositions.size(), hidden = m_HiddenPositions.size();
    slice.restPositions.insert(slice.restPositions.end(), m_HiddenPositions.begin(), m_HiddenPositions.end());
    slice.colours.insert(slice.colours.end(), m_HiddenColours.begin(), m_HiddenColours.end());
    slice.neighbourCodes.resize(visible + hidden, kCubeEnclosed);
    const std::size_t kept = visible + hidden;
    slice.cubeCount = int(kept);
    slice.visibleCount = int(visible);
    // The per-cube drawing state keeps its order; it only follows the new count.
    slice.currentPositions.resize(kept);
    slice.flashValues.resize(kept, 1.0f);
    if (kept > 0) {
        const int64_t cells = int64_t(hi[0] - lo[0] + 1) * (hi[1] - lo[1] + 1) * (hi[2] - lo[2] + 1);
        CVeskCubeMesh::ReportHiddenCubes(slice.name, kept, kept, cells, hidden);
    }
    m_Mesh->ComputeSubmeshBounds(slice);
}

void CTerrain::RebuildSlice(float w)
{
    if (!(w >= 0.0f && w < float(MAX_WIDTH)))
        return;
    FinishEdit(SliceBit(unsigned(w)), 0);
}

void CTerrain::FinishEdit(SliceSet rebuild, SliceSet touched)
{
    UpdatePhysics();
    if (!m_Mesh)
        return;
    const SliceSet changed = rebuild | touched;
    for (unsigned n = 0; changed >> n; ++n) {
        if (!(changed >> n & 1))
            continue;
        CubeSubmesh* slice = m_Mesh->FindSubmesh(TerrainSliceName(n));
        if (!slice && (touched >> n & 1))
            slice = m_Mesh->CreateSubmesh(TerrainSliceName(n));
        if (slice)
            RefillSlice(*slice, n);
    }
    m_Mesh->MergeSubmeshBounds();
}

} // namespace Game
