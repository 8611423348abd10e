// CTriggerModifierTrigger: a game trigger that changes the states of its slave triggers when it
// fires: the group its group sequence names this activation gets the new state and the other slave
// triggers sleep (entry 97 changes nothing, 98 puts all to sleep). Once its activations are used up
// it is finished and puts itself to sleep as soon as every slave trigger sleeps; it then answers
// false, so the sleep holds until something wakes it, which clears the finished flag.
#pragma once

#include "game/entities/CGameTrigger.h"
#include "game/entities/SpawnerCore.h"

namespace Game {

class CTriggerModifierTrigger : public CGameTrigger {
public:
    // Group-sequence entries with a meaning of their own.
    static constexpr int kKeepSlaves = 97;
    static constexpr int kSleepAllSlaves = 98;

    int GetType() const override { return TRIGGERMODIFIER_TRIGGER; }
    void InitTrigger(const std::string& name, const EntitySetting& setting,
                     const GameTriggerSetting& triggerSetting) override;
    void Release() override;
    // Waking from any other state clears the finished flag.
    void SetState(int state) override;
    bool CheckCondition() override;
    void Fire() override;

    void SetSecondSequence(const std::vector<float>& sequence) override { m_Sequence.m_DelaySequence = sequence; }
    void SetFirstSequence(const std::vector<int>& sequence) override { m_Sequence.m_GroupSequence = sequence; }
    void AppendToSecondSequence(float value) override { m_Sequence.m_DelaySequence.push_back(value); }
    void AppendToFirstSequence(int value) override { m_Sequence.m_GroupSequence.push_back(value); }

    const TriggerSequence& GetSequence() const { return m_Sequence; }
    void SetActivationLimit(int limit) { m_Sequence.m_ActivationLimit = limit; }
    int GetNewState() const { return m_NewState; }
    int GetAdditionalCondition() const { return m_AdditionalCondition; }
    bool IsFinished() const { return m_Finished; }
    const std::string& GetSoundName() const { return m_SoundName; }

private:
    bool AllSlaveTriggersSleep() const;

    std::string m_SoundName;
    int m_NewState = Vesk::TRIGGER_STATE_AWAKE;
    TriggerSequence m_Sequence;
    int m_AdditionalCondition = NO_ADDITIONAL_COND;
    bool m_Finished = false;
};

} // namespace Game
