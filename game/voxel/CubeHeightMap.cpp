#include "game/voxel/CubeHeightMap.h"

#include "game/voxel/CubeDebrisWorld.h"

#include "core/AtomicFile.h"
#include "core/Log.h"
#include "platform/win/RegularFile.h"

#include <algorithm>
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

void AppendLittleEndianFloat(std::string& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((bits >> (8 * i)) & 0xFF);
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

const CubeHeightMap& GetCubeHeightMap() { return CCubeDebrisWorld::GetInstance().m_HeightMap; }

bool LoadHeightMap(const std::string& name) { return LoadHeightMapFile("assets/meshes/" + name); }

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

CubeHeightMap MakeBlockHeightMap(int width, int depth, const std::function<int(int w, int d)>& top)
{
    const auto columnTop = [&](int w, int d) { return w < width && d < depth ? top(w, d) : -1; };
    CubeHeightMap map;
    map.width = width;
    map.depth = depth;
    for (int cz = 0; cz < depth; ++cz)
        for (int cx = 0; cx < width; ++cx) {
            const int t = std::max(columnTop(cx, cz + 1), columnTop(cx + 1, cz + 1));
            map.heights.push_back(t < 0 ? -1000.0f : 4.0f * float(t) - 0.5f);
        }
    return map;
}

bool SaveHeightMapFile(const std::string& path, const CubeHeightMap& map)
{
    std::string bytes;
    AppendLittleEndianFloat(bytes, float(map.width));
    AppendLittleEndianFloat(bytes, float(map.depth));
    for (const float height : map.heights)
        AppendLittleEndianFloat(bytes, height);
    return Vesk::WriteFileAtomically(path, bytes, "CubeHeightMap");
}

} // namespace Game
