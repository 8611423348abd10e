#include "resources/md2/MD2File.h"

#include "resources/md2/MD2Normals.h"

#include <algorithm>
#include <cstring>

namespace Vesk {

namespace {

constexpr size_t kTexCoordSize = 4;
constexpr size_t kTriangleSize = 12;
constexpr size_t kFrameHeaderSize = 40;
constexpr size_t kPackedVertexSize = 4;
constexpr size_t kFrameNameSize = 16;

// Little-endian reads from a range already checked to lie inside the image.
int32_t ReadInt32(const uint8_t* p)
{
    return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                                static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

uint16_t ReadUInt16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

float ReadFloat(const uint8_t* p)
{
    const uint32_t bits = static_cast<uint32_t>(ReadInt32(p));
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// True when count records of recordSize bytes starting at offset lie inside the image.
// Divided rather than multiplied, so that no count and record size can wrap around.
bool Fits(int32_t offset, uint64_t count, uint64_t recordSize, size_t size)
{
    return offset >= 0 && static_cast<uint64_t>(offset) <= size &&
           count <= (size - static_cast<uint64_t>(offset)) / recordSize;
}

MD2Header ReadHeader(const uint8_t* data)
{
    int32_t fields[kMD2HeaderSize / 4];
    for (size_t i = 0; i < kMD2HeaderSize / 4; ++i)
        fields[i] = ReadInt32(data + 4 * i);
    MD2Header h;
    h.ident = fields[0];
    h.version = fields[1];
    h.skinWidth = fields[2];
    h.skinHeight = fields[3];
    h.frameSize = fields[4];
    h.numSkins = fields[5];
    h.numVertices = fields[6];
    h.numTexCoords = fields[7];
    h.numTriangles = fields[8];
    h.numGLCommands = fields[9];
    h.numFrames = fields[10];
    h.ofsSkins = fields[11];
    h.ofsTexCoords = fields[12];
    h.ofsTriangles = fields[13];
    h.ofsFrames = fields[14];
    h.ofsGLCommands = fields[15];
    h.ofsEnd = fields[16];
    return h;
}

// The header's own checks: ident, version, skin size and counts against the image size.
bool CheckHeader(const MD2Header& h, size_t size, std::string& error)
{
    if (h.ident != kMD2Ident) {
        error = "not an MD2 file (ident)";
        return false;
    }
    if (h.version != kMD2Version) {
        error = "MD2 version " + std::to_string(h.version) + " instead of 8";
        return false;
    }
    if (h.skinWidth <= 0 || h.skinHeight <= 0) {
        error = "skin size " + std::to_string(h.skinWidth) + "x" + std::to_string(h.skinHeight);
        return false;
    }
    if (h.numVertices < 0 || h.numTexCoords < 0 || h.numTriangles < 0 || h.numFrames <= 0) {
        error = "bad counts (a model needs at least one frame)";
        return false;
    }
    const uint64_t frameBytes = kFrameHeaderSize + static_cast<uint64_t>(h.numVertices) * kPackedVertexSize;
    if (!Fits(h.ofsTexCoords, static_cast<uint64_t>(h.numTexCoords), kTexCoordSize, size) ||
        !Fits(h.ofsTriangles, static_cast<uint64_t>(h.numTriangles), kTriangleSize, size) ||
        !Fits(h.ofsFrames, static_cast<uint64_t>(h.numFrames), frameBytes, size)) {
        error = "texture coordinates, triangles or frames reach past the end of the file";
        return false;
    }
    return true;
}

bool ReadTriangles(const uint8_t* data, const MD2Header& h, std::vector<MD2Triangle>& out, std::string& error)
{
    out.resize(static_cast<size_t>(h.numTriangles));
    const uint8_t* p = data + h.ofsTriangles;
    for (MD2Triangle& triangle : out) {
        for (int corner = 0; corner < 3; ++corner) {
            triangle.vertex[corner] = ReadUInt16(p + 2 * corner);
            triangle.texCoord[corner] = ReadUInt16(p + 6 + 2 * corner);
            if (triangle.vertex[corner] >= h.numVertices || triangle.texCoord[corner] >= h.numTexCoords) {
                error = "triangle index out of range";
                return false;
            }
        }
        p += kTriangleSize;
    }
    return true;
}

bool ReadFrames(const uint8_t* data, const MD2Header& h, std::vector<MD2Frame>& out, std::string& error)
{
    out.resize(static_cast<size_t>(h.numFrames));
    const uint8_t* p = data + h.ofsFrames;
    for (MD2Frame& frame : out) {
        for (int axis = 0; axis < 3; ++axis) {
            frame.scale[axis] = ReadFloat(p + 4 * axis);
            frame.translate[axis] = ReadFloat(p + 12 + 4 * axis);
        }
        const char* name = reinterpret_cast<const char*>(p + 24);
        frame.name.assign(name, std::find(name, name + kFrameNameSize, '\0'));
        p += kFrameHeaderSize;
        frame.vertices.resize(static_cast<size_t>(h.numVertices));
        for (MD2PackedVertex& vertex : frame.vertices) {
            std::memcpy(vertex.position, p, 3);
            vertex.normal = p[3];
            if (vertex.normal >= kMD2NormalCount) {
                error = "normal index out of range in frame \"" + frame.name + "\"";
                return false;
            }
            p += kPackedVertexSize;
        }
    }
    return true;
}

} // namespace

bool ParseMD2(const uint8_t* data, size_t size, MD2FileData& out, std::string& error)
{
    out = MD2FileData();
    if (!data || size < kMD2HeaderSize) {
        error = "file shorter than the MD2 header";
        return false;
    }
    MD2FileData parsed;
    parsed.header = ReadHeader(data);
    const MD2Header& h = parsed.header;
    if (!CheckHeader(h, size, error))
        return false;

    parsed.texCoords.resize(static_cast<size_t>(h.numTexCoords));
    for (size_t i = 0; i < parsed.texCoords.size(); ++i) {
        const uint8_t* p = data + h.ofsTexCoords + kTexCoordSize * i;
        parsed.texCoords[i].s = static_cast<int16_t>(ReadUInt16(p));
        parsed.texCoords[i].t = static_cast<int16_t>(ReadUInt16(p + 2));
    }
    if (!ReadTriangles(data, h, parsed.triangles, error) || !ReadFrames(data, h, parsed.frames, error))
        return false;
    out = std::move(parsed);
    return true;
}

} // namespace Vesk
