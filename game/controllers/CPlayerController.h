// CPlayerController: drives the character named "player" from the keyboard or pad. It owns the
// input listener, the combo history, the charge, a sensor body ahead of the player that finds
// attack targets, the 3D markers (target ring, enemy arrow, tombstone, two charge sprites) and
// the HUD. The frame, the hooks and the set-up live in CPlayerController.cpp; the rules of
// moving, dodging, attacking, charging, pickups, death and revival in CPlayerActions.cpp.
#pragma once

#include "audio/CSoundChannel.h"
#include "game/controllers/IController.h"
#include "game/gui/CPlayerHud.h"
#include "game/moves/ExtraFunction.h"

#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
class CRigidBody;
} // namespace Vesk

namespace Game {

class CSprite3D;

class CPlayerController : public CCharacterController {
public:
    class CPlayerListener;

    // The tombstone the death move leaves when it ends, with the revive prompt.
    class SpawnTombStone : public ExtraFunction {
    public:
        void Run() override;

        EntityHandle m_Owner;
        CSprite3D* m_pTombstone = nullptr;
        Vesk::CDisplayObject2D* m_pRevivePrompt = nullptr;
    };

    // The animation states the controller plays on the player's model.
    enum AnimState : int {
        IDLE = 0,
        RUNTWO = 1,
        JUMP = 2,
        ATTACKNORMAL = 3,
        ATTACKUPPERCUT = 4,
        SWINGONE = 6,
        SWINGTWO = 7,
        SWINGTHREE = 8,
        STRETCH = 10,
        FIRESHOT = 11,
        MOVE = 12,
        SPAWN = 13,
    };
    enum AnimPhase : int { PHASE_ENTERING = 0, PHASE_RUNNING = 1, PHASE_LEAVING = 2 };

    // Combo history entries.
    static constexpr int kComboSwing = 0;
    static constexpr int kComboDodge = 2;
    static constexpr size_t kMaxCombo = 5;
    static constexpr int kMaxSkills = 3;
    static constexpr float kSensorAhead = 25.0f;
    static constexpr float kIdleTime = 5.0f;
    static constexpr float kReviveGrace = 1.7f;
    static constexpr float kStunImmunityExtra = 1.25f;
    static constexpr float kDeathMoveTime = 0.75f;
    static constexpr float kDodgeTime = 0.5f;
    static constexpr float kDodgeWindow = 0.65f;
    static constexpr float kChargeStep = 1.1f;
    static constexpr float kFarTarget = 20.0f;
    static constexpr float kMovingSpeed = 5.0f;
    static constexpr float kStickThreshold = 0.3f;
    static constexpr float kReviveTapTime = 0.4f;

    CPlayerController();
    ~CPlayerController() override;

    void Attach(const ControllerSetting& setting) override;
    void Detach() override;
    void Update(float dt) override;
    int GetControllerType() const override { return PLAYERCONTROLLER; }

    void OnHit(const int& damage) override;
    void OnDying() override;
    void OnAttackLanded(CCharacter* target, const int& damage) override;
    void OnStunned(float seconds) override;

    // The HUD is drawn while set (the play state hides it between phases).
    void SetHudVisible(bool visible);
    // Cancels the charge and clears the combo history.
    void ResetActions();
    // True when the listener exists and drives player one.
    bool IsPlayerOne() const;
    // Sets the listener's player-one flag (nothing without a listener).
    void SetPlayerOne(bool playerOne);

    void UpdateHud(float dt);
    void UpdateHealthBar(float dt);
    void UpdatePowerSlots(float dt);

    // Player actions (CPlayerActions.cpp).
    void UpdateAnimationState();
    void HandleMovementInput(float dt);
    bool HandleAttackInput(float dt);
    void UpdateCharging(float dt);
    void PlayChargeSound(std::string name);
    void CancelCharge();
    void CollectPickups(float dt);
    void DropSkills(int count);
    void UpdateRevive(float dt);
    void ClearComboHistory();
    void AppendComboHistory(int entry, float window);
    void FaceTarget(CCharacter* character, CCharacter* target);
    bool IsTargetFar(CCharacter* target);
    void FaceAndHop(bool far, CCharacter* target, float seconds);

    // Requests an animation state; nothing when it is the current one.
    void RequestState(int state);

    int GetAnimState() const { return m_AnimState; }
    int GetAnimPhase() const { return m_AnimPhase; }
    int GetNextAnimState() const { return m_NextAnimState; }
    CPlayerListener* GetListener() const { return m_pListener.get(); }
    Vesk::CRigidBody* GetSensor() const { return m_pSensor; }
    const std::vector<int>& GetComboHistory() const { return m_ComboHistory; }
    float GetComboWindow() const { return m_ComboWindow; }
    int GetChargeLevel() const { return m_ChargeLevel; }
    int GetCollectedSkills() const { return m_CollectedSkills; }
    void SetCollectedSkills(int count);
    int GetDeathCount() const { return m_DeathCount; }
    bool IsDead() const { return m_Dead; }
    bool IsChargingDuringDodge() const { return m_ChargeReleasedInDodge; }
    const std::string& GetChargingSoundName() const { return m_ChargingSoundName; }
    float GetReviveTimer() const { return m_ReviveTimer; }
    float GetIdleTimer() const { return m_IdleTimer; }
    float GetStunImmunityTimer() const { return m_StunImmunityTimer; }
    int GetHighestHealth() const { return m_HighestHealth; }
    const CPlayerHud& GetHud() const { return m_Hud; }
    CSprite3D* GetTargetMarker() const { return m_pTargetMarker; }
    CSprite3D* GetEnemyArrow() const { return m_pEnemyArrow; }
    CSprite3D* GetTombstone() const { return m_pTombstone; }
    // The nearest entry of this frame's target list, or null.
    CCharacter* GetNearestTarget() const;

private:
    void CreateSensor();
    void DestroySensor();
    void CreateMarkers();
    void ReleaseMarkers();
    HudInputs GatherHudInputs() const;
    void CollectTargets();
    void PlaceSensorAndChargeSprites(CCharacter& owner);
    void UpdateTargetMarker(CCharacter& owner);
    void UpdateEnemyArrow(CCharacter& owner);
    void UpdateAlive(float dt);
    void KeepInView(CCharacter& owner);
    void StopChargingSound();
    void Revive(CCharacter& owner);
    bool IsPressed(unsigned bit) const;
    bool IsHeld(unsigned bit) const;
    bool IsReleased(unsigned bit) const;
    float HoldTime(unsigned bit) const;
    // The combo swing for a history size; false when the history does not allow one.
    bool SwingCombo(CCharacter& owner, CCharacter* target, bool far);
    // True when a charged special went off.
    bool ReleaseSpecial(CCharacter& owner, CCharacter* target);
    void PressSpecial(CCharacter& owner, CCharacter* target);

    int m_AnimState = IDLE;
    int m_AnimPhase = PHASE_ENTERING;
    int m_NextAnimState = IDLE;
    std::unique_ptr<CPlayerListener> m_pListener;
    Vesk::CRigidBody* m_pSensor = nullptr;
    int m_HighestHealth = -1;
    float m_StunImmunityTimer = 0.0f;
    float m_ReviveTimer = 0.0f;
    // A revive ran within the revive time still running: further presses in it do nothing.
    bool m_RevivedInTime = false;
    bool m_Dead = false;
    int m_DeathCount = 0;

    CPlayerHud m_Hud;
    CSprite3D* m_pChargeInward[2] = {nullptr, nullptr};
    CSprite3D* m_pEnemyArrow = nullptr;
    CSprite3D* m_pTargetMarker = nullptr;
    CSprite3D* m_pTombstone = nullptr;
    SpawnTombStone m_TombStone;

    std::vector<int> m_ComboHistory;
    float m_ComboWindow = 0.0f;
    float m_IdleTimer = 0.0f;
    // Characters touching the sensor this frame; emptied at the end of every frame.
    std::vector<CCharacter*> m_Targets;
    // The sensor's touching bodies in address order, reused between frames.
    std::vector<const Vesk::CRigidBody*> m_SortedTouching;
    bool m_SpecialLatch = false;
    bool m_ChargeReleasedInDodge = false;
    int m_CollectedSkills = 0;
    int m_ChargeLevel = 0;
    Vesk::CSoundChannel m_ChargingChannel;
    std::string m_ChargingSoundName;
};

} // namespace Game
