// Builds small MD2 images in memory for the loader and animation tests: a header, texture
// coordinates, triangles and frames laid out one after the other, with every field reachable so
// that a test can corrupt exactly one of them.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace md2fixture {

struct Frame {
    std::string name; // written into 16 bytes, NUL-padded; 16 characters leave no NUL
    float scale[3] = {1.0f, 1.0f, 1.0f};
    float translate[3] = {0.0f, 0.0f, 0.0f};
    std::vector<std::array<uint8_t, 4>> vertices; // x, y, z, normal index
};

struct Model {
    int32_t skinWidth = 64, skinHeight = 32;
    std::vector<std::array<int16_t, 2>> texCoords = {{0, 0}, {32, 16}, {64, 32}};
    std::vector<std::array<uint16_t, 6>> triangles = {{0, 1, 2, 0, 1, 2}}; // vertex[3], texCoord[3]
    std::vector<Frame> frames;
};

// Byte offsets of the header fields.
enum HeaderField {
    kIdent = 0,
    kVersion = 4,
    kSkinWidth = 8,
    kSkinHeight = 12,
    kFrameSize = 16,
    kNumSkins = 20,
    kNumVertices = 24,
    kNumTexCoords = 28,
    kNumTriangles = 32,
    kNumGLCommands = 36,
    kNumFrames = 40,
    kOfsSkins = 44,
    kOfsTexCoords = 48,
    kOfsTriangles = 52,
    kOfsFrames = 56,
    kOfsGLCommands = 60,
    kOfsEnd = 64,
};

inline void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

inline void Append16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void AppendFloat(std::vector<uint8_t>& out, float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, 4);
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
}

inline std::vector<uint8_t> Build(const Model& model)
{
    const uint32_t vertexCount = model.frames.empty() ? 0 : static_cast<uint32_t>(model.frames[0].vertices.size());
    std::vector<uint8_t> out(68, 0);
    const uint32_t ofsTexCoords = 68;
    const uint32_t ofsTriangles = ofsTexCoords + 4 * static_cast<uint32_t>(model.texCoords.size());
    const uint32_t ofsFrames = ofsTriangles + 12 * static_cast<uint32_t>(model.triangles.size());
    const uint32_t frameSize = 40 + 4 * vertexCount;
    const uint32_t end = ofsFrames + frameSize * static_cast<uint32_t>(model.frames.size());
    Put32(out, kIdent, 0x32504449);
    Put32(out, kVersion, 8);
    Put32(out, kSkinWidth, static_cast<uint32_t>(model.skinWidth));
    Put32(out, kSkinHeight, static_cast<uint32_t>(model.skinHeight));
    Put32(out, kFrameSize, frameSize);
    Put32(out, kNumVertices, vertexCount);
    Put32(out, kNumTexCoords, static_cast<uint32_t>(model.texCoords.size()));
    Put32(out, kNumTriangles, static_cast<uint32_t>(model.triangles.size()));
    Put32(out, kNumFrames, static_cast<uint32_t>(model.frames.size()));
    Put32(out, kOfsSkins, 68);
    Put32(out, kOfsTexCoords, ofsTexCoords);
    Put32(out, kOfsTriangles, ofsTriangles);
    Put32(out, kOfsFrames, ofsFrames);
    Put32(out, kOfsGLCommands, end);
    Put32(out, kOfsEnd, end);
    for (const auto& st : model.texCoords) {
        Append16(out, static_cast<uint16_t>(st[0]));
        Append16(out, static_cast<uint16_t>(st[1]));
    }
    for (const auto& triangle : model.triangles)
        for (uint16_t index : triangle)
            Append16(out, index);
    for (const Frame& frame : model.frames) {
        for (float s : frame.scale)
            AppendFloat(out, s);
        for (float t : frame.translate)
            AppendFloat(out, t);
        char name[16] = {};
        std::memcpy(name, frame.name.data(), frame.name.size() < 16 ? frame.name.size() : 16);
        out.insert(out.end(), name, name + 16);
        for (const auto& vertex : frame.vertices)
            out.insert(out.end(), vertex.begin(), vertex.end());
    }
    return out;
}

// Frames named by the list, each with three vertices whose x is the frame's index.
inline Model NamedFrames(const std::vector<std::string>& names)
{
    Model model;
    for (size_t i = 0; i < names.size(); ++i) {
        Frame frame;
        frame.name = names[i];
        const uint8_t x = static_cast<uint8_t>(i);
        frame.vertices = {{x, 0, 0, 5}, {x, 1, 0, 5}, {x, 0, 1, 32}};
        model.frames.push_back(frame);
    }
    return model;
}

} // namespace md2fixture
