// CApparationController: drives a ghost. It drifts about in short random legs, stops when the
// player comes into view or range and fires a volley of one to three fireballs, one attack
// cooldown apart, each heralded by a gathering burst of its own particle emitter; then it turns
// away at a random angle and drifts on, and from its first fight on it never stands idle. Once hit
// it dodges now and then for a while, and it dies by playing its death clip to the end. It owns the
// burst emitter and keeps it registered with the particle manager while attached.
#pragma once

#include "game/controllers/CEnemyController.h"
#include "game/fx/CParticleManager.h"

namespace Game {

class CApparationController : public CEnemyController {
public:
    static constexpr const char* kFireball = "GhostFireball";
    static constexpr const char* kBurstEffect = "ghostparticle_effect";
    static constexpr unsigned kBurstParticles = 50;
    // The burst's particles gather on the emitter.
    static constexpr int kBurstMode = 1;
    // The burst gathers this high above the ghost's lowest point.
    static constexpr float kBurstHeight = 2.85f;
    static constexpr int kMaxVolley = 3;
    // A turn away rotates the facing by a random angle up to this (radians) either way.
    static constexpr float kTurnAwayAngle = 20.0f;
    // How long a hit keeps the ghost dodging.
    static constexpr float kDodgeLength = 5.0f;

    CApparationController();

    int GetControllerType() const override { return APPARATION; }
    // The common attach, then a fresh burst emitter registered with the particle manager.
    void Attach(const ControllerSetting& setting) override;
    // The common detach; the emitter leaves the particle manager and is deleted.
    void Detach() override;
    // The owner stands still while its action lock runs.
    void Update(float dt) override;
    // A hit sets the owner dodging for kDodgeLength seconds from now.
    void OnHit(const int& damage) override;

    bool HasTurnedAway() const { return m_TurnedAway; }
    int GetShotsFired() const { return m_ShotsFired; }
    int GetVolleySize() const { return m_VolleySize; }
    float GetDodgeTime() const { return m_DodgeTime; }
    float GetDodgeLength() const { return m_DodgeLength; }
    CParticleEmitter* GetEmitter() const { return m_Emitter.get(); }

protected:
    void BuildBehaviour() override;
    void BuildAnimations() override;
    // After an idle turn, and always once the ghost has turned away, the next turn walks.
    bool ChooseIdleTurn() override;

    // Dies without health; counts the dodge window down.
    void AliveUpdate(float dt) override;
    bool ShouldDie() override;
    // Straight into the death clip, the body out of the simulation.
    void DyingEnter() override;
    // The death clip has played to its end.
    bool IsDyingDone() override;

private:
    void VolleyEnter();
    void VolleyUpdate(float dt);
    // The volley ends without a target, once nobody is in range or sight, or after its last shot;
    // the ghost then turns away.
    bool VolleyIsOver();
    // Faces a random angle off the current facing, reversed.
    void TurnAway();

    RegisteredEmitter m_Emitter;
    bool m_TurnedAway = false;
    int m_ShotsFired = 0;
    int m_VolleySize = 0;
    bool m_BurstStarted = false;
    float m_DodgeTime = 0.0f;
    float m_DodgeLength = 0.0f;
};

} // namespace Game
