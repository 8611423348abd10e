// BrushBlock: a block as the terrain brush names it, x = width, y = height, z = depth (the order
// of its bar and keys). The terrain, its packets and the region builders name a block (width,
// depth, height); the two functions below are the only crossing between the orders.
#pragma once

#include "game/terrain/CTerrain.h"

#include <cstdint>

namespace Game {

struct BrushBlock {
    uint32_t x = 0; // width
    uint32_t y = 0; // height
    uint32_t z = 0; // depth

    bool operator==(const BrushBlock& o) const { return x == o.x && y == o.y && z == o.z; }
};

inline BlockPosition ToBlockPosition(const BrushBlock& block) { return BlockPosition(block.x, block.z, block.y); }

inline BrushBlock ToBrushBlock(const BlockPosition& pos)
{
    return BrushBlock{pos.mBlockWidth, pos.mBlockHeight, pos.mBlockDepth};
}

} // namespace Game
