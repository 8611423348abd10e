// CCharacter: the body of the player and of every enemy. It keeps health, speeds, resistances,
// the stun and action-lock timers, a ground check and the life machine "spawn", "alive",
// "dying", "death", and carries out the movement, damage, knock and stun operations its
// controller decides on. It owns its move queue and its skill pocket, and lists the shared group
// controllers it has joined; a shared controller that goes away takes itself off that list.
#pragma once

#include "core/CFiniteStateMachine.h"
#include "game/entities/CEntity.h"
#include "game/entities/ISkillPocket.h"
#include "game/moves/CMoveQueue.h"

#include <memory>
#include <string>
#include <vector>

namespace Game {

class CCharacterController;
class ISharedCharacterController;

class CCharacter : public CEntity {
public:
    static constexpr float kKillPlaneY = -100.0f;
    static constexpr int kKillPlaneDamage = 99999;
    static constexpr float kAirborneAfter = 0.1f;
    static constexpr float kArrivalDistanceSquared = 25.0f;
    // How far from straight up a contact normal may lean and still count as ground.
    static constexpr float kGroundNormalMinY = 0.99f;

    CCharacter();
    ~CCharacter() override;

    void Init(const std::string& name, const EntitySetting& setting) override;
    // Cancels the queued moves, deletes the life machine and the skill pocket, leaves every
    // shared controller, then the entity Release.
    void Release() override;
    void Update(float dt) override;
    int GetType() const override { return GENERIC_CHARACTER; }

    // 1 alive, 2 dying, 3 dead; the life machine follows on its next update.
    void SetLifeState(int state);
    bool IsDying() const { return m_LifeState == LIFE_DYING; }
    bool IsDead() const { return m_LifeState == LIFE_DEAD; }
    // The name of the life machine's current state ("spawn", "alive", "dying", "death").
    std::string GetLifeMachineState() const;

    void StopMoving();
    // Horizontal velocity along the flattened direction at the current speed; nothing while
    // stunned.
    void MoveAlong(const CVector3D& direction, bool face);
    // True (and stopped) within 5 units of the point; false while stunned or still on the way.
    bool MoveTo(const CVector3D& point, bool face);
    void ExtendActionLock(const float& seconds);
    // Ignored during the stun block or when not longer than the stun running.
    void ApplyStun(const float& seconds);
    void KnockUp(float sourceX, float sourceY, float sourceZ, float force);
    void KnockBack(float sourceX, float sourceY, float sourceZ, float force);
    void KnockUp(const CVector3D& source, float force) { KnockUp(source.x, source.y, source.z, force); }
    void KnockBack(const CVector3D& source, float force) { KnockBack(source.x, source.y, source.z, force); }
    // Ignored while invulnerable, stunned, dormant, at 0 health, or (one time in three) dodging.
    void TakeDamage(int damage);
    // Never above the maximum health.
    void Heal(float amount);
    // The health as a share of the maximum: 0 when the maximum is not positive, never outside 0..1.
    float GetHealthRatio() const;
    // Dying, the death sound, and out of every shared controller; nothing when already dying or
    // dead.
    void Die();
    void NotifyAttackLanded(CCharacter* target, const int& damage);

    void JoinSharedController(ISharedCharacterController* shared);
    void LeaveSharedController(ISharedCharacterController* shared);
    void LeaveSharedControllerByName(const std::string& name);
    void LeaveAllSharedControllers();
    // Bookkeeping of the shared controllers: each records itself once when it adds the character
    // and forgets itself when it removes the character or goes away.
    void RecordSharedController(ISharedCharacterController* shared);
    void ForgetSharedController(ISharedCharacterController* shared);
    const std::vector<ISharedCharacterController*>& GetSharedControllers() const { return m_SharedControllers; }

    // The controller when it is a character controller, else null.
    CCharacterController* GetCharacterController() const;

    // A dormant character (a wave template parked out of the level) is spared by the kill
    // plane and by damage.
    void SetDormant(bool dormant) { m_Dormant = dormant; }
    bool IsDormant() const { return m_Dormant; }

    // The moves that run the character's body one after another; busy while not empty.
    CMoveQueue& GetMoveQueue() { return m_MoveQueue; }
    const CMoveQueue& GetMoveQueue() const { return m_MoveQueue; }

    void SetSkillPocket(std::unique_ptr<ISkillPocket> pocket) { m_SkillPocket = std::move(pocket); }
    ISkillPocket* GetSkillPocket() const { return m_SkillPocket.get(); }

    // Read and written by the controllers.
    bool m_Airborne = false;
    float m_TimeSinceGround = 0.0f;
    int m_Health = 0;
    int m_MaxHealth = 0;
    float m_CurrentSpeed = 0.0f;
    float m_SpeedFactor = 1.0f;
    float m_WanderSpeed = 0.0f;
    float m_PursueSpeed = 0.0f;
    float m_AirFactor = 1.0f;
    float m_StunTimer = 0.0f;
    float m_StunBlockTimer = 0.0f;
    float m_ActionLockTimer = 0.0f;
    bool m_Stunned = false;
    float m_StunLength = 0.0f;
    float m_KnockupResist = 0.0f;
    float m_KnockbackResist = 0.0f;
    float m_AttackRadius = 0.0f;
    std::string m_SpawnSound;
    std::string m_HurtSound;
    std::string m_DeathSound;
    bool m_Invulnerable = false;
    // While set a hit is ignored one time in three.
    bool m_Dodging = false;
    // Keeps the vertical velocity in MoveAlong and stops at axis-aligned contacts.
    bool m_KeepVertical = false;
    // Cannot be hit (set while spawning and dodging).
    bool m_Spawning = false;
    // Attacks do not hit the character (the player while stunned).
    bool m_StunGuard = false;
    // Neither moves, attacks nor dies while set.
    bool m_Suspend = false;
    bool m_Charging = false;
    // Set by an enemy controller in the frame its attack is due; the attack flock clears it.
    bool m_Attacking = false;

private:
    using LifeMachine = Vesk::CFiniteStateMachine<CCharacter>;

    void BuildLifeMachine();
    void CheckGround(float dt);
    void CountDownTimers(float dt);
    void CancelBlockedVelocity(CVector3D& velocity) const;

    void EnterDying();
    void EnterDeath();
    bool SpawnDone() { return true; }
    bool LifeIsDying() { return m_LifeState == LIFE_DYING; }
    bool LifeIsDead() { return m_LifeState == LIFE_DEAD; }

    std::unique_ptr<LifeMachine> m_LifeMachine;
    CMoveQueue m_MoveQueue;
    std::unique_ptr<ISkillPocket> m_SkillPocket;
    std::vector<ISharedCharacterController*> m_SharedControllers;
    bool m_Dormant = false;
};

} // namespace Game
