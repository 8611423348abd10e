#include "game/editor/TerrainBrushRegion.h"

#include "game/editor/LEMessagePackets.h"

#include <algorithm>
#include <climits>

namespace Game {

namespace {

// A layer count as the signed height the builders take; removal goes down from the centre.
int SignedLayers(bool several, uint32_t layers, BrushStroke stroke)
{
    if (!several)
        return 1;
    const int n = int(std::min<uint32_t>(layers, INT_MAX));
    return stroke == BrushStroke::Remove ? -n : n;
}

uint32_t ClampedEnd(uint32_t start, uint32_t size, uint32_t max)
{
    return uint32_t(std::min<uint64_t>(uint64_t(start) + size, max));
}

} // namespace

std::vector<BlockPosition> BrushRegion(const TerrainBrushSettings& brush, const BrushBlock& centre, BrushStroke stroke)
{
    std::vector<BlockPosition> out;
    const BlockPosition c = ToBlockPosition(centre);
    switch (brush.brushType) {
    case TerrainBrushSettings::Cubic: {
        // A column edit lists the selected layer only: each column then rises or sinks by the count.
        const bool oneLayer = stroke != BrushStroke::Paint && brush.displaceFromTop;
        const uint32_t top = oneLayer ? centre.y + 1 : ClampedEnd(centre.y, brush.blocksToAddHeight, MAX_HEIGHT);
        AppendBoxRegion(out, c,
                        BlockPosition(ClampedEnd(centre.x, brush.brushWidth, MAX_WIDTH),
                                      ClampedEnd(centre.z, brush.brushDepth, MAX_DEPTH), top));
        break;
    }
    case TerrainBrushSettings::Diamond:
        AppendDiamondRegion(out, c, brush.diamondSideLength,
                            SignedLayers(brush.pyramidal, brush.blocksToAddHeight, stroke), MAX_WIDTH, MAX_DEPTH,
                            MAX_HEIGHT);
        break;
    case TerrainBrushSettings::Circle:
        AppendCircleRegion(out, c, brush.brushRadius,
                           SignedLayers(brush.sphereHeight, brush.heightDisplacement, stroke), MAX_WIDTH, MAX_DEPTH,
                           MAX_HEIGHT);
        break;
    default: break;
    }
    return out;
}

uint32_t BrushColumnCount(const TerrainBrushSettings& brush, BrushStroke stroke)
{
    const bool layered = brush.brushType == TerrainBrushSettings::Diamond ? brush.pyramidal
                         : stroke == BrushStroke::Remove && brush.brushType == TerrainBrushSettings::Circle
                             ? brush.sphereHeight
                             : false;
    return layered ? 1 : brush.blocksToAddHeight;
}

} // namespace Game
