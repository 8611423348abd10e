// CSpawnerTrigger: a game trigger that clones its slave templates when it fires, one group per
// activation as its group sequence says (every slave when the sequence is empty), and sleeps with
// its index back at 0 once its activation limit is reached. Its slaves become dormant templates.
#pragma once

#include "game/entities/CGameTrigger.h"
#include "game/entities/SpawnerCore.h"

namespace Game {

class CSpawnerTrigger : public CGameTrigger {
public:
    int GetType() const override { return SPAWNER_TRIGGER; }
    void InitTrigger(const std::string& name, const EntitySetting& setting,
                     const GameTriggerSetting& triggerSetting) override;
    void Release() override;
    // The additional condition only; the entity conditions are not asked.
    bool CheckCondition() override { return AdditionalConditionHolds(m_AdditionalCondition); }
    void Fire() override;

    const TriggerSequence& GetSequence() const { return m_Sequence; }
    int GetAdditionalCondition() const { return m_AdditionalCondition; }

private:
    TriggerSequence m_Sequence;
    int m_AdditionalCondition = NO_ADDITIONAL_COND;
};

} // namespace Game
