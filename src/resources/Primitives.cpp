#include "resources/Primitives.h"

#include "core/Log.h"
#include "platform/gfx/Device.h"
#include "render/CRenderer.h"

#include <cstring>

namespace Vesk {

namespace {

// Sets render states for one draw and puts the previous values back when it goes.
class StateScope {
public:
    explicit StateScope(gfx::Device& device) : m_Device(device) {}
    ~StateScope()
    {
        for (auto it = m_Saved.rbegin(); it != m_Saved.rend(); ++it)
            m_Device.SetRenderState(it->first, it->second);
    }
    void Set(gfx::RenderState state, uint32_t value)
    {
        m_Saved.emplace_back(state, m_Device.GetRenderState(state));
        m_Device.SetRenderState(state, value);
    }

private:
    gfx::Device& m_Device;
    std::vector<std::pair<gfx::RenderState, uint32_t>> m_Saved;
};

const float kQuadVertices[] = {
    -1.0f, 1.0f,  0.0f, 0.0f, 0.0f, 1.0f, 1.0f,  0.0f, 1.0f, 0.0f,
    -1.0f, -1.0f, 0.0f, 0.0f, 1.0f, 1.0f, -1.0f, 0.0f, 1.0f, 1.0f,
};

} // namespace

bool CDXShapeMesh::Load(const std::string&)
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device) {
        LogLine("Primitives: no graphics device for a primitive mesh");
        return false;
    }
    const gfx::MeshData data = Shape();
    std::vector<CVector3D> positions;
    for (const gfx::MeshVertex& v : data.vertices)
        positions.emplace_back(v.position[0], v.position[1], v.position[2]);
    m_AABB = CAABB::FromPoints(positions.data(), static_cast<int>(positions.size()));
    m_pMesh = gfx::Mesh::Create(*device, data);
    return m_pMesh != nullptr;
}

void CDXShapeMesh::DrawSubset() const
{
    if (m_pMesh)
        m_pMesh->DrawSubset(0);
}

void CDXShapeMesh::DrawUnlitWireframe(bool cullNone) const
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device || !m_pMesh)
        return;
    StateScope states(*device);
    // A scene already drawn in wireframe (fill-mode flag 1) keeps its fill mode.
    if (CRenderer::GetInstance().GetFillMode() == 0)
        states.Set(gfx::RenderState::FillMode, gfx::FILL_WIREFRAME);
    if (cullNone)
        states.Set(gfx::RenderState::CullMode, gfx::CULL_NONE);
    states.Set(gfx::RenderState::Lighting, 0);
    m_pMesh->DrawSubset(0);
}

gfx::MeshData CDXWireCube::Shape() const { return gfx::CreateBoxData(1.0f, 1.0f, 1.0f); }

bool CDXCylinderMesh::Load(const std::string& arg)
{
    m_MeshMatrix = CMatrix4();
    m_MeshMatrix(2, 3) = -0.5f;
    return CDXShapeMesh::Load(arg);
}

gfx::MeshData CDXCylinderMesh::Shape() const { return gfx::CreateCylinderData(0.5f, 0.5f, 1.0f, 10, 1); }

bool CDXPlaneMesh::Load(const std::string& arg)
{
    m_MeshMatrix.RotationX(-90.0f);
    return CDXShapeMesh::Load(arg);
}

gfx::MeshData CDXPlaneMesh::Shape() const { return gfx::CreatePolygonData(0.2094395f, 15); }

gfx::MeshData CDXSphereMesh::Shape() const { return gfx::CreateSphereData(0.5f, 10, 10); }

gfx::MeshData CDXCubeMesh::Shape() const { return gfx::CreateBoxData(1.0f, 1.0f, 1.0f); }

bool CDXQuadMesh::Load(const std::string&)
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device) {
        LogLine("Primitives: no graphics device for a primitive mesh");
        return false;
    }
    m_pVertexBuffer = gfx::VertexBuffer::Create(*device, sizeof(kQuadVertices), false);
    void* data = m_pVertexBuffer ? m_pVertexBuffer->Lock(0, 0, 0) : nullptr;
    if (!data)
        return false;
    std::memcpy(data, kQuadVertices, sizeof(kQuadVertices));
    m_pVertexBuffer->Unlock();
    m_AABB = CAABB(CVector3D(-1.0f, -1.0f, 0.0f), CVector3D(1.0f, 1.0f, 0.0f));
    return true;
}

void CDXQuadMesh::Render()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device || !m_pVertexBuffer)
        return;
    StateScope states(*device);
    states.Set(gfx::RenderState::Lighting, 0);
    device->SetStreamSource(0, m_pVertexBuffer.get(), 0, 20);
    device->SetFVF(gfx::FVF_XYZ | gfx::FVF_TEX1);
    device->DrawPrimitive(gfx::PrimitiveType::TriangleStrip, 0, 2);
}

} // namespace Vesk
