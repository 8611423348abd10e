// Reader for text .x mesh files: every mesh of the file's frame hierarchy is merged into one
// triangle list with its frame transforms applied, as one vertex array (position, normal,
// texture coordinate) and index ranges per material slot. Binary and compressed files, and
// files whose counts or indices do not add up, are rejected with the reason.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vesk {

struct XMeshData {
    // 32 bytes: the position, normal and texture-coordinate layout the mesh draws with.
    struct Vertex {
        float position[3];
        float normal[3];
        float uv[2];
    };
    // A run of the index list drawn as one subset: triangles of one material slot.
    struct Subset {
        unsigned startIndex = 0;
        unsigned indexCount = 0;
    };

    std::vector<Vertex> vertices;
    // Three per triangle, grouped by subset in slot order.
    std::vector<uint16_t> indices;
    // One per material slot, across all merged meshes; a mesh without a material list has one
    // slot of its own.
    std::vector<Subset> subsets;
};

// Largest vertex count a merged mesh may have (indices are 16-bit).
constexpr size_t kMaxXFileVertices = 65535;

// Parses the text of a .x file into data; false with the reason in error (data is then
// unspecified).
bool ParseXFile(const std::string& text, XMeshData& data, std::string& error);
// Reads and parses the file at the path.
bool ReadXFile(const std::string& path, XMeshData& data, std::string& error);

} // namespace Vesk
