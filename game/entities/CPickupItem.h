// CPickupItem: a collectable item (coin, potion, skill). It spins in place, carries the values it
// gives to whoever collects it (from the shared pickup catalogue, by mesh name), shows its effect
// when collected, blinks in its last two seconds, shatters when its time runs out, and removes
// itself once it has been taken or has expired. A carrier (an enemy stealing it) holds it: held,
// it can be neither collected nor run out of time.
#pragma once

#include "game/entities/CEntity.h"

#include <memory>
#include <string>

namespace Game {

class CCharacter;
class IPickupEffect;

enum PickupCollectedState : int {
    PICKUP_LYING = 0,
    PICKUP_BEING_TAKEN = 1,
    PICKUP_TAKEN = 2,
};

class CPickupItem : public CEntity {
public:
    static constexpr float kCoinSpinSpeed = 8.726646f;   // 500 degrees a second
    static constexpr float kOtherSpinSpeed = 1.5707963f; // 90 degrees a second
    static constexpr float kBlinkFrom = 2.0f;
    static constexpr float kExpiredBelow = -5.0f;
    static constexpr float kTakingSeconds = 0.2f;
    // How long a taken item stays (hidden) so that its collection effect can play out.
    static constexpr float kRemoveAfterTaken = 1.0f;
    static constexpr float kCollectHeight = 15.0f;

    CPickupItem();
    ~CPickupItem() override;

    void Init(const std::string& name, const EntitySetting& setting) override;
    // The effect goes, then the entity Release.
    void Release() override;
    void Update(float dt) override;
    int GetType() const override { return PICKUPITEM; }

    // When collectable and not held: heals the collector, shows the effect and starts the item's
    // way to the collector. Null collectors are ignored. A skill pickup leaves the skill list's
    // world count once, when it is collected or when it runs out of time.
    virtual void Collect(CCharacter* collector);

    // Held while the carrier lives; null lets go.
    void SetCarrier(CCharacter* carrier);
    CCharacter* GetCarrier() const;
    bool IsHeld() const { return GetCarrier() != nullptr; }

    bool IsCollectable() const { return m_Collectable; }
    int GetCollectedState() const { return m_CollectedState; }
    float GetSpinAngle() const { return m_SpinAngle; }
    float GetLastingTime() const { return m_LastingTime; }
    float GetBlinkPhase() const { return m_BlinkPhase; }
    IPickupEffect* GetEffect() const { return m_Effect.get(); }

    // The values given on collection (read by the player's controller).
    int m_Hp = 0;
    int m_Mana = 0;
    float m_Dmg = 0.0f;
    float m_MoveSpeed = 0.0f;
    float m_AtkSpeed = 0.0f;
    float m_DeathMod = 0.0f;
    std::string m_FirstSound;
    // Played on collection.
    std::string m_SecondSound;

private:
    void Spin(float dt);
    void UpdateTaking(float dt);
    void UpdateLifetime(float dt);
    void StartTaking();
    void LowerSkillCount() const;

    bool m_Collectable = false;
    float m_SpinAngle = 0.0f;
    float m_LastingTime = 0.0f;
    float m_BlinkPhase = 0.0f;
    int m_CollectedState = PICKUP_LYING;
    float m_TakenTimer = 0.0f;
    bool m_Shattered = false;
    EntityHandle m_Carrier;
    std::unique_ptr<IPickupEffect> m_Effect;
};

} // namespace Game
