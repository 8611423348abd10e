#include "game/fx/CParticleEmitter.h"

#include "core/CXmlDocument.h"
#include "core/Log.h"
#include "game/fx/ParticleAttributes.h"
#include "math/Random.h"
#include "particles/CDisplayParticles.h"
#include "particles/CParticleSystem.h"

namespace Game {

namespace {

// The effect's values that are copied into each particle rather than kept by the emitter.
struct EffectValues {
    float startSize = 0.0f;
    float endSize = 0.0f;
    float endTime = 0.0f;
    float rotSpeed = 0.0f;
    uint32_t startColour = 0;
    uint32_t endColour = 0;
    std::string material;
};

// Reads `count` floats of the attribute; a missing attribute leaves zeros and is noted.
void ReadAttribute(const Vesk::CXmlElement& effect, const char* name, float* values, int count, std::string& missing)
{
    const char* text = effect.GetAttribute(name);
    ReadFloatList(text, values, count);
    if (!text)
        missing += std::string(missing.empty() ? "" : ", ") + name;
}

void ReadVector(const Vesk::CXmlElement& effect, const char* name, CVector3D& vector, std::string& missing)
{
    float values[3];
    ReadAttribute(effect, name, values, 3, missing);
    vector = CVector3D(values[0], values[1], values[2]);
}

float ReadFloat(const Vesk::CXmlElement& effect, const char* name, std::string& missing)
{
    float value = 0.0f;
    ReadAttribute(effect, name, &value, 1, missing);
    return value;
}

uint32_t ReadColour(const Vesk::CXmlElement& effect, const char* name, std::string& missing)
{
    float rgba[4];
    ReadAttribute(effect, name, rgba, 4, missing);
    return PackColourComponents(rgba);
}

// min when max <= min, else a uniform draw between them (one value of the generator).
void RandomVector(const CVector3D& min, const CVector3D& max, float out[3])
{
    out[0] = RandomRangeChecked(min.x, max.x);
    out[1] = RandomRangeChecked(min.y, max.y);
    out[2] = RandomRangeChecked(min.z, max.z);
}

} // namespace

CParticleEmitter::~CParticleEmitter() { Release(); }

void CParticleEmitter::Release()
{
    if (m_pDisplay) {
        Vesk::CParticleSystem::GetInstance().RemoveParticles(m_pDisplay);
        delete m_pDisplay;
        m_pDisplay = nullptr;
    }
    m_Particles.clear();
    m_Drawn.clear();
    m_DrawnCount = 0;
}

void CParticleEmitter::Init(const std::string& effectName, unsigned count, int mode)
{
    Release();

    Vesk::CXmlDocument document;
    // The document logs why the file does not load; the emitter then stays empty.
    if (!document.Load(kEffectsFile))
        return;
    const Vesk::CXmlElement effect = document.FindElement("effects/" + effectName);
    if (effect == nullptr) {
        Vesk::LogLine("CParticleEmitter: no effect \"" + effectName + "\" in \"" + kEffectsFile +
                      "\"; the emitter stays empty");
        return;
    }

    std::string missing;
    ReadVector(effect, "positionDeviation", m_PositionDeviation, missing);
    ReadVector(effect, "minStartVel", m_MinStartVel, missing);
    ReadVector(effect, "maxStartVel", m_MaxStartVel, missing);
    ReadVector(effect, "minStartAccel", m_MinStartAccel, missing);
    ReadVector(effect, "maxStartAccel", m_MaxStartAccel, missing);
    EffectValues values;
    values.startSize = ReadFloat(effect, "startSize", missing);
    values.endSize = ReadFloat(effect, "endSize", missing);
    values.endTime = ReadFloat(effect, "endTime", missing);
    values.rotSpeed = ReadFloat(effect, "rotSpeed", missing);
    values.startColour = ReadColour(effect, "startColor", missing);
    values.endColour = ReadColour(effect, "endColor", missing);
    if (const char* material = effect.GetAttribute("material"))
        values.material = material;
    else
        missing += std::string(missing.empty() ? "" : ", ") + "material";
    if (!missing.empty())
        Vesk::LogLine("CParticleEmitter: effect \"" + effectName + "\" lacks " + missing + "; read as 0");

    m_pDisplay = new Vesk::CDisplayParticles(values.material + " " + std::to_string(count));
    Vesk::CParticleSystem::GetInstance().AddParticles(m_pDisplay);

    m_Particles.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        Particle particle{};
        const CVector3D nearEnd = m_Position + m_PositionDeviation;
        const CVector3D farEnd = m_Position - m_PositionDeviation;
        RandomVector(nearEnd, farEnd, particle.position);
        RandomVector(m_MinStartVel, m_MaxStartVel, particle.velocity);
        RandomVector(m_MinStartAccel, m_MaxStartAccel, particle.acceleration);
        particle.startSize = values.startSize;
        particle.endSize = values.endSize;
        particle.rotationSpeed = values.rotSpeed;
        particle.lifetime = RandomRangeChecked(values.endTime, 2.0f * values.endTime);
        particle.age = 3.0f * values.endTime;
        particle.startColour = values.startColour;
        particle.endColour = values.endColour;
        if (mode == 1) {
            // Start where the particle would be after its lifetime and run back to the emitter.
            for (unsigned axis = 0; axis < 3; ++axis) {
                particle.position[axis] =
                    m_Position[axis] +
                    (particle.velocity[axis] + particle.acceleration[axis] / 3600.0f) * particle.lifetime;
                particle.velocity[axis] = -particle.velocity[axis];
                particle.acceleration[axis] = -particle.acceleration[axis];
            }
        }
        m_Particles.push_back(particle);
    }
    m_Drawn.assign(m_Particles.size(), nullptr);
}

void CParticleEmitter::SetPosition(const CVector3D& position)
{
    const CVector3D shift = position - m_Position;
    for (Particle& particle : m_Particles) {
        particle.position[0] += shift.x;
        particle.position[1] += shift.y;
        particle.position[2] += shift.z;
    }
    m_Position = position;
}

void CParticleEmitter::Restart()
{
    for (Particle& particle : m_Particles)
        particle.age = 0.0f;
}

void CParticleEmitter::Update(float dt)
{
    size_t drawn = 0;
    for (Particle& particle : m_Particles) {
        particle.age += dt;
        if (particle.age <= particle.lifetime)
            m_Drawn[drawn++] = &particle;
        else if (m_Looping)
            particle.age = 0.0f;
    }
    m_DrawnCount = drawn;
    if (drawn > 0 && m_pDisplay)
        m_pDisplay->SetParticles(m_Drawn.data(), static_cast<int>(drawn));
}

} // namespace Game
