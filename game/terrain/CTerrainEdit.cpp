// The editor's terrain operations. Each collects the slices it changed and closes with
// FinishEdit, so an edit costs the slices it touched, never the whole grid.
#include "game/terrain/CTerrain.h"
namespace Game {

namespace {

bool IsColumnInGrid(const BlockPosition& pos) { return pos.mBlockWidth < MAX_WIDTH && pos.mBlockDepth < MAX_DEPTH; }

} // namespace

void CTerrain::PlaceBlock(const BlockPosition& pos, const CVector3D& colour, unsigned char value, SliceSet& touched)
{
    const unsigned index = GetBlockIndex(pos);
    const bool wasEmpty = m_Occupancy[index] == 0;
    SetOccupancy(index, value);
    SetColour(index, colour);
    if (wasEmpty)
        touched |= SliceBit(pos.mBlockWidth);
}

void CTerrain::EmptyCell(const BlockPosition& pos, SliceSet& rebuild)
{
    SetOccupancy(GetBlockIndex(pos), 0);
    rebuild |= SliceBit(pos.mBlockWidth);
}

void CTerrain::SetBlock(const BlockPosition& pos, const CVector3D& colour, unsigned char value)
{
    if (!pos.IsInGrid())
        return;
    SliceSet rebuild = 0, touched = 0;
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
    SliceSet touched = 0;
    for (const BlockPosition& listed : positions) {
        BlockPosition pos = listed;
        if (!IsColumnInGrid(pos) || !FindColumnTop(pos))
            continue;
        for (unsigned i = 0; i < count && pos.mBlockHeight < MAX_HEIGHT; ++i, ++pos.mBlockHeight)
            PlaceBlock(pos, colour, 1, touched);
    }
    FinishEdit(0, touched);
}

void CTerrain::AddBlocks(const std::vector<BlockPosition>& positions, const CVector3D& colour)
{
    SliceSet touched = 0;
    for (const BlockPosition& pos : positions)
        if (pos.IsInGrid())
            PlaceBlock(pos, colour, 1, touched);
    FinishEdit(0, touched);
}

void CTerrain::DigColumns(const std::vector<BlockPosition>& positions, unsigned count)
{
    SliceSet rebuild = 0;
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
    FinishEdit(rebuild, 0);
}

void CTerrain::RemoveBlocks(const std::vector<BlockPosition>& positions)
{
    SliceSet rebuild = 0;
    for (const BlockPosition& pos : positions)
        if (pos.IsInGrid())
            EmptyCell(pos, rebuild);
    FinishEdit(rebuild, 0);
}

void CTerrain::PaintBlocks(const std::vector<BlockPosition>& positions, const CVector3D& colour)
{
    SliceSet rebuild = 0;
    for (const BlockPosition& pos : positions)
        if (pos.IsInGrid()) {
            SetColour(GetBlockIndex(pos), colour);
            rebuild |= SliceBit(pos.mBlockWidth);
        }
    FinishEdit(rebuild, 0);
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
    SliceSet rebuild = 0, touched = 0;
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
            rebuild |= SliceBit(pos.mBlockWidth);
        } else {
            PlaceBlock(pos, cell.colour, cell.value, touched);
        }
    }
    FinishEdit(rebuild, touched);
}

} // namespace Game
