// CMinionController: drives a kobold minion, a small melee enemy. It rises out of the ground,
// wanders, seeks the player and attacks through the attack flock; losing a fight, it flees and
// on the way steals a pickup lying near it: it walks to the item, lifts it over its head and runs
// off with it until it arrives or tires, then lets it fall. It sheds its ears, tail and gear as it
// weakens and plays its death out before it shatters. The stolen item is held by handle; the
// minion lets go of it when the theft ends in any way.
#pragma once

#include "game/controllers/CEnemyController.h"

namespace Game {

class CPickupItem;

class CMinionController : public CEnemyController {
public:
    // A carried item is dropped after this long even if the minion has not arrived.
    static constexpr float kCarryLimit = 3.5f;
    // A carried item rides this high above the minion.
    static constexpr float kCarryHeight = 10.0f;
    // A thief runs this far, in a random direction, with its loot.
    static constexpr float kRunOffDistance = 100.0f;

    ~CMinionController() override;

    int GetControllerType() const override { return MINION; }
    // Lets go of a stolen item, then the common detach.
    void Detach() override;
    // Sheds the parts its health has fallen below, then the machines.
    void Update(float dt) override;
    // A hit puts the next attack a full attack cooldown away.
    void OnHit(const int& damage) override;
    // The attack flock has launched the minion's punch: it swings.
    void OnFlockLaunch() override;

    // The item being stolen while it exists, else null.
    CPickupItem* GetStolenItem() const;
    bool IsItemAcquired() const { return m_ItemAcquired; }
    bool IsItemDropped() const { return m_ItemDropped; }
    float GetCarryTimer() const { return m_CarryTimer; }

protected:
    void BuildBehaviour() override;
    void BuildAnimations() override;
    // Dies only once the stun is over and no move runs.
    bool ShouldDie() override;
    void DyingEnter() override { DeathAnimationEnter(); }
    bool IsDyingDone() override { return IsAnimationFinished(); }

private:
    // The first visible pickup within the wander radius decides: when nobody holds it and it can
    // still be collected, the minion takes hold of it.
    bool ClaimItem();
    // The item is gone, can no longer be collected, or someone else holds it.
    bool HasLostItem();
    bool IsCarryingUndropped() { return m_ItemAcquired && !m_ItemDropped; }
    // Theft: head for the item, pick it up there, run off with it.
    void StealEnter();
    void StealExit() { ReleaseItem(); }
    void AcquireUpdate(float dt);
    void RunOffEnter();
    void CarryUpdate(float dt);
    // The item falls free (unless another holds it now) and is forgotten.
    void ReleaseItem();

    EntityHandle m_StolenItem;
    bool m_ItemAcquired = false;
    bool m_ItemDropped = false;
    float m_CarryTimer = 0.0f;
};

} // namespace Game
