#include "game/entities/CTriggerModifierTrigger.h"

#include "game/base/CGameServices.h"

#include <algorithm>

namespace Game {

namespace {

std::vector<CGameTrigger*> TriggersAmong(const std::vector<std::pair<int, CEntity*>>& slaves)
{
    std::vector<CGameTrigger*> triggers;
    for (const auto& slave : slaves) {
        if (auto* trigger = dynamic_cast<CGameTrigger*>(slave.second))
            triggers.push_back(trigger);
    }
    return triggers;
}

} // namespace

void CTriggerModifierTrigger::InitTrigger(const std::string& name, const EntitySetting& setting,
                                          const GameTriggerSetting& triggerSetting)
{
    CGameTrigger::InitTrigger(name, setting, triggerSetting);
    m_SoundName = triggerSetting.m_SoundName;
    m_NewState = triggerSetting.m_NewStatus;
    m_Sequence.CopyFrom(triggerSetting, triggerSetting.m_GroupSequence);
    m_AdditionalCondition = triggerSetting.m_AdditionalCondition;
    m_Finished = false;
}

void CTriggerModifierTrigger::Release()
{
    m_Sequence.Clear();
    m_Finished = false;
    CGameTrigger::Release();
}

void CTriggerModifierTrigger::SetState(int state)
{
    if (state == Vesk::TRIGGER_STATE_AWAKE && GetState() != Vesk::TRIGGER_STATE_AWAKE)
        m_Finished = false;
    CGameTrigger::SetState(state);
}

bool CTriggerModifierTrigger::AllSlaveTriggersSleep() const
{
    const std::vector<CGameTrigger*> triggers = TriggersAmong(GetSlaveEntries());
    return std::all_of(triggers.begin(), triggers.end(),
                       [](const CGameTrigger* trigger) { return trigger->GetState() == Vesk::TRIGGER_STATE_SLEEPING; });
}

bool CTriggerModifierTrigger::CheckCondition()
{
    // Once finished and every slave sleeps, the modifier sleeps too and must not fire again: a
    // true answer would let a delayed fire overwrite the sleep.
    if (m_Finished && AllSlaveTriggersSleep()) {
        SetState(Vesk::TRIGGER_STATE_SLEEPING);
        return false;
    }
    if (!CheckEntityCondition())
        return false;
    if (m_AdditionalCondition == ALLSLAVESASLEEP_AND_ENEMIESDEAD)
        return AllSlaveTriggersSleep() && CGameServices::GetInstance().AllEnemiesDefeated();
    return AdditionalConditionHolds(m_AdditionalCondition);
}

void CTriggerModifierTrigger::Fire()
{
    const std::vector<std::pair<int, CEntity*>> slaves = GetSlaveEntries();
    if (slaves.empty())
        return;
    size_t entry = static_cast<size_t>(std::max(0, m_Sequence.m_ActivationIndex));
    if (m_Sequence.m_GroupSequence.empty()) {
        for (CGameTrigger* trigger : TriggersAmong(slaves))
            trigger->SetState(m_NewState);
        SetState(Vesk::TRIGGER_STATE_SLEEPING);
    } else {
        entry = m_Sequence.CurrentEntry();
        const int group = m_Sequence.m_GroupSequence[entry];
        if (group == kSleepAllSlaves) {
            for (CGameTrigger* trigger : TriggersAmong(slaves))
                trigger->SetState(Vesk::TRIGGER_STATE_SLEEPING);
        } else if (group != kKeepSlaves) {
            std::vector<const CGameTrigger*> changed;
            for (const auto& slave : slaves) {
                auto* trigger = dynamic_cast<CGameTrigger*>(slave.second);
                if (!trigger)
                    continue;
                if (slave.first == group) {
                    trigger->SetState(m_NewState);
                    changed.push_back(trigger);
                } else if (std::find(changed.begin(), changed.end(), trigger) == changed.end()) {
                    trigger->SetState(Vesk::TRIGGER_STATE_SLEEPING);
                }
            }
        }
    }
    if (++m_Sequence.m_ActivationIndex >= m_Sequence.m_ActivationLimit)
        m_Finished = true;
    m_Sequence.ApplyDelay(*this, entry);
}

} // namespace Game
