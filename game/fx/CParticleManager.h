// CParticleManager: the particle emitters that are aged every frame. It holds them without
// owning them; their owners create, register, move, restart, unregister and delete them.
#pragma once

#include "core/CSingleton.h"

#include <memory>
#include <string>
#include <vector>

namespace Game {

class CParticleEmitter;

// Unregisters the emitter from the particle manager, then deletes it.
struct RegisteredEmitterDeleter {
    void operator()(CParticleEmitter* emitter) const;
};
// An emitter registered with the particle manager for as long as it lives.
using RegisteredEmitter = std::unique_ptr<CParticleEmitter, RegisteredEmitterDeleter>;
// A new emitter of the effect (count particles, mode), not looping, registered.
RegisteredEmitter MakeRegisteredEmitter(const std::string& effect, unsigned count, int mode);

class CParticleManager : public Vesk::CSingleton<CParticleManager> {
public:
    // Forgets every emitter.
    bool Init() override;
    void Shutdown() override {}

    // Appended: an emitter added twice is updated twice.
    void AddEmitter(CParticleEmitter* emitter);
    // The first entry of the emitter; nothing when it is absent.
    void RemoveEmitter(CParticleEmitter* emitter);
    // Updates every emitter in the order they were added.
    void Update(float dt);

    const std::vector<CParticleEmitter*>& GetEmitters() const { return m_Emitters; }

private:
    std::vector<CParticleEmitter*> m_Emitters;
};

} // namespace Game
