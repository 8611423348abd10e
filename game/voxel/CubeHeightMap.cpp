#include "game/voxel/CubeHeightMap.h"

#include "game/voxel/CubeDebrisWorld.h"

#include "core/Log.h"
#include "platform/win/RegularFile.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace Game {

namespace {

float LittleEndianFloat(const char* text)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const uint32_t bits = static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
                          static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A header size rounded to the nearest whole number; false for values that are not finite or
// do not fit an int.
bool CellCount(float value, int& count)
{
    const float rounded = value + 0.5f;
    if (!(rounded > -2147483648.0f && rounded < 2147483648.0f))
        return false;
    count = static_cast<int>(rounded);
    return true;
}

} // namespace

bool CubeHeightMap::GetHeight(int x, int z, float& height) const
{
    if (x < 0 || z < 0 || x >= width || z >= depth)
        return false;
    const int64_t index = static_cast<int64_t>(z) * width + x;
    if (index >= static_cast<int64_t>(heights.size()))
        return false;
    height = heights[static_cast<std::size_t>(index)];
    return true;
}

const CubeHeightMap& GetCubeHeightMap()
{
    return CCubeDebrisWorld::GetInstance().m_HeightMap;
}

bool LoadHeightMap(const std::string& name)
{
    return LoadHeightMapFile("assets/meshes/" + name);
}

bool LoadHeightMapFile(const std::string& path)
{
    std::string bytes, error;
    if (!win::ReadRegularFile(path, bytes, error)) {
        Vesk::LogLine("CubeHeightMap: cannot open \"" + path + "\" (" + error + "); the height map stays as it was");
        return false;
    }
    CubeHeightMap map;
    if (bytes.size() < 8 || !CellCount(LittleEndianFloat(&bytes[0]), map.width) ||
        !CellCount(LittleEndianFloat(&bytes[4]), map.depth)) {
        Vesk::LogLine("CubeHeightMap: \"" + path + "\" has no valid width and depth; the height map stays as it was");
        return false;
    }
    map.heights.resize(bytes.size() / 4 - 2);
    for (std::size_t i = 0; i < map.heights.size(); ++i)
        map.heights[i] = LittleEndianFloat(&bytes[8 + 4 * i]);
    CCubeDebrisWorld::GetInstance().m_HeightMap = std::move(map);
    return true;
}

} // namespace Game
