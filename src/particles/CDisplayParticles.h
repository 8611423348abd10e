// What a particle effect shows: the particle batch named by the first word of its description
// and the effect's particles to draw this frame (an array of pointers the effect owns and
// refreshes after each simulation step). One deleted while registered with the particle system
// takes itself off.
#pragma once

#include <string>

namespace Vesk {

class IParticles;
struct ParticleVertex;

class CDisplayParticles {
public:
    // The batch of the description's first word, or the fallback batch; null when neither loads.
    explicit CDisplayParticles(const std::string& description);
    virtual ~CDisplayParticles();
    CDisplayParticles(const CDisplayParticles&) = delete;
    CDisplayParticles& operator=(const CDisplayParticles&) = delete;

    void SetParticles(const ParticleVertex* const* particles, int count)
    {
        m_pParticles = particles;
        m_Count = count;
    }

    IParticles* GetResource() const { return m_pResource; }
    const ParticleVertex* const* GetParticles() const { return m_pParticles; }
    int GetCount() const { return m_Count; }

protected:
    IParticles* m_pResource = nullptr;
    const ParticleVertex* const* m_pParticles = nullptr;
    int m_Count = 0;

private:
    friend class CParticleSystem;
    // Entries of this object in the particle system.
    int m_Registrations = 0;
};

} // namespace Vesk
