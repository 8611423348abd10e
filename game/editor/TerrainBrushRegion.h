// The terrain brush's settings and the blocks one stroke of it covers. A stroke builds, removes
// or paints around the selected block with the cubic, diamond or circle brush; the blocks come
// out in the terrain's order (width, depth, height) and never leave the grid.
#pragma once

#include "game/editor/BrushBlock.h"

#include <cstdint>
#include <vector>

namespace Game {

enum class BrushStroke { Build, Remove, Paint };

struct TerrainBrushSettings {
    enum Type : uint32_t { Cubic = 0, Diamond = 1, Circle = 2 };

    uint32_t brushType = Cubic;
    uint32_t brushRadius = 3;
    bool sphereHeight = false;
    uint32_t heightDisplacement = 1;
    uint32_t brushWidth = 1; // x, cubic brush
    uint32_t brushDepth = 1; // z, cubic brush
    uint32_t diamondSideLength = 3;
    bool pyramidal = false;
    uint32_t blocksToAddHeight = 1;
    bool displaceFromTop = true;
    bool noiseHeight = false;  // offered in the bar; building does not read it
    bool destructible = false; // offered in the bar; building does not read it
};

// The positions a stroke of the brush covers around the centre, a block of the grid.
std::vector<BlockPosition> BrushRegion(const TerrainBrushSettings& brush, const BrushBlock& centre, BrushStroke stroke);

// How many blocks each listed column of a build or removal is raised or dug by.
uint32_t BrushColumnCount(const TerrainBrushSettings& brush, BrushStroke stroke);

} // namespace Game
