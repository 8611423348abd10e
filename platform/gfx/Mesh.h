// Indexed triangle meshes of positions and normals (flexible format XYZ | NORMAL, 24 bytes a
// vertex, one subset), and the generators for the primitive shapes as D3DX builds them: centred
// on the origin, left-handed, front faces clockwise seen from outside, with the same vertex and
// face counts (the box: 24 vertices and 12 faces, one normal per side).
#pragma once

#include "platform/gfx/Buffers.h"
#include "platform/gfx/GpuObject.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace gfx {

struct MeshVertex {
    float position[3];
    float normal[3];
};

struct MeshData {
    std::vector<MeshVertex> vertices;
    std::vector<uint16_t> indices; // three per face
};

MeshData CreateBoxData(float width, float height, float depth);
// Along z, radius1 at z = -length / 2 and radius2 at z = +length / 2, with both end caps.
MeshData CreateCylinderData(float radius1, float radius2, float length, unsigned slices, unsigned stacks);
// A regular polygon in the z = 0 plane facing +z; length is the length of each side.
MeshData CreatePolygonData(float length, unsigned sides);
MeshData CreateSphereData(float radius, unsigned slices, unsigned stacks);

class Mesh : public GpuObject {
public:
    static constexpr uint32_t kFVF = FVF_XYZ | FVF_NORMAL;
    static constexpr unsigned kStride = sizeof(MeshVertex);

    // Null for empty data or more vertices than 16-bit indices reach.
    static std::unique_ptr<Mesh> Create(Device& device, const MeshData& data);
    ~Mesh() override;

    // Only subset 0 exists.
    void DrawSubset(unsigned subset) const;
    unsigned GetNumVertices() const { return m_Vertices; }
    unsigned GetNumFaces() const { return m_Faces; }
    const VertexBuffer* GetVertexBuffer() const { return m_VertexBuffer.get(); }
    const IndexBuffer* GetIndexBuffer() const { return m_IndexBuffer.get(); }

private:
    using GpuObject::GpuObject;
    void ReleaseNames() override;

    std::unique_ptr<VertexBuffer> m_VertexBuffer;
    std::unique_ptr<IndexBuffer> m_IndexBuffer;
    unsigned m_Vertices = 0, m_Faces = 0;
};

} // namespace gfx
