// TerrainRegion: a box of terrain cells on one height, from (w0, d0) to (w1, d1) inclusive. The
// terrain's physics is one box per region: runs of blocks along depth, merged across widths.
#pragma once

namespace Game {

struct TerrainRegion {
    unsigned w0 = 0, w1 = 0;
    unsigned d0 = 0, d1 = 0;
    unsigned h = 0;

    bool operator==(const TerrainRegion& o) const
    {
        return w0 == o.w0 && w1 == o.w1 && d0 == o.d0 && d1 == o.d1 && h == o.h;
    }
};

} // namespace Game
