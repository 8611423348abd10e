// CUndeadController: drives a skeleton. It rises out of the ground, wanders, seeks the player and
// attacks with a wind-up: the attack timer counts up to the attack cooldown, the sword strikes
// when the attack flock launches the blow and is raised again in the last quarter of the wait; a
// hit starts the wind-up over. The first time its health runs out it only collapses: for a while
// it lies untouchable (still an enemy of the wave) and then stands up with half its health. The
// second time it dies, playing its death out before it shatters. Its rib cage breaks off when it
// is nearly spent.
#pragma once

#include "game/controllers/CEnemyController.h"

namespace Game {

class CUndeadController : public CEnemyController {
public:
    static constexpr int kFakeDeathsAllowed = 1;
    // Seconds a fake death lasts.
    static constexpr float kFakeDeathLength = 8.0f;
    // Share of the maximum health the skeleton stands up with (fraction dropped).
    static constexpr float kRiseHealthShare = 0.5f;
    // The sword is raised again once the attack timer passes this share of the cooldown.
    static constexpr float kRaiseShare = 0.75f;

    int GetControllerType() const override { return UNDEAD; }
    // The common attach with every fake death still to come.
    void Attach(const ControllerSetting& setting) override;
    // Sheds the rib cage below its mark, then the machines.
    void Update(float dt) override;
    // A hit starts the wind-up over.
    void OnHit(const int& damage) override;
    // The attack flock has launched the blow: the sword strikes.
    void OnFlockLaunch() override;

    // Whether the skeleton lies in its fake death (the wave's retargeting passes over it).
    bool IsFakeDead() const;
    int GetFakeDeathsUsed() const { return m_FakeDeathsUsed; }
    float GetFakeDeathTimer() const { return m_FakeDeathTimer; }
    // Seconds since the last blow (or hit) while attacking.
    float GetAttackTimer() const { return m_AttackCountdown; }

protected:
    void BuildBehaviour() override;
    void BuildAnimations() override;
    // Dies only when no fake death remains; until then a health of 0 means a fake death.
    void AliveUpdate(float dt) override;
    bool ShouldDie() override;
    void DyingEnter() override { DeathAnimationEnter(); }
    bool IsDyingDone() override { return IsAnimationFinished(); }

private:
    bool HasNoHealthLeft() const;
    bool ShouldFakeDeath();
    bool IsFakeDeathOver() { return m_FakeDeathTimer > kFakeDeathLength; }
    void FakeDeathEnter();
    void FakeDeathUpdate(float dt);
    void FakeDeathExit();
    void WindUpAttackUpdate(float dt);

    int m_FakeDeathsUsed = 0;
    float m_FakeDeathTimer = 0.0f;
};

} // namespace Game
