// CEnemyController: the construction every enemy controller shares. It owns two hierarchical
// machines: the behaviour machine ("spawnstate", "alivestate", "deathstate" with "death_dying"
// and "death_dead", plus each kind's own "alive_*" children) and the animation machine, one state
// per animation, which turns to its hold state ("STUN" as a rule) while the owner is stunned,
// keeps the animations requested meanwhile and returns to the last one afterwards. It scans for
// the player (near within the detection radius in any direction, seen within the field-of-view
// length and inside the half field-of-view angle), chooses targets, and offers the building
// blocks the kinds compose: wandering, seeking, the melee attack raised through the attack
// flock, fleeing, shedding model parts and the common death. Sources: CEnemyController.cpp (the
// machines), CEnemyBehaviours.cpp (the behaviour blocks), CEnemyTargets.cpp (scan and targets).
#pragma once

#include "core/CHierachicalFSM.h"
#include "game/controllers/IController.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Game {

class CEnemyController : public CCharacterController {
public:
    using Machine = Vesk::CHierachicalFSM<CEnemyController>;
    using State = Machine::State;

    static constexpr float kWanderRadius = 35.0f;
    // A walking wander turn heads this far ahead each frame.
    static constexpr float kWanderStep = 10.0f;
    // A wander turn lasts a random time up to this; an idle turn several times as long.
    static constexpr float kWanderTurnTime = 2.0f;
    static constexpr float kIdleTurnFactor = 4.0f;
    // Seeking runs through the target by this much, fleeing runs this far away.
    static constexpr float kRunThrough = 100.0f;
    static constexpr float kFleeDistance = 100.0f;
    // A flight ends once the target is farther than this.
    static constexpr float kFleeSafeDistance = 80.0f;
    // Flight starts at or below this share of the own health while the target has at least the
    // second share left.
    static constexpr float kFleeOwnRatio = 0.45f;
    static constexpr float kFleeTargetRatio = 0.25f;
    // Vertical launch speed of a skill pickup dropped by a dying enemy.
    static constexpr float kSkillDropSpeed = 25.0f;
    static constexpr float kDegreesPerRadian = 57.2957763671875f;

    ~CEnemyController() override;

    // Attaches to the owner, copies the controller setting (the half field-of-view angle is half
    // of "fovdegrees"), builds both machines, remembers the owner's position as home and locks the
    // owner body's rotation.
    void Attach(const ControllerSetting& setting) override;
    // Lets go of the owner and target, deletes both machines, forgets every scanned target.
    void Detach() override;
    // With an owner: the behaviour machine unless the behaviour is frozen (the owner's action lock
    // as a rule), then the animation machine.
    void Update(float dt) override;

    // The living player-one characters: near ones within the detection radius, seen ones within
    // the field-of-view length, in front of the facing direction and strictly inside the half
    // angle (degrees).
    void ScanForTargets(std::vector<CEntity*>& nearTargets, std::vector<CEntity*>& seenTargets) const;
    // Scans afresh; true when anyone is near or seen.
    bool RefreshTargets();
    // A random near target, else the nearest seen one, else null.
    CCharacter* ChooseTarget();
    // Changes the animation, or keeps the name for after the hold state when that is playing.
    void RequestAnimation(const std::string& name);

    // The behaviour machine's state entered at the level ("" when none).
    std::string GetStateName(unsigned level) const;
    // The animation machine's state entered ("" when none).
    std::string GetAnimationState() const;
    const std::string& GetHeldAnimation() const { return m_HeldAnimation; }
    Machine* GetBehaviourMachine() const { return m_Behaviour.get(); }
    Machine* GetAnimationMachine() const { return m_Animation.get(); }

    float GetDetectionRadius() const { return m_DetectionRadius; }
    float GetHalfFovDegrees() const { return m_HalfFovDegrees; }
    float GetFovLength() const { return m_FovLength; }
    float GetAttackCooldown() const { return m_AttackCooldown; }
    float GetAttackCountdown() const { return m_AttackCountdown; }
    const CVector3D& GetHomePosition() const { return m_HomePosition; }
    const CVector3D& GetWanderDirection() const { return m_WanderDirection; }
    float GetWanderTimer() const { return m_WanderTimer; }
    bool IsIdleTurn() const { return m_IdleTurn; }

protected:
    using Callback = State::Callback;
    using UpdateCallback = State::UpdateCallback;
    using Condition = State::Condition;
    using Selector = State::Selector;

    // The kinds name their own member functions as state callbacks through these.
    template <typename D>
    static Callback On(void (D::*f)())
    {
        return static_cast<Callback>(f);
    }
    template <typename D>
    static UpdateCallback On(void (D::*f)(float))
    {
        return static_cast<UpdateCallback>(f);
    }
    template <typename D>
    static Condition When(bool (D::*f)())
    {
        return static_cast<Condition>(f);
    }
    template <typename D>
    static Selector Pick(int (D::*f)())
    {
        return static_cast<Selector>(f);
    }

    // Called by Attach after the common states: the kind adds its "alive_*" states (and any
    // other) and their transitions.
    virtual void BuildBehaviour() = 0;
    // Called by Attach: the kind adds its animations (AddAnimation), in the order the hold
    // state's return list takes them.
    virtual void BuildAnimations() = 0;
    // Without a spawn state the machine starts in "alivestate".
    virtual bool HasSpawnState() const { return true; }
    // The behaviour machine waits while the owner's action lock runs.
    virtual bool IsBehaviourFrozen(const CCharacter& owner) const;

    // The common states' callbacks and conditions; kinds override where theirs differ.
    // "alivestate": dies once the health is below 1.
    virtual void AliveUpdate(float dt);
    // "alivestate" to "deathstate": no health left and not suspended.
    virtual bool ShouldDie();
    virtual void DyingEnter() {}
    // "death_dying" to "death_dead": the owner is dying or dead.
    virtual bool IsDyingDone();
    // The common death: a skill drop try, Die, the controller disabled, the model shattered and
    // the body out of the simulation.
    virtual void DeadEnter();

    // Adds a behaviour state under the named parent ("" for a top-level state).
    State* AddBehaviourState(const std::string& name, Callback enter, UpdateCallback update, Callback exit,
                             const std::string& parent);
    // Adds a guarded transition between two named behaviour states of one level.
    void AddBehaviourTransition(const std::string& from, const std::string& to, Condition condition);
    // Adds an animation state playing the clip with the mode; a stunnable one turns to the hold
    // state while the owner is stunned.
    void AddAnimation(const std::string& state, const std::string& clip, int mode, bool stunnable = true);
    // The hold state is "STUN" unless the kind names another before its animations are added.
    void SetHoldAnimation(const std::string& name) { m_HoldState = name; }
    // Changes the animation at once, past the hold state, forgetting any held request.
    void ForceAnimation(const std::string& name);
    // Once the clip of the first animation state has played out, the machine goes on to the
    // second (a one-off clip such as an attack, so that the next request plays it again).
    void AddAnimationReturn(const std::string& from, const std::string& to);
    // True when the owner's animation has reached its end (or the model cannot animate).
    bool IsAnimationFinished() const;

    // Wander: a walking turn heads along the wander direction (a new random one near home, the
    // reverse far from it), an idle turn stands; each lasts a random time.
    void WanderEnter();
    void WanderExit();
    // Walks or stands out the turn, restarting it when its time is up.
    void WanderStep(float dt);
    // WanderStep, then a scan that sets the chosen target.
    void WanderUpdate(float dt);
    // Whether the next wander turn stands still: after an idle turn it walks, otherwise at random.
    virtual bool ChooseIdleTurn();

    // Seek: runs through the target at pursue speed, avoiding the others of the group.
    void SeekEnter();
    void SeekUpdate(float dt);
    // Melee attack: stands facing the target and raises the attacking flag every attack cooldown
    // for the attack flock to launch; a target that is gone or dead is forgotten.
    void MeleeAttackEnter();
    void MeleeAttackUpdate(float dt);
    void MeleeAttackExit();
    // Flight: runs far from the target, again on arrival.
    void FleeEnter();
    void FleeUpdate(float dt);

    // Conditions the kinds share.
    bool HasTargetSet() { return m_TargetKind != TARGET_NONE; }
    bool FindsNobody() { return !RefreshTargets(); }
    // The target point or entity lies within the owner's attack radius (squared distance not
    // above the squared radius).
    bool IsTargetInReach();
    // No target, or one at or beyond the attack radius.
    bool IsTargetOutOfReach();
    // Own share of health at or below kFleeOwnRatio while the target's is at least kFleeTargetRatio.
    bool ShouldFlee();
    // A target farther than kFleeSafeDistance.
    bool IsSafeFromTarget();

    // The target entity's or the target point's position; false without either.
    bool GetTargetPoint(CVector3D& out) const;
    // The squared distance from the owner to the target point or entity; false without either.
    bool GetTargetDistanceSquared(float& out) const;
    // The target entity as a character, while it lives.
    CCharacter* GetTargetCharacter() const;
    // Health left and neither dying nor dead.
    static bool IsAlive(const CCharacter& character);
    // Turns the owner horizontally towards the target.
    void FaceTarget();
    // Shatters each named sub-mesh while the owner's health is below its mark.
    void ShedParts(const std::vector<std::pair<int, const char*>>& marks);
    // The owner's body stops responding to contacts and leaves the simulation.
    void StopContacts();
    // A dying that plays out: the "DIE" animation forced past any hold, and StopContacts. The
    // kinds that use it end the dying once IsAnimationFinished.
    void DeathAnimationEnter();
    // A random direction in the horizontal plane (unit length, or zero in the rare draw of two
    // zeros).
    static CVector3D RandomHorizontalDirection();
    void JoinGroup(const char* name);
    void LeaveGroup(const char* name);

    std::unique_ptr<Machine> m_Behaviour;
    std::unique_ptr<Machine> m_Animation;
    std::string m_HeldAnimation;
    std::string m_HoldState = "STUN";
    float m_DetectionRadius = 0.0f;
    float m_HalfFovDegrees = 0.0f;
    float m_FovLength = 0.0f;
    float m_AttackCooldown = 0.0f;
    float m_AttackCountdown = 0.0f;
    CVector3D m_HomePosition;
    CVector3D m_WanderDirection;
    float m_WanderTimer = 0.0f;
    float m_WanderRadius = kWanderRadius;
    float m_IdleTurnFactor = kIdleTurnFactor;
    // True at attach, so that the first turn walks.
    bool m_IdleTurn = true;

private:
    struct Clip {
        std::string state;
        std::string clip;
        int mode;
        bool stunnable;
    };

    void BuildCommonStates();
    void FinishAnimations();
    void UpdateAnimations(float dt);
    bool StunBegins();
    int StunEndsSelector();
    void HoldExit();
    bool ClipFinished() { return IsAnimationFinished(); }

    std::vector<EntityHandle> m_NearTargets;
    std::vector<EntityHandle> m_SeenTargets;
    std::vector<Clip> m_Clips;
    const State* m_PlayingState = nullptr;
};

} // namespace Game
