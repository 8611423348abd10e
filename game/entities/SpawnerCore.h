// What the spawning and sequencing triggers share: the activation sequence of a spawner or a
// trigger modifier (a limit, the next activation's index, a group and a delay sequence; short
// sequences keep using their last entry), the dormant templates that spawners clone, and the
// additional condition that waits for the enemies to fall.
#pragma once

#include <cstddef>
#include <vector>

namespace Vesk {
class CTrigger;
}

namespace Game {

class CEntity;
struct GameTriggerSetting;

struct TriggerSequence {
    // Limit and sequences from the record; the index starts at 0.
    void CopyFrom(const GameTriggerSetting& setting, const std::vector<int>& groupSequence);
    void Clear();
    // The entry of the group sequence this activation uses: the index, clamped to the last one.
    size_t CurrentEntry() const;
    // After an activation that used entry i, the delay sequence's entry i (clamped) becomes the
    // trigger's reactivation delay; an empty delay sequence changes nothing.
    void ApplyDelay(Vesk::CTrigger& trigger, size_t i) const;

    int m_ActivationLimit = 1;
    int m_ActivationIndex = 0;
    std::vector<int> m_GroupSequence;
    std::vector<float> m_DelaySequence;
};

// A slave a spawner clones: controller disabled, hidden, weightless and without contact response.
void MakeDormantTemplate(CEntity& entity);
// A clone of the template marked transient, or null when the factory cannot make one.
CEntity* SpawnFromTemplate(const CEntity& source);
// allenemiesdead asks the game master; any other value holds.
bool AdditionalConditionHolds(int condition);

} // namespace Game
