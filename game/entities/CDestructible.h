// CDestructible: a crate that breaks after a few hits. Its life machine runs "alive" until the hit
// points fall below 1, passes "dying" and enters "death": the body leaves the simulation,
// "crate_destroy" plays once, the model shatters and the coins drop. The entity update then hides
// and removes it when the shatter ends.
#pragma once

#include "core/CFiniteStateMachine.h"
#include "game/entities/CEntity.h"

#include <memory>

namespace Game {

class CDestructible : public CEntity {
public:
    static constexpr const char* kDestroySound = "crate_destroy";

    CDestructible();
    ~CDestructible() override;
    int GetType() const override { return DESTRUCTIBLE_OBJECT; }
    // Hit points, a fresh life machine, the entity Init, a dynamic body; alive and active.
    void Init(const std::string& name, const EntitySetting& setting) override;
    void Release() override;
    // Counts the hit cooldown down, steps the life machine, then the entity update.
    void Update(float dt) override;

    // Unless the hit cooldown runs: the hit points drop by the damage, never below 0.
    void TakeDamage(int damage);

    int GetHitPoints() const { return m_HitPoints; }
    bool IsActive() const { return m_Active; }
    // The current life-machine state's name ("alive", "dying", "death"); empty before Init.
    std::string GetLifeStateName() const;

    // Seconds during which hits are ignored; never positive until someone sets it.
    float m_HitCooldown;

protected:
    // The hit points a fresh object starts with.
    virtual int StartHitPoints() const { return 3; }

private:
    using LifeMachine = Vesk::CFiniteStateMachine<CDestructible>;

    void BuildLifeMachine();
    bool IsBroken();
    bool IsDead();
    void EnterDying();
    void EnterDeath();

    std::unique_ptr<LifeMachine> m_pLifeMachine;
    bool m_Active = false;
    int m_HitPoints = 0;
};

} // namespace Game
