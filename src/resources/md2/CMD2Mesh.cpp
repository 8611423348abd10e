#include "resources/md2/CMD2Mesh.h"

#include "render/CRenderer.h"
#include "resources/md2/CMD2AnimationController.h"

#include <cstring>

namespace Vesk {

bool CMD2Mesh::Load(const std::string& path)
{
    auto model = std::make_shared<CMD2Model>();
    if (!model->Load(path))
        return false;
    m_Model = std::move(model);
    m_Buffer.reset();
    m_MeshMatrix.RotationX(90.0f);
    // Culling then keeps the model while any of its poses can be in view, not only its origin.
    m_AABB = m_Model->GetBounds(m_MeshMatrix);
    return true;
}

IAnimationController* CMD2Mesh::CreateAnimationController()
{
    return m_Model ? new CMD2AnimationController(this, m_Model) : nullptr;
}

void CMD2Mesh::Render()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!m_Model || !device || !m_Model->BuildVertices(m_Model->GetBlend(), m_MeshMatrix, m_Vertices) ||
        m_Vertices.empty())
        return;
    const unsigned bytes = static_cast<unsigned>(m_Vertices.size() * sizeof(MD2DrawVertex));
    if (!m_Buffer)
        m_Buffer = gfx::VertexBuffer::Create(*device, bytes, true);
    void* data = m_Buffer ? m_Buffer->Lock(0, 0, gfx::LOCK_DISCARD) : nullptr;
    if (!data)
        return;
    std::memcpy(data, m_Vertices.data(), bytes);
    m_Buffer->Unlock();
    device->SetStreamSource(0, m_Buffer.get(), 0, sizeof(MD2DrawVertex));
    device->SetFVF(gfx::FVF_XYZ | gfx::FVF_NORMAL | gfx::FVF_TEX1);
    device->DrawPrimitive(gfx::PrimitiveType::TriangleList, 0, static_cast<unsigned>(m_Vertices.size() / 3));
}

void CMD2Mesh::GetVertexPositions(std::vector<CVector3D>& out) const
{
    if (m_Model)
        m_Model->GetVertexPositions(out);
    else
        out.clear();
}

} // namespace Vesk
