#include "game/fx/ParticlePickupServices.h"

#include "game/fx/CParticleManager.h"

namespace Game {

CParticlePickupEffect::CParticlePickupEffect(const std::string& effectName, int particleCount, int mode)
{
    m_Emitter.Init(effectName, particleCount > 0 ? static_cast<unsigned>(particleCount) : 0u, mode);
    CParticleManager::GetInstance().AddEmitter(&m_Emitter);
}

CParticlePickupEffect::~CParticlePickupEffect() { CParticleManager::GetInstance().RemoveEmitter(&m_Emitter); }

std::unique_ptr<IPickupEffect> CParticlePickupServices::CreateEffect(const std::string& effectName, int particleCount,
                                                                     int mode)
{
    if (effectName.empty())
        return nullptr;
    return std::make_unique<CParticlePickupEffect>(effectName, particleCount, mode);
}

} // namespace Game
