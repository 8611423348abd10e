// CPickupCatalogue: the values of every kind of pickup, read once from the pickups file and
// shared by all pickups, plus the service pickups need from the particle effects (which later
// work provides; until then effects are not shown).
// File: root "pickups" (the root or a child of it); one child per pickup, named after the
// pickup's mesh, with "hp", "mana", "dmg", "movespeed", "atkspeed", "deathmod", "effect_name" and
// "lasting_time".
#pragma once

#include "core/CSingleton.h"
#include "math/Vector3D.h"

#include <map>
#include <memory>
#include <string>

namespace Game {

struct PickupValues {
    int m_Hp = 0;
    int m_Mana = 0;
    float m_Dmg = 0.0f;
    float m_MoveSpeed = 0.0f;
    float m_AtkSpeed = 0.0f;
    float m_DeathMod = 0.0f;
    std::string m_EffectName;
    float m_LastingTime = 0.0f;
};

// One particle effect instance shown where a pickup is collected.
class IPickupEffect {
public:
    virtual ~IPickupEffect() = default;
    virtual void SetPosition(const CVector3D& position) = 0;
    virtual void Restart() = 0;
};

class IPickupServices {
public:
    virtual ~IPickupServices() = default;
    // Null when the effect cannot be made.
    virtual std::unique_ptr<IPickupEffect> CreateEffect(const std::string& effectName, int particleCount, int mode) = 0;
};

class CPickupCatalogue : public Vesk::CSingleton<CPickupCatalogue> {
public:
    static constexpr const char* kDefaultPath = "assets/scripts/pickups/pickups.xml";

    // The values for a mesh name, reading the file at first use; zeros for unknown names.
    const PickupValues& Find(const std::string& meshName);
    // Reads the file now, replacing what was read before; false (with a log line) when it does
    // not load, which leaves the catalogue empty.
    bool Load(const std::string& path);
    void Shutdown() override;

    void SetServices(std::unique_ptr<IPickupServices> services) { m_Services = std::move(services); }
    // Null until a provider is set.
    IPickupServices* GetServices() const { return m_Services.get(); }

private:
    std::map<std::string, PickupValues> m_Values;
    bool m_Loaded = false;
    std::unique_ptr<IPickupServices> m_Services;
};

} // namespace Game
