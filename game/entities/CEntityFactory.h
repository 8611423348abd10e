// CEntityFactory: makes, finds and destroys every entity. It keeps one creator record per entity
// type (filled by type registration), the live entities by name (names may repeat), a queue of
// entities to destroy after the frame's updates and a creation counter per type for default
// names.
//
// References to entities: nothing outside an entity keeps a raw CEntity* past the call it got it
// in. Attacks, controllers, triggers, pickups, shared controllers, GUI lists and editor packets
// hold an EntityHandle. Every entity object gets a serial number here when it is constructed
// (serials are never reused) and gives it back when destructed; a handle resolves its serial
// through ResolveSerial, so after the entity is destroyed - at once, after the frame or by Clear -
// every handle to it yields null. Links that must act on both sides (a trigger and the entities
// it watches) are held by handle on both sides and unlinked by whichever side is released first.
#pragma once

#include "core/CSingleton.h"
#include "game/base/CreatorRecord.h"
#include "game/controllers/PrefabRecords.h"
#include "game/entities/EntityHandle.h"

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

namespace Game {

class CEntity;

using EntityCreatorRecord = CreatorRecord<CEntity>;

class CEntityFactory : public Vesk::CSingleton<CEntityFactory> {
public:
    // The pools go with their pages; live entities are not destructed (call Shutdown first).
    ~CEntityFactory() override;

    // Resets the scene graph and zeroes the 18 creation counters.
    bool Init() override;
    // Clear, then the counters are emptied; creators stay registered.
    void Shutdown() override;
    // Destroys every entity of every registered type at once and empties the live list and the
    // pending queue.
    void Clear();

    // An id already present keeps its first record.
    void RegisterCreator(int type, EntityCreatorRecord::Create create, EntityCreatorRecord::Destroy destroy,
                         EntityCreatorRecord::PoolAction releaseAll, EntityCreatorRecord::PoolAction deletePool);

    // The type's name followed by its creation counter ("GENERIC_DOODADS0").
    std::string MakeEntityName(int type) const;
    // A new entity of the type, named (a default name when empty) and initialised from the
    // record; null when the type has no creator or its pool gives no object.
    CEntity* CreateEntity(int type, const std::string& name, const EntitySetting& setting);
    // As CreateEntity for the game-trigger types, initialised through InitTrigger; null when the
    // type's class is no game trigger.
    CEntity* CreateGameTrigger(int type, const std::string& name, const EntitySetting& setting,
                               const GameTriggerSetting& triggerSetting);
    // A new entity without name or Init (for Load); the counter still rises.
    CEntity* CreateUninitialised(int type);
    // A new entity from the source's prefab (and named after it) at its position and direction;
    // null for collision
    // boxes, camera waypoints and game triggers (types 9 to 17).
    CEntity* CloneEntity(const CEntity& source);

    void AddEntity(CEntity* entity);
    void RemoveEntity(CEntity* entity);
    void RenameEntity(CEntity* entity, const std::string& newName);

    CEntity* GetEntityByName(const std::string& name) const;
    std::vector<CEntity*> FindByName(const std::string& name) const;
    std::vector<CEntity*> FindByType(int type) const;
    // The live "player" entities driven by player one that are neither dying nor dead.
    std::vector<CEntity*> FindPlayer() const;
    const std::multimap<std::string, CEntity*>& GetLiveEntities() const { return m_LiveEntities; }

    // Update of every live entity in list order; entities queue their own destruction.
    void UpdateAll(float dt);
    void QueueDestroy(CEntity* entity);
    // Destroys the queued entities, front first; one queued twice, or destroyed meanwhile, is
    // destroyed once.
    void ProcessPendingDestroys();
    // At once; null and unregistered types are ignored.
    void DestroyEntity(CEntity* entity);

    int GetCreationCount(int type) const;

    // The serial table behind EntityHandle (see above).
    uint64_t RegisterObject(CEntity* entity);
    void UnregisterObject(uint64_t serial);
    CEntity* ResolveSerial(uint64_t serial) const;

private:
    CEntity* CreateObject(int type);
    void CountCreation(int type);

    std::map<int, EntityCreatorRecord> m_Creators;
    // The live-list entry of the entity; end() when it has none.
    std::multimap<std::string, CEntity*>::iterator FindLive(CEntity* entity);
    // Adding to and removing from the live list, which keeps the index of the entries named
    // "player" beside it.
    void Enlist(const std::string& name, CEntity* entity);
    void Delist(std::multimap<std::string, CEntity*>::iterator entry);

    std::multimap<std::string, CEntity*> m_LiveEntities;
    // The live entities named "player" in live-list order, so that enemies find the player
    // every frame without searching the whole list by name.
    std::vector<CEntity*> m_Players;
    std::deque<EntityHandle> m_PendingDestroys;
    std::vector<int> m_CreationCounters;
    std::unordered_map<uint64_t, CEntity*> m_Objects;
    uint64_t m_NextSerial = 1;
};

} // namespace Game
