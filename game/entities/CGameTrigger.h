// CGameTrigger: the base of the trigger entities. It keeps its prefab record and the entities it
// watches (triggering entities) and drives (slave entities, by group). Both kinds of link are
// two-way: the entity keeps a link back, and whichever side is released first unlinks the other,
// so neither ever reaches a destroyed partner.
#pragma once

#include "game/entities/CEntity.h"

#include <vector>

namespace Game {

class CGameTrigger : public CEntity {
public:
    ~CGameTrigger() override;

    // Keeps the trigger record (without its entity lists) and initialises the entity.
    virtual void InitTrigger(const std::string& name, const EntitySetting& setting,
                             const GameTriggerSetting& triggerSetting);
    void Release() override;

    // Each links both ways; null, or an entity already held in that role, is ignored.
    void AddTriggeringEntity(CEntity* entity);
    void AddSlaveEntity(int group, CEntity* entity);
    // Unless silent, the entity drops its link to this trigger too.
    void RemoveTriggeringEntity(CEntity* entity, bool silent);
    void RemoveSlaveEntity(CEntity* entity, bool silent);

    // The held entities that still live, in the order they were added (slaves by group).
    std::vector<CEntity*> GetTriggeringEntities() const;
    std::vector<CEntity*> GetSlaveEntities() const;
    const GameTriggerSetting& GetTriggerSetting() const { return m_TriggerSetting; }

protected:
    GameTriggerSetting m_TriggerSetting;

private:
    // Every held entity drops its link back; the lists are emptied.
    void UnlinkAll();
};

} // namespace Game
