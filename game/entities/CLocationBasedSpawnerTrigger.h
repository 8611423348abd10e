// CLocationBasedSpawnerTrigger: a game trigger that spawns queued enemies at random wave locations.
// The wave manager queues spawn records (a template, how many, at what interval); each fire clones
// the front record's template near a randomly picked wave location of the level, the fire delay
// follows the front record's interval, and the trigger sleeps when its queue runs empty (also when
// woken with an empty queue).
#pragma once

#include "game/entities/CGameTrigger.h"

#include <deque>

namespace Game {

struct SpawnGroupRecord {
    SpawnGroupRecord() = default;
    SpawnGroupRecord(const CEntity* templateEntity, int count, float interval)
        : m_Template(templateEntity), m_Count(count), m_Interval(interval)
    {
    }

    EntityHandle m_Template;
    int m_Count = 0;
    // Seconds between two spawns; 0 spawns on consecutive frames.
    float m_Interval = 0.0f;
};

class CLocationBasedSpawnerTrigger : public CGameTrigger {
public:
    // Clones land within this distance of their wave location on x and z.
    static constexpr float kSpread = 20.0f;

    int GetType() const override { return LOCATIONBASED_SPAWNER_TRIGGER; }
    // Also collects the level's live wave locations and turns the slaves into dormant templates.
    void InitTrigger(const std::string& name, const EntitySetting& setting,
                     const GameTriggerSetting& triggerSetting) override;
    void Release() override;
    bool CheckCondition() override;
    void Fire() override;

    // Queues the record; the first of an empty queue sets the fire mode from its interval. A record
    // without a live template or with a count below 1 would never finish and is refused.
    void AddSpawnGroup(const SpawnGroupRecord& record);
    // The counts still queued, summed wide and held at the int maximum.
    int GetRemainingSpawnCount() const;
    std::vector<CEntity*> GetWaveLocations() const;

private:
    void SetFireModeFor(const SpawnGroupRecord& record);
    void PlaceNearWaveLocation(CEntity& clone) const;

    int m_AdditionalCondition = NO_ADDITIONAL_COND;
    std::vector<EntityHandle> m_WaveLocations;
    std::deque<SpawnGroupRecord> m_SpawnQueue;
};

} // namespace Game
