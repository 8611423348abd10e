// The editor's terrain operations. Each collects the slices it changed and closes with
// FinishEdit, so an edit costs the slices it touched, never the whole grid.
#include "game/terrain/CTerrain.h"
#include "game/terrain/TerrainSlices.h"

#include "game/voxel/CVeskCubeMesh.h"

namespace Game {

namespace {

bool IsColumnInGrid(const BlockPosition& pos) { return pos.mBlockWidth < MAX_WIDTH && pos.mBlockDepth < MAX_DEPTH; }

} // namespace

void CTerrain::PlaceBlock(const BlockPosition& pos, const CVector3D& colour, unsigned char value,
                          std::set<unsigned>& touched)
{
    const unsigned index = GetBlockIndex(pos);
    const bool wasEmpty = m_Occupancy[index] == 0;
    SetOccupancy(index, value);
    SetColour(index, colour);
    if (!wasEmpty || !m_Mesh)
        return;
    const unsigned n = TerrainSliceIndex(float(pos.mBlockWidth));
    CubeSubmesh* slice = m_Mesh->FindSubmesh(TerrainSliceName(n));
    if (!slice)
        slice = m_Mesh->CreateSubmesh(TerrainSliceName(n));
    slice->restPositions.push_back(CVector3D(float(pos.mBlockWidth), float(pos.mBlockHeight), float(pos.mBlockDepth)));
    slice->colours.push_back(colour);
    slice->cubeCount += 1;
    touched.insert(n);
}

void CTerrain::EmptyCell(const BlockPosition& pos, std::set<unsigned>& rebuild)
{
    SetOccupancy(GetBlockIndex(pos), 0);
    rebuild.insert(TerrainSliceIndex(float(pos.mBlockWidth)));
}

void CTerrain::SetBlock(const BlockPosition& pos, const CVector3D& colour, unsigned char value)
{
    if (!pos.IsInGrid())
        return;
    std::set<unsigned> rebuild, touched;
    if (value != 0) {
        PlaceBlock(pos, colour, value, touched);
    } else {
        // Emptying through SetBlock takes the cube out of its slice like any removal.
        SetColour(GetBlockIndex(pos), colour);
        if (IsOccupied(pos))
            EmptyCell(pos, rebuild);
    }
    FinishEdit(rebuild, touched);
}

void CTerrain::RaiseColumns(const std::vector<BlockPosition>& positions, unsigned count, const CVector3D& colour)
{
    std::set<unsigned> touched;
    for (const BlockPosition& listed : positions) {
        BlockPosition pos = listed;
        if (!IsColumnInGrid(pos) || !FindColumnTop(pos))
            continue;
        for (unsigned i = 0; i < count && pos.mBlockHeight < MAX_HEIGHT; ++i, ++pos.mBlockHeight)
            PlaceBlock(pos, colour, 1, touched);
    }
    FinishEdit({}, touched);
}

void CTerrain::AddBlocks(const std::vector<BlockPosition>& positions, const CVector3D& colour)
{
    std::set<unsigned> touched;
    for (const BlockPosition& pos : positions)
        if (pos.IsInGrid())
            PlaceBlock(pos, colour, 1, touched);
    FinishEdit({}, touched);
}

void CTerrain::DigColumns(const std::vector<BlockPosition>& positions, unsigned count)
{
    std::set<unsigned> rebuild;
    for (const BlockPosition& listed : positions) {
        BlockPosition pos = listed;
        if (!IsColumnInGrid(pos) || !FindColumnTop(pos) || pos.mBlockHeight == 0)
            continue;
        const unsigned top = pos.mBlockHeight;
        for (unsigned i = 0; i < count && i < top; ++i) {
            pos.mBlockHeight = top - 1 - i;
            if (IsOccupied(pos))
                EmptyCell(pos, rebuild);
        }
    }
    FinishEdit(rebuild, {});
}

void CTerrain::RemoveBlocks(const std::vector<BlockPosition>& positions)
{
    std::set<unsigned> rebuild;
    for (const BlockPosition& pos : positions)
        if (pos.IsInGrid())
            EmptyCell(pos, rebuild);
    FinishEdit(rebuild, {});
}

void CTerrain::PaintBlocks(const std::vector<BlockPosition>& positions, const CVector3D& colour)
{
    std::set<unsigned> rebuild;
    for (const BlockPosition& pos : positions)
        if (pos.IsInGrid()) {
            SetColour(GetBlockIndex(pos), colour);
            rebuild.insert(TerrainSliceIndex(float(pos.mBlockWidth)));
        }
    FinishEdit(rebuild, {});
}

TerrainCell CTerrain::GetCell(const BlockPosition& pos) const
{
    const unsigned index = GetBlockIndex(pos);
    TerrainCell cell;
    cell.position = pos;
    cell.value = m_Occupancy[index];
    cell.colour = ColourAt(index);
    return cell;
}

void CTerrain::RestoreCells(const std::vector<TerrainCell>& cells)
{
    std::set<unsigned> rebuild, touched;
    for (const TerrainCell& cell : cells) {
        const BlockPosition& pos = cell.position;
        if (!pos.IsInGrid())
            continue;
        if (cell.value == 0) {
            SetColour(GetBlockIndex(pos), cell.colour);
            if (IsOccupied(pos))
                EmptyCell(pos, rebuild);
        } else if (IsOccupied(pos)) {
            // A block that stays a block changes in place: its slice is refilled for the colour.
            SetOccupancy(GetBlockIndex(pos), cell.value);
            SetColour(GetBlockIndex(pos), cell.colour);
            rebuild.insert(TerrainSliceIndex(float(pos.mBlockWidth)));
        } else {
            PlaceBlock(pos, cell.colour, cell.value, touched);
        }
    }
    FinishEdit(rebuild, touched);
}

} // namespace Game
