// CGolemController: drives a golem, a slow enemy with long idle spells. It walks up to the
// player and, once in reach, heaves its fists for a while and slams the ground with an area
// attack and a burst of dust, again and again while the player stays in reach. A slam that has
// begun always lands; the golem follows a player who has stepped away only once the slam is
// over. It owns the dust emitter and registers it with the particle manager while attached.
#pragma once

#include "game/controllers/CEnemyController.h"
#include "game/fx/CParticleManager.h"

namespace Game {

class CGolemController : public CEnemyController {
public:
    // Idle wander turns last this many times a walking turn's longest time.
    static constexpr float kIdleTurnFactor = 8.0f;
    // The wind-up before a slam.
    static constexpr float kChargeDuration = 2.0f;
    static constexpr unsigned kBoomParticles = 200;
    // The dust bursts this far below the golem's feet.
    static constexpr float kBoomDrop = 1.5f;
    static constexpr const char* kSlamAttack = "GolemAOE";

    CGolemController();

    int GetControllerType() const override { return GOLEM; }

    // The common attach, then the dust emitter, made and registered.
    void Attach(const ControllerSetting& setting) override;
    // The dust emitter unregistered and freed, then the common detach.
    void Detach() override;

    // Null while detached.
    CParticleEmitter* GetBoomEmitter() const { return m_BoomEmitter.get(); }
    float GetChargeTime() const { return m_ChargeTime; }
    bool IsStrikePending() const { return m_StrikePending; }

protected:
    void BuildBehaviour() override;
    void BuildAnimations() override;

private:
    void AttackEnter();
    // Stands; forgets a target that has died.
    void AttackUpdate(float dt);
    // Back to seeking once the slam is over and its clip has ended, with the target out of reach.
    bool IsStrikeOver();

    void ChargingEnter();
    void ChargingUpdate(float dt);
    bool IsChargeDone();

    // The area attack and the dust.
    void StrikeEnter();
    // A target still in reach gets the next wind-up at once.
    void StrikeUpdate(float dt);

    // Set when the attack begins, cleared when the slam lands.
    bool m_StrikePending = false;
    float m_ChargeTime = 0.0f;
    float m_ChargeDuration = kChargeDuration;
    RegisteredEmitter m_BoomEmitter;
};

} // namespace Game
