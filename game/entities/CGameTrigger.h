// CGameTrigger: an invisible box in the level that is at once an entity and an engine trigger. It
// watches its triggering entities (each frame's touch of its box becomes an event: nocollide,
// onenter, inside, onexit), holds slave entities by spawn group, answers its collision and entity
// conditions for the trigger kinds, and saves and loads itself with its link lists.
// Every link is two-way and held by handle on both sides: whichever side is released first unlinks
// the other, and a triggering entity's pair callback goes with its link.
#pragma once

#include "game/entities/CEntity.h"
#include "triggers/CTrigger.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace Game {

class CGameTrigger : public CEntity, public Vesk::CTrigger {
public:
    ~CGameTrigger() override;

    // Attributes: name, type, gametriggerprefabname, posX..Z, dimX..Z, triggeringentnames (when
    // there are triggering entities), slaveentnames0..4.
    void Save(Vesk::CXmlElement element) override;
    // Reads the attributes Save writes, resolves every live entity of each listed name and calls
    // InitTrigger.
    void Load(Vesk::CXmlElement element) override;
    // A trigger made as a plain entity: InitTrigger with the default trigger record.
    void Init(const std::string& name, const EntitySetting& setting) override;
    void Release() override;
    // Turns this frame's touches into events, then the entity update.
    void Update(float dt) override;

    // Timing, box body (no contact response, every group), conditions, the record's links, the
    // players when the record asks for them; then the trigger joins the live list.
    virtual void InitTrigger(const std::string& name, const EntitySetting& setting,
                             const GameTriggerSetting& triggerSetting);
    using Vesk::CTrigger::InitTiming;
    // Timing from the trigger record: start state, fire and after-fire modes, bypass, delays.
    void InitTiming(const GameTriggerSetting& setting);
    // The delay and group sequences of a trigger modifier (filled by the wave manager).
    virtual void SetSecondSequence(const std::vector<float>& sequence) { (void)sequence; }
    virtual void SetFirstSequence(const std::vector<int>& sequence) { (void)sequence; }
    virtual void AppendToSecondSequence(float value) { (void)value; }
    virtual void AppendToFirstSequence(int value) { (void)value; }

    // Links both ways and watches the entity's touches; null, or an entity already held, is ignored.
    void AddTriggeringEntity(CEntity* entity);
    // Unless silent the entity drops its link back.
    void RemoveTriggeringEntity(CEntity* entity, bool silent);
    void ClearTriggeringEntities(bool silent);
    // Every live entity of the name, linked both ways like AddTriggeringEntity.
    void AddTriggeringEntitiesByName(const std::string& name);
    // Links both ways; the same entity may serve several groups, each once.
    void AddSlaveEntity(CEntity* entity, int group);
    // The first entry holding the entity; unless silent the entity drops its link back.
    void RemoveSlaveEntity(CEntity* entity, bool silent);
    void RemoveSlaveGroup(int group, bool silent);
    void ClearSlaveEntities(bool silent);
    // Moves the timing part to the manager's second list (the wave manager's triggers).
    void AddToTimingManager();

    // This frame's event of the entity; nocollide when it is not a triggering entity.
    int GetEvent(const CEntity* entity) const;
    bool HasEntityWithEvent(int event) const;
    bool CheckCollisionStatus(int status) const;
    bool CheckEntityCondition() const;

    // The held entities that still live: triggering ones in order, slaves in group order.
    std::vector<CEntity*> GetTriggeringEntities() const;
    std::vector<CEntity*> GetSlaveEntities() const;
    std::vector<std::pair<int, CEntity*>> GetSlaveEntries() const;

    int GetCollisionStatusCondition() const { return m_CollisionStatusCondition; }
    int GetEntityCountCondition() const { return m_EntityCountCondition; }
    bool GetPlayersAsTriggeringEntities() const { return m_PlayersAsTriggeringEnts; }
    void SetTriggerPrefabName(const std::string& name) { m_TriggerPrefabName = name; }
    const std::string& GetTriggerPrefabName() const { return m_TriggerPrefabName; }

    // Called from the physics system's pair callback: the entity touches the box this frame.
    void MarkContact(const CEntity* entity);

private:
    // Bit 0: touched this frame; bit 1: touched last frame.
    struct Contact {
        uint8_t m_Bits = 0;
        int m_Event = COLLISION_NOCOLLIDE;
    };

    void WatchEntity(CEntity* entity);
    void UnwatchEntity(CEntity* entity);
    bool IsSkippedPlayer(const CEntity* entity) const;

    int m_CollisionStatusCondition = COLLISION_ONENTER;
    int m_EntityCountCondition = IGNORE_ENT;
    bool m_PlayersAsTriggeringEnts = false;
    std::vector<EntityHandle> m_TriggeringEntities;
    std::multimap<int, EntityHandle> m_SlaveEntities;
    // Per triggering entity's serial.
    std::map<uint64_t, Contact> m_Contacts;
    std::string m_TriggerPrefabName;
};

} // namespace Game
