#include "particles/CDXParticles.h"

#include "core/CFrameClock.h"
#include "core/Log.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "resources/CDXEffect.h"
#include "resources/CDXMaterial.h"
#include "resources/CResManager.h"
#include "resources/CResourceManager.h"

#include <algorithm>
#include <cstring>
#include <sstream>

namespace Vesk {

namespace {

constexpr unsigned kVertexSize = sizeof(ParticleVertex);

// Each particle record's first 64 bytes, as the particle shaders read them.
const gfx::VertexDeclaration kParticleDeclaration({
    {0, 0, gfx::DeclType::Float3, gfx::DeclUsage::Position, 0},
    {0, 12, gfx::DeclType::Float3, gfx::DeclUsage::Normal, 0},
    {0, 24, gfx::DeclType::Float3, gfx::DeclUsage::TexCoord, 0},
    {0, 36, gfx::DeclType::Float1, gfx::DeclUsage::TexCoord, 1},
    {0, 40, gfx::DeclType::Float1, gfx::DeclUsage::TexCoord, 2},
    {0, 44, gfx::DeclType::Float1, gfx::DeclUsage::TexCoord, 3},
    {0, 48, gfx::DeclType::Float1, gfx::DeclUsage::TexCoord, 4},
    {0, 52, gfx::DeclType::Color, gfx::DeclUsage::Color, 0},
    {0, 56, gfx::DeclType::Color, gfx::DeclUsage::Color, 1},
    {0, 60, gfx::DeclType::Float1, gfx::DeclUsage::TexCoord, 5},
});

void SetMatrix(IEffect& effect, const char* name, const gfx::Matrix& matrix)
{
    const IEffect::ParameterHandle handle = effect.GetParameterHandle(name);
    if (handle != IEffect::kNoParameter)
        effect.SetMatrixByHandle(handle, matrix);
}

} // namespace

CDXParticles* CDXParticles::GetOrFallback(const std::string& name)
{
    CResManager<CDXParticles>& cache = CResManager<CDXParticles>::GetInstance();
    if (CDXParticles* batch = cache.GetResource(name, name))
        return batch;
    return cache.GetResource(kFallbackName, kFallbackName);
}

bool CDXParticles::Load(const std::string& name)
{
    // A count may follow the material name; every batch holds the same number of particles.
    std::istringstream words(name);
    std::string material;
    if (!(words >> material))
        return false;
    if (!CreateVertexBuffer())
        return false;
    m_pMaterial = CResManager<CDXMaterial>::GetOrDefault(material);

    const CXmlElement shader =
        CResourceManager::GetInstance().GetMaterialDefinitions().FindElement(material + "/shader");
    const char* path = shader != nullptr ? shader.GetAttribute("path") : nullptr;
    if (!path) {
        LogLine("CDXParticles: the material \"" + material + "\" names no shader");
        return false;
    }
    m_pEffect = CResManager<CDXEffect>::GetInstance().GetResource(path, path);
    return m_pEffect != nullptr;
}

bool CDXParticles::CreateVertexBuffer()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    m_pVertexBuffer = device ? gfx::VertexBuffer::Create(*device, m_Capacity * kVertexSize, true) : nullptr;
    return m_pVertexBuffer != nullptr;
}

void CDXParticles::OnLostDevice() { m_pVertexBuffer.reset(); }

void CDXParticles::OnResetDevice()
{
    // The copied particles went with the old buffer.
    if (!CreateVertexBuffer())
        m_Count = 0;
}

void CDXParticles::Begin()
{
    if (gfx::Device* device = CRenderer::GetInstance().GetDevice()) {
        device->SetVertexDeclaration(kParticleDeclaration);
        device->SetRenderState(gfx::RenderState::PointSpriteEnable, 1);
    }
}

void CDXParticles::End()
{
    if (gfx::Device* device = CRenderer::GetInstance().GetDevice())
        device->SetRenderState(gfx::RenderState::PointSpriteEnable, 0);
}

void CDXParticles::FillVertices(const ParticleVertex* const* particles, int count)
{
    if (!particles)
        return;
    if (m_pMaterial) {
        m_pMaterial->Bind();
        m_pMaterial->Apply(CMatrix4(), true);
    }
    const int wanted = std::clamp(count, 0, m_Capacity);
    m_Count = 0;
    if (!m_pVertexBuffer || wanted == 0)
        return;
    auto* vertices = static_cast<uint8_t*>(m_pVertexBuffer->Lock(0, 0, gfx::LOCK_DISCARD));
    if (!vertices)
        return;
    for (int i = 0; i < wanted; ++i) {
        if (particles[i])
            std::memcpy(vertices + static_cast<size_t>(m_Count++) * kVertexSize, particles[i], kVertexSize);
    }
    m_pVertexBuffer->Unlock();
}

void CDXParticles::Render()
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!m_pEffect || m_Count <= 0 || !m_pVertexBuffer || !device)
        return;
    const CRenderer& renderer = CRenderer::GetInstance();
    gfx::Matrix viewProjection, view;
    if (CCameraManager::GetInstance().GetCurrentCamera()) {
        view = renderer.GetViewMatrix();
        viewProjection = gfx::Multiply(view, renderer.GetProjectionMatrix());
    }
    SetMatrix(*m_pEffect, "viewProjection", viewProjection);
    SetMatrix(*m_pEffect, "view", view);

    m_pEffect->SetFloat("dt", CFrameClock::GetInstance().GetEffectStep());
    m_pEffect->SetFloat("viewportheight", static_cast<float>(renderer.GetScreenHeight()));

    if (m_pMaterial)
        m_pEffect->SetTechnique(m_pMaterial->GetTechniqueName(0));
    unsigned passes = 0;
    m_pEffect->Begin(&passes);
    if (passes > 0) {
        m_pEffect->BeginPass(0);
        device->SetStreamSource(0, m_pVertexBuffer.get(), 0, kVertexSize);
        device->SetStreamSourceFreq(0, 1);
        device->DrawPrimitive(gfx::PrimitiveType::PointList, 0, static_cast<unsigned>(m_Count));
        m_pEffect->EndPass();
    }
    m_pEffect->End();
}

} // namespace Vesk
