// The particle effects' display objects, drawn once a frame in the 3D pass after the scene: every
// registered object's batch copies and draws its particles inside one begin and end bracket.
// Holds the objects without owning them. Start-up fails when the fallback particle batch cannot
// be made, so that every effect has something to draw with. Owns the particle batches' cache: it
// tells them of device resets and empties it at shutdown, before the device goes.
#pragma once

#include "core/CSingleton.h"

#include <vector>

namespace Vesk {

class CDisplayParticles;

class CParticleSystem : public CSingleton<CParticleSystem> {
public:
    ~CParticleSystem() override;

    // Loads the fallback particle batch; false with the reason when it does not load.
    bool Init() override;
    // Forgets every object and deletes the particle batches.
    void Shutdown() override;

    // Appended: an object added twice is drawn twice.
    void AddParticles(CDisplayParticles* particles);
    // The first entry of the object; nothing when it is absent.
    void RemoveParticles(CDisplayParticles* particles);
    // Objects without a batch are passed over; the bracket is that of the first with one.
    void Render();

    const std::vector<CDisplayParticles*>& GetRegistered() const { return m_Registered; }

private:
    friend class CDisplayParticles;
    // Every entry of an object that is being deleted.
    void Forget(CDisplayParticles* particles);
    void ForgetAll();

    std::vector<CDisplayParticles*> m_Registered;
};

} // namespace Vesk
