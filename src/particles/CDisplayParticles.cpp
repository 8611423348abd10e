#include "particles/CDisplayParticles.h"

#include "particles/CDXParticles.h"
#include "particles/CParticleSystem.h"

#include <sstream>

namespace Vesk {

CDisplayParticles::CDisplayParticles(const std::string& description)
{
    std::istringstream words(description);
    std::string name;
    words >> name;
    m_pResource = CDXParticles::GetOrFallback(name);
}

CDisplayParticles::~CDisplayParticles()
{
    if (m_Registrations > 0)
        CParticleSystem::GetInstance().Forget(this);
}

} // namespace Vesk
