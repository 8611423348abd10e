#include "particles/CParticleSystem.h"

#include "particles/CDXParticles.h"
#include "particles/CDisplayParticles.h"
#include "render/CRenderer.h"
#include "resources/CResManager.h"

#include <algorithm>

namespace Vesk {

CParticleSystem::~CParticleSystem() { ForgetAll(); }

bool CParticleSystem::Init()
{
    CRenderer::GetInstance().AddDeviceHooks([] { CResManager<CDXParticles>::GetInstance().OnLostDevice(); },
                                            [] { CResManager<CDXParticles>::GetInstance().OnResetDevice(); });
    const std::string fallback = CDXParticles::kFallbackName;
    if (!CResManager<CDXParticles>::GetInstance().GetResource(fallback, fallback)) {
        m_ErrorMessage = "CParticleSystem:: Unable to load the particle material \"" + fallback + "\"";
        return false;
    }
    return true;
}

void CParticleSystem::Shutdown()
{
    ForgetAll();
    CResManager<CDXParticles>::GetInstance().ReleaseAll();
}

void CParticleSystem::ForgetAll()
{
    for (CDisplayParticles* particles : m_Registered)
        particles->m_Registrations = 0;
    m_Registered.clear();
}

void CParticleSystem::AddParticles(CDisplayParticles* particles)
{
    if (!particles)
        return;
    m_Registered.push_back(particles);
    ++particles->m_Registrations;
}

void CParticleSystem::RemoveParticles(CDisplayParticles* particles)
{
    const auto found = std::find(m_Registered.begin(), m_Registered.end(), particles);
    if (found == m_Registered.end())
        return;
    --particles->m_Registrations;
    m_Registered.erase(found);
}

void CParticleSystem::Forget(CDisplayParticles* particles)
{
    m_Registered.erase(std::remove(m_Registered.begin(), m_Registered.end(), particles), m_Registered.end());
    particles->m_Registrations = 0;
}

void CParticleSystem::Render()
{
    const auto first = std::find_if(m_Registered.begin(), m_Registered.end(),
                                    [](const CDisplayParticles* p) { return p->GetResource() != nullptr; });
    if (first == m_Registered.end())
        return;
    IParticles* bracket = (*first)->GetResource();
    bracket->Begin();
    for (const CDisplayParticles* particles : m_Registered) {
        if (IParticles* batch = particles->GetResource()) {
            batch->FillVertices(particles->GetParticles(), particles->GetCount());
            batch->Render();
        }
    }
    bracket->End();
}

} // namespace Vesk
