// CParticleEmitter: one particle effect instance. It owns a fixed set of particles made once by
// Init from a named effect of the effects file, and the display object that draws them through
// the engine's particle system. Particles are never made or freed while the effect runs: Restart
// replays it by setting every age back to 0, and Update ages them and hands the live ones over.
#pragma once

#include "math/Vector3D.h"
#include "particles/IParticles.h"

#include <string>
#include <vector>

namespace Vesk {
class CDisplayParticles;
}

namespace Game {

// A particle record, handed as is to the display object.
using Particle = Vesk::ParticleVertex;

class CParticleEmitter {
public:
    static constexpr const char* kEffectsFile = "assets/scripts/particles/particle_effects.xml";

    CParticleEmitter() = default;
    // Takes the display object out of the particle system and deletes it.
    ~CParticleEmitter();
    CParticleEmitter(const CParticleEmitter&) = delete;
    CParticleEmitter& operator=(const CParticleEmitter&) = delete;

    // Makes `count` particles of the effect `effectName` around the emitter's position; mode 1
    // makes them converge on that position. A new emitter shows nothing until restarted. When the
    // file or the effect is missing the emitter stays empty (one log line); a missing attribute
    // reads as 0 and a missing material as the fallback particle material.
    void Init(const std::string& effectName, unsigned count, int mode);

    void SetLooping(bool looping) { m_Looping = looping; }
    // Moves every particle with the emitter.
    void SetPosition(const CVector3D& position);
    // Every particle's age back to 0.
    void Restart();
    // Ages every particle; the ones still within their lifetime are drawn this frame. A looping
    // emitter restarts an expired particle, which is drawn again from the next frame. When none is
    // live the display object keeps the last particles it was given (expired, so not visible).
    void Update(float dt);

    bool IsLooping() const { return m_Looping; }
    const CVector3D& GetPosition() const { return m_Position; }
    const CVector3D& GetPositionDeviation() const { return m_PositionDeviation; }
    const std::vector<Particle>& GetParticles() const { return m_Particles; }
    // The particles drawn this frame: the first GetDrawnCount() entries.
    const Particle* const* GetDrawn() const { return m_Drawn.data(); }
    size_t GetDrawnCount() const { return m_DrawnCount; }
    // Null before Init and for an empty emitter.
    Vesk::CDisplayParticles* GetDisplayParticles() const { return m_pDisplay; }

private:
    void Release();

    bool m_Looping = false;
    CVector3D m_Position;
    CVector3D m_PositionDeviation;
    CVector3D m_MinStartVel;
    CVector3D m_MaxStartVel;
    CVector3D m_MinStartAccel;
    CVector3D m_MaxStartAccel;
    Vesk::CDisplayParticles* m_pDisplay = nullptr;
    std::vector<Particle> m_Particles;
    // Sized to the particle count at Init, so that updates never allocate and the entries the
    // display object was last given stay as they were in a frame that draws nothing.
    std::vector<const Particle*> m_Drawn;
    size_t m_DrawnCount = 0;
};

} // namespace Game
