// The pickups' collection effects drawn as particles: each effect is an emitter registered with
// the particle manager for as long as its pickup keeps it.
#pragma once

#include "game/entities/CPickupCatalogue.h"
#include "game/fx/CParticleEmitter.h"

namespace Game {

class CParticlePickupEffect : public IPickupEffect {
public:
    CParticlePickupEffect(const std::string& effectName, int particleCount, int mode);
    ~CParticlePickupEffect() override;
    CParticlePickupEffect(const CParticlePickupEffect&) = delete;
    CParticlePickupEffect& operator=(const CParticlePickupEffect&) = delete;

    void SetPosition(const CVector3D& position) override { m_Emitter.SetPosition(position); }
    void Restart() override { m_Emitter.Restart(); }
    const CParticleEmitter& GetEmitter() const { return m_Emitter; }

private:
    CParticleEmitter m_Emitter;
};

class CParticlePickupServices : public IPickupServices {
public:
    std::unique_ptr<IPickupEffect> CreateEffect(const std::string& effectName, int particleCount, int mode) override;
};

} // namespace Game
