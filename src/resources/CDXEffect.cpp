#include "resources/CDXEffect.h"

#include "core/Log.h"
#include "render/CRenderer.h"
#include "render/EffectFile.h"
#include "resources/CDXTexture.h"
#include "resources/IMaterial.h"
#include "resources/IMesh.h"

namespace Vesk {

bool CDXEffect::Load(const std::string& path)
{
    gfx::Device* device = CRenderer::GetInstance().GetDevice();
    if (!device) {
        LogLine("CDXEffect: no graphics device to load " + path);
        return false;
    }
    m_pEffect = LoadEffectFile(*device, path);
    return m_pEffect != nullptr;
}

void CDXEffect::Begin(unsigned* passes) { m_pEffect->Begin(passes); }

void CDXEffect::End() { m_pEffect->End(); }

void CDXEffect::BeginPass(unsigned pass) { m_pEffect->BeginPass(pass); }

void CDXEffect::EndPass() { m_pEffect->EndPass(); }

template <typename Set>
void CDXEffect::SetAndCommit(const std::string& name, Set set)
{
    const gfx::Effect::Handle handle = m_pEffect->GetParameterByName(name);
    if (handle == gfx::Effect::kNoHandle)
        return;
    set(handle);
    m_pEffect->CommitChanges();
}

void CDXEffect::SetFloat2(const std::string& name, const float* values)
{
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetFloatArray(h, values, 2); });
}

void CDXEffect::SetFloat3(const std::string& name, const float* values)
{
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetFloatArray(h, values, 3); });
}

void CDXEffect::SetFloat4(const std::string& name, const float* values)
{
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetVector(h, values); });
}

void CDXEffect::SetMatrix(const std::string& name, const CMatrix4& matrix)
{
    CMatrix4 transposed;
    matrix.GetTransposed(transposed);
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetMatrix(h, transposed.m); });
}

void CDXEffect::SetInt(const std::string& name, int value)
{
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetInt(h, value); });
}

void CDXEffect::SetFloat(const std::string& name, float value)
{
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetFloat(h, value); });
}

void CDXEffect::SetTexture(const std::string& name, ITexture* texture)
{
    const CDXTexture* file = dynamic_cast<const CDXTexture*>(texture);
    if (!file)
        return;
    SetAndCommit(name, [&](gfx::Effect::Handle h) { m_pEffect->SetTexture(h, file->GetTexture()); });
}

void CDXEffect::SetTechnique(const std::string& name)
{
    const gfx::Effect::Handle handle = m_pEffect->GetTechniqueByName(name);
    if (handle != gfx::Effect::kNoHandle)
        m_pEffect->SetTechnique(handle);
}

IEffect::ParameterHandle CDXEffect::GetParameterHandle(const std::string& name)
{
    const gfx::Effect::Handle handle = m_pEffect->GetParameterByName(name);
    return handle == gfx::Effect::kNoHandle ? kNoParameter : handle;
}

void CDXEffect::SetMatrixByHandle(ParameterHandle handle, const gfx::Matrix& matrix)
{
    if (handle != kNoParameter)
        m_pEffect->SetMatrix(handle, matrix.m);
}

void CDXEffect::RenderMesh(IMaterial* material, IMesh* mesh)
{
    if (!material || !mesh)
        return;
    // The count is asked again after each technique.
    for (int i = 0; i < material->GetTechniqueCount(); ++i) {
        SetTechnique(material->GetTechniqueName(i));
        unsigned passes = 0;
        Begin(&passes);
        for (unsigned p = 0; p < passes; ++p) {
            BeginPass(p);
            mesh->Render();
            EndPass();
        }
        End();
    }
}

} // namespace Vesk
