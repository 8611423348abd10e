// CBoarController: drives a boar. It wanders, seeks a player close by and above all charges one
// it sees farther off (or one it has caught up with): it grunts and turns to the player while
// winding up, then runs a straight line far past it at many times its speed with a headbutt
// riding along, and stands to recover. Its melee attack and its flight exist for changes by
// name only. Its hide breaks off piece by piece as its health falls, and it drops more coins than
// other enemies.
#pragma once

#include "game/controllers/CEnemyController.h"

namespace Game {

class CBoarController : public CEnemyController {
public:
    // A seek turns into a charge this often when the target keeps its distance.
    static constexpr float kSeekPeriod = 3.0f;
    // The wind-up before the run; a run that has not arrived ends at twice this since the
    // charge began.
    static constexpr float kPrepareTime = 2.0f;
    static constexpr float kRecoveryPeriod = 2.0f;
    // The run heads this far along the facing direction at this many times the speed factor.
    static constexpr float kChargeDistance = 100.0f;
    static constexpr float kChargeSpeedFactor = 10.0f;
    // Rides along with the run.
    static constexpr const char* kHeadbuttAttack = "BoarHeadbutt";
    // Coins a boar drops; hits push it less far than lighter enemies.
    static constexpr int kCoinCount = 6;

    int GetControllerType() const override { return BOAR; }

    // The common attach, then the boar's counters, and the owner's coin count.
    void Attach(const ControllerSetting& setting) override;
    // Sheds the parts the health has fallen below, then the common update.
    void Update(float dt) override;
    // A hit puts the melee attack back by a whole cooldown.
    void OnHit(const int& damage) override;

    float GetSeekTime() const { return m_SeekTime; }
    float GetChargeTime() const { return m_ChargeTime; }
    float GetRecoveryTime() const { return m_RecoveryTime; }
    bool IsChargeStarted() const { return m_ChargeStarted; }
    bool IsChargeFinished() const { return m_ChargeFinished; }
    const CVector3D& GetChargePoint() const { return m_ChargePoint; }

protected:
    void BuildBehaviour() override;
    void BuildAnimations() override;

private:
    // Out of wander: seek a target within the detection radius, charge one within the
    // field-of-view length.
    int PickSeekOrCharge();

    void BoarSeekEnter();
    // Counts the seek time while the boar is free to move.
    void BoarSeekUpdate(float dt);
    void BoarSeekExit();
    // Every seek period: charge a living target that keeps beyond the detection radius but in
    // sight.
    bool IsSeekPeriodOver();

    void ChargeEnter();
    void ChargeUpdate(float dt);
    void ChargeExit();
    // Starts the run at the end of the wind-up.
    void StartRun(CCharacter& owner);
    // Stops the run; the recovery begins.
    void FinishRun(CCharacter& owner, float dt);
    bool IsRecovered();

    float m_SeekTime = 0.0f;
    float m_ChargeTime = 0.0f;
    float m_SavedSpeedFactor = 0.0f;
    bool m_ChargeStarted = false;
    bool m_ChargeFinished = false;
    CVector3D m_ChargePoint;
    float m_RecoveryTime = 0.0f;
};

} // namespace Game
