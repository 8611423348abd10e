#include "game/entities/CSpawnerTrigger.h"

namespace Game {

void CSpawnerTrigger::InitTrigger(const std::string& name, const EntitySetting& setting,
                                  const GameTriggerSetting& triggerSetting)
{
    CGameTrigger::InitTrigger(name, setting, triggerSetting);
    m_Sequence.CopyFrom(triggerSetting, triggerSetting.m_GroupSequence);
    m_AdditionalCondition = triggerSetting.m_AdditionalCondition;
    for (CEntity* slave : GetSlaveEntities())
        MakeDormantTemplate(*slave);
}

void CSpawnerTrigger::Release()
{
    m_Sequence.Clear();
    CGameTrigger::Release();
}

void CSpawnerTrigger::Fire()
{
    const std::vector<std::pair<int, CEntity*>> slaves = GetSlaveEntries();
    if (slaves.empty())
        return;
    const size_t entry = m_Sequence.CurrentEntry();
    const bool everyGroup = m_Sequence.m_GroupSequence.empty();
    for (const auto& slave : slaves) {
        if (everyGroup || slave.first == m_Sequence.m_GroupSequence[entry])
            SpawnFromTemplate(*slave.second);
    }
    if (m_Sequence.m_ActivationLimit <= ++m_Sequence.m_ActivationIndex) {
        m_Sequence.m_ActivationIndex = 0;
        SetState(Vesk::TRIGGER_STATE_SLEEPING);
    }
    m_Sequence.ApplyDelay(*this, entry);
}

} // namespace Game
