// The parts of a Quake II MD2 file that the engine reads: the 68-byte header, texture
// coordinates, triangles and key frames (skins and GL commands are skipped). The parser checks
// every count, offset and index against the file before it keeps anything.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Vesk {

struct MD2Header {
    int32_t ident = 0, version = 0;
    int32_t skinWidth = 0, skinHeight = 0;
    int32_t frameSize = 0;
    int32_t numSkins = 0, numVertices = 0, numTexCoords = 0, numTriangles = 0, numGLCommands = 0, numFrames = 0;
    int32_t ofsSkins = 0, ofsTexCoords = 0, ofsTriangles = 0, ofsFrames = 0, ofsGLCommands = 0, ofsEnd = 0;
};

struct MD2TexCoord {
    int16_t s = 0, t = 0;
};

struct MD2Triangle {
    uint16_t vertex[3] = {};
    uint16_t texCoord[3] = {};
};

// A packed vertex: position bytes scaled and moved by its frame, and an index into the normals.
struct MD2PackedVertex {
    uint8_t position[3] = {};
    uint8_t normal = 0;
};

struct MD2Frame {
    float scale[3] = {};
    float translate[3] = {};
    std::string name; // at most 16 characters, up to the first NUL
    std::vector<MD2PackedVertex> vertices;
};

struct MD2FileData {
    MD2Header header;
    std::vector<MD2TexCoord> texCoords;
    std::vector<MD2Triangle> triangles;
    std::vector<MD2Frame> frames;
};

constexpr size_t kMD2HeaderSize = 68;
constexpr int32_t kMD2Ident = 0x32504449; // "IDP2"
constexpr int32_t kMD2Version = 8;

// Reads a little-endian MD2 image. On failure `out` is left empty and `error` says why.
bool ParseMD2(const uint8_t* data, size_t size, MD2FileData& out, std::string& error);

} // namespace Vesk
