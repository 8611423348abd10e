#include "resources/CXMesh.h"

#include "core/Log.h"
#include "platform/gfx/Device.h"
#include "render/CRenderer.h"

#include <cstring>

namespace Vesk {

bool CXMesh::Load(const std::string& path)
{
    std::string error;
    if (!ReadXFile(path, m_Data, error)) {
        LogLine("CXMesh: " + path + ": " + error);
        return false;
    }
    m_Path = path;
    std::vector<CVector3D> positions;
    positions.reserve(m_Data.vertices.size());
    for (const XMeshData::Vertex& v : m_Data.vertices)
        positions.emplace_back(v.position[0], v.position[1], v.position[2]);
    m_AABB = CAABB::FromPoints(positions.data(), static_cast<int>(positions.size()));
    return true;
}

bool CXMesh::CreateBuffers(gfx::Device& device)
{
    const unsigned vertexBytes = static_cast<unsigned>(m_Data.vertices.size() * sizeof(XMeshData::Vertex));
    auto vertexBuffer = gfx::VertexBuffer::Create(device, vertexBytes, false);
    auto indexBuffer = gfx::IndexBuffer::Create(device, static_cast<unsigned>(m_Data.indices.size()));
    void* vertices = vertexBuffer ? vertexBuffer->Lock(0, 0, 0) : nullptr;
    void* indices = indexBuffer ? indexBuffer->Lock(0, 0, 0) : nullptr;
    if (!vertices || !indices)
        return false;
    std::memcpy(vertices, m_Data.vertices.data(), vertexBytes);
    std::memcpy(indices, m_Data.indices.data(), m_Data.indices.size() * sizeof(uint16_t));
    vertexBuffer->Unlock();
    indexBuffer->Unlock();
    m_VertexBuffer = std::move(vertexBuffer);
    m_IndexBuffer = std::move(indexBuffer);
    return true;
}

void CXMesh::Render()
{
    for (unsigned i = 0; i < GetMaterialCount(); ++i)
        DrawSubset(i);
}

void CXMesh::DrawSubset(unsigned subset)
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device || subset >= m_Data.subsets.size() || m_Data.subsets[subset].indexCount == 0)
        return;
    if (!m_IndexBuffer && !CreateBuffers(*device))
        return;
    const XMeshData::Subset& range = m_Data.subsets[subset];
    device->SetFVF(gfx::FVF_XYZ | gfx::FVF_NORMAL | gfx::FVF_TEX1);
    device->SetStreamSource(0, m_VertexBuffer.get(), 0, sizeof(XMeshData::Vertex));
    device->SetIndices(m_IndexBuffer.get());
    device->DrawIndexedPrimitive(gfx::PrimitiveType::TriangleList, 0, 0, static_cast<unsigned>(m_Data.vertices.size()),
                                 range.startIndex, range.indexCount / 3);
}

} // namespace Vesk
