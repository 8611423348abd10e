#include "platform/gfx/Mesh.h"

#include "platform/gfx/Device.h"

#include <cmath>
#include <cstring>

namespace gfx {

namespace {

const float kPi = 3.14159265358979f;

struct Vec {
    float x, y, z;
};

Vec Sub(const Vec& a, const Vec& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec Cross(const Vec& a, const Vec& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec Normalised(const Vec& v)
{
    const float length = std::sqrt(Dot(v, v));
    return length > 0.0f ? Vec{v.x / length, v.y / length, v.z / length} : v;
}

class Builder {
public:
    uint16_t Vertex(const Vec& p, const Vec& n)
    {
        m_Data.vertices.push_back({{p.x, p.y, p.z}, {n.x, n.y, n.z}});
        return static_cast<uint16_t>(m_Data.vertices.size() - 1);
    }
    // Adds the face wound so that it is a front face seen from the side `outward` points to:
    // in Direct3D's left-handed space that is clockwise on screen.
    void Face(uint16_t a, uint16_t b, uint16_t c, const Vec& outward)
    {
        const Vec pa = Position(a), pb = Position(b), pc = Position(c);
        if (Dot(Cross(Sub(pb, pa), Sub(pc, pa)), outward) < 0.0f)
            std::swap(b, c);
        m_Data.indices.insert(m_Data.indices.end(), {a, b, c});
    }
    Vec Position(uint16_t i) const
    {
        const float* p = m_Data.vertices[i].position;
        return {p[0], p[1], p[2]};
    }
    MeshData Take() { return std::move(m_Data); }

private:
    MeshData m_Data;
};

} // namespace

MeshData CreateBoxData(float width, float height, float depth)
{
    const float x = width * 0.5f, y = height * 0.5f, z = depth * 0.5f;
    // Each side: its normal and two axes spanning it.
    const struct {
        Vec normal, u, v;
    } sides[] = {
        {{-1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
        {{0, 1, 0}, {1, 0, 0}, {0, 0, 1}},  {{0, 0, -1}, {1, 0, 0}, {0, 1, 0}}, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
    };
    Builder builder;
    for (const auto& side : sides) {
        uint16_t corners[4];
        const float signs[4][2] = {{-1, -1}, {-1, 1}, {1, 1}, {1, -1}};
        for (int i = 0; i < 4; ++i) {
            const Vec p = {(side.normal.x + side.u.x * signs[i][0] + side.v.x * signs[i][1]) * x,
                           (side.normal.y + side.u.y * signs[i][0] + side.v.y * signs[i][1]) * y,
                           (side.normal.z + side.u.z * signs[i][0] + side.v.z * signs[i][1]) * z};
            corners[i] = builder.Vertex(p, side.normal);
        }
        builder.Face(corners[0], corners[1], corners[2], side.normal);
        builder.Face(corners[2], corners[3], corners[0], side.normal);
    }
    return builder.Take();
}

MeshData CreateCylinderData(float radius1, float radius2, float length, unsigned slices, unsigned stacks)
{
    Builder builder;
    if (slices < 3 || stacks < 1)
        return builder.Take();
    const float z0 = -length * 0.5f;
    // Side normals lean with the slope between the two radii.
    const float slope = length != 0.0f ? (radius1 - radius2) / length : 0.0f;
    std::vector<uint16_t> rings;
    for (unsigned stack = 0; stack <= stacks; ++stack) {
        const float t = static_cast<float>(stack) / static_cast<float>(stacks);
        const float radius = radius1 + (radius2 - radius1) * t;
        for (unsigned slice = 0; slice < slices; ++slice) {
            const float angle = 2.0f * kPi * static_cast<float>(slice) / static_cast<float>(slices);
            const float c = std::cos(angle), s = std::sin(angle);
            rings.push_back(builder.Vertex({radius * c, radius * s, z0 + length * t}, Normalised({c, s, slope})));
        }
    }
    for (unsigned stack = 0; stack < stacks; ++stack)
        for (unsigned slice = 0; slice < slices; ++slice) {
            const unsigned next = (slice + 1) % slices;
            const uint16_t a = rings[stack * slices + slice], b = rings[stack * slices + next];
            const uint16_t c = rings[(stack + 1) * slices + next], d = rings[(stack + 1) * slices + slice];
            const float angle = 2.0f * kPi * (static_cast<float>(slice) + 0.5f) / static_cast<float>(slices);
            const Vec outward = {std::cos(angle), std::sin(angle), 0.0f};
            builder.Face(a, b, c, outward);
            builder.Face(c, d, a, outward);
        }
    for (int end = 0; end < 2; ++end) {
        const Vec normal = {0, 0, end == 0 ? -1.0f : 1.0f};
        const float z = end == 0 ? z0 : -z0;
        const float radius = end == 0 ? radius1 : radius2;
        const uint16_t centre = builder.Vertex({0, 0, z}, normal);
        std::vector<uint16_t> ring;
        for (unsigned slice = 0; slice < slices; ++slice) {
            const float angle = 2.0f * kPi * static_cast<float>(slice) / static_cast<float>(slices);
            ring.push_back(builder.Vertex({radius * std::cos(angle), radius * std::sin(angle), z}, normal));
        }
        for (unsigned slice = 0; slice < slices; ++slice)
            builder.Face(centre, ring[slice], ring[(slice + 1) % slices], normal);
    }
    return builder.Take();
}

MeshData CreatePolygonData(float length, unsigned sides)
{
    Builder builder;
    if (sides < 3)
        return builder.Take();
    const Vec normal = {0, 0, 1};
    const float radius = length / (2.0f * std::sin(kPi / static_cast<float>(sides)));
    const uint16_t centre = builder.Vertex({0, 0, 0}, normal);
    for (unsigned i = 0; i < sides; ++i) {
        const float angle = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(sides);
        builder.Vertex({radius * std::cos(angle), radius * std::sin(angle), 0}, normal);
    }
    for (unsigned i = 0; i < sides; ++i)
        builder.Face(centre, static_cast<uint16_t>(1 + i), static_cast<uint16_t>(1 + (i + 1) % sides), normal);
    return builder.Take();
}

MeshData CreateSphereData(float radius, unsigned slices, unsigned stacks)
{
    Builder builder;
    if (slices < 3 || stacks < 2)
        return builder.Take();
    const uint16_t top = builder.Vertex({0, 0, radius}, {0, 0, 1});
    std::vector<uint16_t> rings;
    for (unsigned stack = 1; stack < stacks; ++stack) {
        const float phi = kPi * static_cast<float>(stack) / static_cast<float>(stacks);
        for (unsigned slice = 0; slice < slices; ++slice) {
            const float theta = 2.0f * kPi * static_cast<float>(slice) / static_cast<float>(slices);
            const Vec n = {std::sin(phi) * std::cos(theta), std::sin(phi) * std::sin(theta), std::cos(phi)};
            rings.push_back(builder.Vertex({n.x * radius, n.y * radius, n.z * radius}, n));
        }
    }
    const uint16_t bottom = builder.Vertex({0, 0, -radius}, {0, 0, -1});
    // Each face is wound to face away from the centre.
    auto face = [&builder](uint16_t a, uint16_t b, uint16_t c) {
        const Vec pa = builder.Position(a), pb = builder.Position(b), pc = builder.Position(c);
        builder.Face(a, b, c, {pa.x + pb.x + pc.x, pa.y + pb.y + pc.y, pa.z + pb.z + pc.z});
    };
    const unsigned rows = stacks - 1;
    for (unsigned slice = 0; slice < slices; ++slice) {
        const unsigned next = (slice + 1) % slices;
        face(top, rings[slice], rings[next]);
        for (unsigned row = 0; row + 1 < rows; ++row) {
            const uint16_t a = rings[row * slices + slice], b = rings[row * slices + next];
            const uint16_t c = rings[(row + 1) * slices + next], d = rings[(row + 1) * slices + slice];
            face(a, b, c);
            face(c, d, a);
        }
        face(bottom, rings[(rows - 1) * slices + next], rings[(rows - 1) * slices + slice]);
    }
    return builder.Take();
}

std::unique_ptr<Mesh> Mesh::Create(Device& device, const MeshData& data)
{
    if (data.vertices.empty() || data.indices.empty() || data.vertices.size() > 65536 || data.indices.size() % 3)
        return nullptr;
    std::unique_ptr<Mesh> mesh(new Mesh(device));
    const unsigned vertexBytes = static_cast<unsigned>(data.vertices.size() * sizeof(MeshVertex));
    mesh->m_VertexBuffer = VertexBuffer::Create(device, vertexBytes, false);
    mesh->m_IndexBuffer = IndexBuffer::Create(device, static_cast<unsigned>(data.indices.size()));
    std::memcpy(mesh->m_VertexBuffer->Lock(0, 0, 0), data.vertices.data(), vertexBytes);
    mesh->m_VertexBuffer->Unlock();
    std::memcpy(mesh->m_IndexBuffer->Lock(0, 0, 0), data.indices.data(), data.indices.size() * sizeof(uint16_t));
    mesh->m_IndexBuffer->Unlock();
    mesh->m_Vertices = static_cast<unsigned>(data.vertices.size());
    mesh->m_Faces = static_cast<unsigned>(data.indices.size() / 3);
    return mesh;
}

Mesh::~Mesh() = default;

void Mesh::ReleaseNames()
{
    // The buffers are objects of their own.
}

void Mesh::DrawSubset(unsigned subset) const
{
    Device* device = GetDevice();
    if (subset != 0 || !device)
        return;
    device->SetFVF(kFVF);
    device->SetStreamSource(0, m_VertexBuffer.get(), 0, kStride);
    device->SetStreamSourceFreq(0, 1);
    device->SetIndices(m_IndexBuffer.get());
    device->DrawIndexedPrimitive(PrimitiveType::TriangleList, 0, 0, m_Vertices, 0, m_Faces);
}

} // namespace gfx
