#include "game/fx/CParticleManager.h"

#include "game/fx/CParticleEmitter.h"

#include <algorithm>

namespace Game {

bool CParticleManager::Init()
{
    m_Emitters.clear();
    return true;
}

void CParticleManager::AddEmitter(CParticleEmitter* emitter)
{
    if (emitter)
        m_Emitters.push_back(emitter);
}

void CParticleManager::RemoveEmitter(CParticleEmitter* emitter)
{
    const auto found = std::find(m_Emitters.begin(), m_Emitters.end(), emitter);
    if (found != m_Emitters.end())
        m_Emitters.erase(found);
}

void CParticleManager::Update(float dt)
{
    for (CParticleEmitter* emitter : m_Emitters)
        emitter->Update(dt);
}

void RegisteredEmitterDeleter::operator()(CParticleEmitter* emitter) const
{
    CParticleManager::GetInstance().RemoveEmitter(emitter);
    delete emitter;
}

RegisteredEmitter MakeRegisteredEmitter(const std::string& effect, unsigned count, int mode)
{
    RegisteredEmitter emitter(new CParticleEmitter());
    emitter->Init(effect, count, mode);
    emitter->SetLooping(false);
    CParticleManager::GetInstance().AddEmitter(emitter.get());
    return emitter;
}

} // namespace Game
