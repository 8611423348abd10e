// The level's height map, process-wide: the ground that shatter debris bounces on. Read from a
// binary file of little-endian 32-bit floats (width, depth, then the heights row by row, all x of
// z = 0 first); it stays as it was when a file cannot be read.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace Game {

struct CubeHeightMap {
    int width = 0;
    int depth = 0;
    std::vector<float> heights; // cell (x, z) at z * width + x

    // The height of a cell; false outside the map, and for cells the table is too short to hold.
    bool GetHeight(int x, int z, float& height) const;
};

const CubeHeightMap& GetCubeHeightMap();

// Reads "assets/meshes/" + name; see LoadHeightMapFile.
bool LoadHeightMap(const std::string& name);
// False, with a log line and the map left as it was, when the file cannot be read or is shorter
// than its 8-byte header or its sizes are not numbers of cells.
bool LoadHeightMapFile(const std::string& path);

// The height map of a ground of blocks of 4 units at the origin, width x depth columns, column
// (w, d) having its top block at height top(w, d) (negative: no block). Debris finds its cell as
// x / 4 and z / 4 - 0.5, truncated, so cell (cx, cz) covers half of blocks cx and cx + 1 and the
// whole of block cz + 1: it takes the highest of those. Heights sit 2.5 below the top face
// (4 t + 2), where the bounce starts; cells without blocks lie far below.
CubeHeightMap MakeBlockHeightMap(int width, int depth, const std::function<int(int w, int d)>& top);
// Writes the map in the form LoadHeightMapFile reads, through a temporary file; false (with a
// log line) on failure.
bool SaveHeightMapFile(const std::string& path, const CubeHeightMap& map);

} // namespace Game
