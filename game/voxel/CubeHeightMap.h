// The level's height map, process-wide: the ground that shatter debris bounces on. Read from a
// binary file of little-endian 32-bit floats (width, depth, then the heights row by row, all x of
// z = 0 first); it stays as it was when a file cannot be read.
#pragma once

#include <string>
#include <vector>

namespace Game {

struct CubeHeightMap {
    int width = 0;
    int depth = 0;
    std::vector<float> heights;  // cell (x, z) at z * width + x

    // The height of a cell; false outside the map, and for cells the table is too short to hold.
    bool GetHeight(int x, int z, float& height) const;
};

const CubeHeightMap& GetCubeHeightMap();

// Reads "assets/meshes/" + name; see LoadHeightMapFile.
bool LoadHeightMap(const std::string& name);
// False, with a log line and the map left as it was, when the file cannot be read or is shorter
// than its 8-byte header or its sizes are not numbers of cells.
bool LoadHeightMapFile(const std::string& path);

} // namespace Game
