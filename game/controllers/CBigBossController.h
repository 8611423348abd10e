// CBigBossController: drives the level boss through a fixed cycle: find the nearest player, run at
// it, smash three times, leap high, mark the player's spot, drop onto it and rest. It shows the
// boss health bar of the HUD while the boss lives (the bar's elements stay the GUI manager's and
// are looked up by name), and owns four plain companion entities that it makes in Attach and
// destroys in Detach: the "tired" sign over a stunned boss, the target marking, the smash marker
// and the explosion dummy that bursts where the boss lands. Its death completes the level. The
// boss event trigger enables it; game code may send it to "alive_gocenter" by name.
#pragma once

#include "core/CHierachicalFSM.h"
#include "game/controllers/IController.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>

namespace Game {

class CBigBossController : public CCharacterController {
public:
    using Machine = Vesk::CHierachicalFSM<CBigBossController>;

    enum Companion : int {
        TIRED_SIGN = 0,
        TARGET_MARKING = 1,
        SMASH_MARKER = 2,
        EXPLOSION_DUMMY = 3,
        COMPANION_COUNT = 4,
    };

    static constexpr float kRunSpeed = 40.0f;
    static constexpr float kWalkSpeed = 10.0f;
    static constexpr float kFollowTime = 2.5f;
    // How far from the target along x the boss stops, and how near counts as in reach.
    static constexpr float kFollowOffset = 15.0f;
    static constexpr float kReach = 15.005f;
    static constexpr float kSmashInterval = 0.75f;
    static constexpr const char* kSmashAttack = "BossSmash";
    static constexpr int kSmashesPerCycle = 3;
    static constexpr float kJumpHeight = 65.0f;
    static constexpr float kJumpSpeed = 100.0f;
    static constexpr float kJumpArrival = 4.0f;
    static constexpr float kDetectTime = 3.0f;
    static constexpr float kRestTime = 2.0f;
    static constexpr float kFirstShatter = 1.0f;
    static constexpr float kShatterInterval = 0.6f;
    static constexpr float kTiredSignHeight = 20.0f;
    static constexpr float kKnockupResist = 10.0f;
    static constexpr float kKnockbackResist = 5.0f;
    static constexpr float kBarScale = 0.75f;

    ~CBigBossController() override;

    // Takes the owner, makes the companions, builds the behaviour machine and hides the health
    // bar.
    void Attach(const ControllerSetting& setting) override;
    // Lets go of the owner, destroys the companions and the machine.
    void Detach() override;
    void Update(float dt) override;
    int GetControllerType() const override { return BIGBOSS; }

    // Sends the machine to the named state; the next Update carries the change out. Unknown
    // names, and states that do not fit the active chain, are ignored.
    void ChangeState(const std::string& name);
    // The name of the state entered at the level (0 top), also while a change there is pending;
    // empty beyond the chain or without a machine.
    std::string GetStateName(unsigned level) const;

    // The companion while it lives, else null.
    CEntity* GetCompanion(Companion which) const;
    int GetSmashCount() const { return m_SmashCount; }
    float GetStateTimer() const { return m_StateTimer; }
    bool IsAtCentre() const { return m_AtCentre; }
    const CVector3D& GetLandingPosition() const { return m_LandingPosition; }
    float GetFallLength() const { return m_FallLength; }

private:
    void CreateCompanions();
    void DestroyCompanions();
    void BuildMachine();
    void SetupHealthBar();
    void ShowHealthBar(bool visible) const;
    void UpdateHealthBar() const;
    void UpdateCompanions(float dt);
    void RestoreGravity();
    void Land();

    void EnterAlive();
    void UpdateFindPlayer(float dt);
    void EnterFollowTarget();
    void UpdateFollowTarget(float dt);
    void ExitFollowTarget();
    void EnterSmash();
    void UpdateSmash(float dt);
    void ExitSmash();
    void EnterGoCenter();
    void UpdateGoCenter(float dt);
    void ExitGoCenter();
    void EnterHighJump();
    void UpdateHighJump(float dt);
    void ExitHighJump();
    void EnterDetect();
    void UpdateDetect(float dt);
    void ExitDetect();
    void EnterJumpSmash();
    void UpdateJumpSmash(float dt);
    void ExitJumpSmash();
    void EnterRest();
    void UpdateRest(float dt);
    void ExitRest();
    void EnterDying();
    void UpdateDying(float dt);
    void ExitDying();
    void EnterDead();

    bool HealthGone();
    bool HasTarget();
    bool FollowDone();
    bool SmashesDone();
    bool JumpedUp();
    bool DetectDone();
    bool JumpSmashDone();
    bool RestDone();
    bool LifeIsDead();

    std::unique_ptr<Machine> m_Machine;
    std::array<EntityHandle, COMPANION_COUNT> m_Companions;
    float m_StateTimer = 0.0f;
    int m_SmashCount = 0;
    bool m_AtCentre = false;
    bool m_JumpedUp = false;
    bool m_DetectDone = false;
    bool m_JumpSmashDone = false;
    float m_MarkerTimer = 0.0f;
    CVector3D m_TakeOffPosition;
    CVector3D m_JumpPosition;
    CVector3D m_LandingPosition;
    CVector3D m_FallStart;
    CVector3D m_SavedGravity;
    // Set while the boss's own gravity is stored away (from the leap to the landing).
    bool m_GravitySaved = false;
    float m_FallLength = 0.0f;
    float m_FallTime = 0.0f;
    float m_ShatterTimer = 0.0f;
    size_t m_ShatterIndex = 1;
    // The health bar's layout, from the current bar's sprite when Attach found it.
    float m_BarHalfWidth = 0.0f;
    float m_BarTop = 0.0f;
    bool m_BarLaidOut = false;
};

} // namespace Game
