#include "game/entities/CLocationBasedSpawnerTrigger.h"

#include "core/Log.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/SpawnerCore.h"
#include "math/Random.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Game {

void CLocationBasedSpawnerTrigger::InitTrigger(const std::string& name, const EntitySetting& setting,
                                               const GameTriggerSetting& triggerSetting)
{
    CGameTrigger::InitTrigger(name, setting, triggerSetting);
    m_AdditionalCondition = triggerSetting.m_AdditionalCondition;
    m_WaveLocations.clear();
    for (CEntity* location : CEntityFactory::GetInstance().FindByType(WAVELOCATION))
        m_WaveLocations.emplace_back(location);
    m_SpawnQueue.clear();
    for (CEntity* slave : GetSlaveEntities())
        MakeDormantTemplate(*slave);
}

void CLocationBasedSpawnerTrigger::Release()
{
    m_WaveLocations.clear();
    m_SpawnQueue.clear();
    CGameTrigger::Release();
}

bool CLocationBasedSpawnerTrigger::CheckCondition() { return AdditionalConditionHolds(m_AdditionalCondition); }

void CLocationBasedSpawnerTrigger::SetFireModeFor(const SpawnGroupRecord& record)
{
    if (record.m_Interval != 0.0f)
        SetFireMode(Vesk::TRIGGER_DELAY_FIRE, record.m_Interval);
    else
        SetFireMode(Vesk::TRIGGER_IMMEDIATE_FIRE, 0.0f);
}

void CLocationBasedSpawnerTrigger::AddSpawnGroup(const SpawnGroupRecord& record)
{
    if (!record.m_Template.Get() || record.m_Count < 1) {
        Vesk::LogLine("CLocationBasedSpawnerTrigger: \"" + m_Name + "\" refuses a spawn group " +
                      (record.m_Template.Get() ? "of count " + std::to_string(record.m_Count) : "without a template"));
        return;
    }
    if (m_SpawnQueue.empty())
        SetFireModeFor(record);
    m_SpawnQueue.push_back(record);
}

int CLocationBasedSpawnerTrigger::GetRemainingSpawnCount() const
{
    int64_t remaining = 0;
    for (const SpawnGroupRecord& record : m_SpawnQueue)
        remaining += record.m_Count;
    return static_cast<int>(std::min<int64_t>(remaining, std::numeric_limits<int>::max()));
}

std::vector<CEntity*> CLocationBasedSpawnerTrigger::GetWaveLocations() const
{
    std::vector<CEntity*> locations;
    for (const EntityHandle& handle : m_WaveLocations) {
        if (CEntity* location = handle.Get())
            locations.push_back(location);
    }
    return locations;
}

void CLocationBasedSpawnerTrigger::Fire()
{
    if (m_SpawnQueue.empty()) {
        // Woken with nothing left to spawn: back to sleep, or it would keep its waker waiting.
        SetState(Vesk::TRIGGER_STATE_SLEEPING);
        return;
    }
    SpawnGroupRecord& front = m_SpawnQueue.front();
    --front.m_Count;
    if (const CEntity* source = front.m_Template.Get()) {
        if (CEntity* clone = SpawnFromTemplate(*source))
            PlaceNearWaveLocation(*clone);
    }
    if (front.m_Count <= 0) {
        m_SpawnQueue.pop_front();
        if (!m_SpawnQueue.empty())
            SetFireModeFor(m_SpawnQueue.front());
        else
            SetState(Vesk::TRIGGER_STATE_SLEEPING);
    }
}

void CLocationBasedSpawnerTrigger::PlaceNearWaveLocation(CEntity& clone) const
{
    const std::vector<CEntity*> locations = GetWaveLocations();
    if (locations.empty())
        return;
    const CEntity& location = *locations[static_cast<size_t>(Random15()) % locations.size()];
    const float dx = RandomRange(-kSpread, kSpread);
    const float dz = RandomRange(-kSpread, kSpread);
    const CVector3D& at = location.GetPosition();
    clone.SetPosition(
        CVector3D(at.x + dx, at.y + clone.GetDimensions().y * 0.55f - location.GetDimensions().y * 0.5f, at.z + dz));
    if (dx != 0.0f || dz != 0.0f)
        clone.SetDirection(CVector3D(dx, 0.0f, dz).GetNormalized());
}

} // namespace Game
