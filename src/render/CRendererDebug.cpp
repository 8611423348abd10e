// The renderer's debug geometry: queues of lines, quads and triangles, flushed once a frame.
#include "render/CRenderer.h"

#include "math/Colour.h"
#include "render/CCameraManager.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Vesk {

namespace {

const gfx::VertexDeclaration kDebugDeclaration({{0, 0, gfx::DeclType::Float3, gfx::DeclUsage::Position, 0},
                                                {0, 12, gfx::DeclType::Color, gfx::DeclUsage::Color, 0}});

CRenderer::DebugVertex Vertex(const CVector3D& p, uint32_t colour) { return {p.x, p.y, p.z, colour}; }

} // namespace

uint32_t CRenderer::PackColour(float r, float g, float b, float a)
{
    return PackArgb(ColourByte(a), ColourByte(r), ColourByte(g), ColourByte(b));
}

void CRenderer::DrawLine(const CVector3D& from, const CVector3D& to, uint32_t r, uint8_t g, uint8_t b)
{
    const uint32_t colour = PackArgb(255, static_cast<uint8_t>(r), g, b);
    m_LineVertices.push_back(Vertex(from, colour));
    m_LineVertices.push_back(Vertex(to, colour));
}

void CRenderer::DrawAABB(const CAABB& box, float r, float g, float b)
{
    const CVector3D& lo = box.min;
    const CVector3D& hi = box.max;
    const CVector3D corners[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {lo.x, lo.y, hi.z},
                                  {lo.x, hi.y, lo.z}, {hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    DrawBox(corners, r, g, b);
}

void CRenderer::DrawBox(const CVector3D (&corners)[8], float r, float g, float b)
{
    const uint32_t colour = PackColour(r, g, b, 255.0f);
    const int edges[12][2] = {{0, 1}, {1, 2}, {2, 3}, {3, 0}, {4, 5}, {5, 6},
                              {6, 7}, {7, 4}, {0, 4}, {1, 5}, {2, 6}, {3, 7}};
    for (const auto& edge : edges) {
        m_LineVertices.push_back(Vertex(corners[edge[0]], colour));
        m_LineVertices.push_back(Vertex(corners[edge[1]], colour));
    }
}

void CRenderer::DrawQuad(const CVector3D& centre, const CVector3D& halfV, const CVector3D& halfU, float r, float g,
                         float b, float a)
{
    m_Quads.push_back({centre, halfV, halfU, PackColour(r, g, b, a)});
}

void CRenderer::DrawTriangle(const CVector3D& a, const CVector3D& b, const CVector3D& c, float red, float green,
                             float blue, float alpha)
{
    m_Triangles.push_back({{a, b, c}, PackColour(red, green, blue, alpha)});
}

void CRenderer::DrawGrid(const CVector3D& origin, float cellSize, uint32_t countX, uint32_t countZ, float r, float g,
                         float b, float a)
{
    const uint32_t colour = PackColour(r, g, b, a);
    const float half = cellSize * 0.5f;
    const float x0 = origin.x - half, z0 = origin.z - half, y = origin.y;
    const float xEnd = origin.x + static_cast<float>(countX) * cellSize;
    const float zEnd = origin.z + static_cast<float>(countZ) * cellSize;
    for (uint32_t i = 0; i <= countX; ++i) {
        const float x = x0 + static_cast<float>(i) * cellSize;
        m_LineVertices.push_back({x, y, z0, colour});
        m_LineVertices.push_back({x, y, zEnd, colour});
    }
    for (uint32_t j = 0; j <= countZ; ++j) {
        const float z = z0 + static_cast<float>(j) * cellSize;
        m_LineVertices.push_back({x0, y, z, colour});
        m_LineVertices.push_back({xEnd, y, z, colour});
    }
}

void CRenderer::FlushDebugVertices(gfx::PrimitiveType type, const std::vector<DebugVertex>& vertices,
                                   std::unique_ptr<gfx::VertexBuffer>& buffer)
{
    // One dynamic buffer per queue, grown when a frame needs more and refilled with a discarding
    // lock every frame.
    const unsigned bytes = static_cast<unsigned>(vertices.size() * sizeof(DebugVertex));
    if (!buffer || buffer->Size() < bytes)
        buffer = gfx::VertexBuffer::Create(*m_Device, std::max(bytes, buffer ? buffer->Size() * 2 : 0u), true);
    void* data = buffer ? buffer->Lock(0, bytes, gfx::LOCK_DISCARD) : nullptr;
    if (!data)
        return;
    std::memcpy(data, vertices.data(), bytes);
    buffer->Unlock();
    // Debug colours are drawn as they are, whatever texture the scene left bound.
    m_Device->SetTexture(0, nullptr);
    m_Device->SetVertexDeclaration(kDebugDeclaration);
    m_Device->SetStreamSource(0, buffer.get(), 0, sizeof(DebugVertex));
    m_Device->SetStreamSourceFreq(0, 1);
    const unsigned perPrimitive = type == gfx::PrimitiveType::LineList ? 2 : 3;
    m_Device->DrawPrimitive(type, 0, static_cast<unsigned>(vertices.size()) / perPrimitive);
}

void CRenderer::RenderDebugLines()
{
    // The queue is emptied every frame, drawn or not, so that it cannot grow without bound.
    if ((s_DebugDrawFlags & 2) && m_Device && !m_LineVertices.empty()) {
        m_Device->SetRenderState(gfx::RenderState::ZEnable, s_DebugDrawFlags & 1);
        SetWorldMatrix(CMatrix4());
        if (CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera())
            camera->Update(0.0f);
        FlushDebugVertices(gfx::PrimitiveType::LineList, m_LineVertices, m_LineBuffer);
    }
    m_LineVertices.clear();
}

void CRenderer::RenderDebugQuads()
{
    const CCamera* camera = CCameraManager::GetInstance().GetCurrentCamera();
    const CVector3D eye = camera ? camera->GetEye() : CVector3D();
    auto distance = [&eye](const CVector3D& p) { return (p - eye).Dot(p - eye); };

    // Quads and triangles sorted together by the distance of their centres, farthest first.
    struct Face {
        float distance;
        DebugVertex vertices[6];
        int count;
    };
    std::vector<Face> faces;
    faces.reserve(m_Quads.size() + m_Triangles.size());
    for (const DebugQuad& q : m_Quads) {
        const CVector3D& c = q.centre;
        const CVector3D& u = q.halfU;
        const CVector3D& v = q.halfV;
        const uint32_t k = q.colour;
        faces.push_back({distance(c),
                         {Vertex(c - u - v, k), Vertex(c - u + v, k), Vertex(c + u + v, k), Vertex(c + u + v, k),
                          Vertex(c + u - v, k), Vertex(c - u - v, k)},
                         6});
    }
    for (const DebugTriangle& t : m_Triangles) {
        const CVector3D centre = (t.corners[0] + t.corners[1] + t.corners[2]) / 3.0f;
        faces.push_back(
            {distance(centre),
             {Vertex(t.corners[0], t.colour), Vertex(t.corners[1], t.colour), Vertex(t.corners[2], t.colour)},
             3});
    }
    std::sort(faces.begin(), faces.end(), [](const Face& a, const Face& b) { return a.distance > b.distance; });
    m_QuadVertices.clear();
    for (const Face& face : faces)
        m_QuadVertices.insert(m_QuadVertices.end(), face.vertices, face.vertices + face.count);
    m_Quads.clear();
    m_Triangles.clear();
    if (!m_Device || m_QuadVertices.empty())
        return;

    m_Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 1);
    m_Device->SetRenderState(gfx::RenderState::SrcBlend, gfx::BLEND_SRCALPHA);
    m_Device->SetRenderState(gfx::RenderState::DestBlend, gfx::BLEND_INVSRCALPHA);
    m_Device->SetRenderState(gfx::RenderState::ZEnable, 1);
    SetWorldMatrix(CMatrix4());
    FlushDebugVertices(gfx::PrimitiveType::TriangleList, m_QuadVertices, m_QuadBuffer);
    m_Device->SetRenderState(gfx::RenderState::AlphaBlendEnable, 0);
}

} // namespace Vesk
