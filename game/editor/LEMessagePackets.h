// The undoable edits of the level editor. Each packet performs one edit (Execute) and reverses it
// (Undo), reporting on the editor's message line. Packets refer to entities by checked handles:
// an edit whose entity is gone reports so and changes nothing. Entities that a packet makes anew
// (a redone creation, an undone deletion) get new serials; the packet reports the replacement so
// that the history can point the other packets at the new entity.
#pragma once

#include "game/controllers/PrefabRecords.h"
#include "game/entities/EntityHandle.h"
#include "game/terrain/CTerrain.h"

#include "core/CXmlDocument.h"
#include "math/Vector3D.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace Game {

class CEntity;

// The message written when a packet's entity no longer exists.
extern const char* const kEditEntityGone;

class iLEMessagePacket {
public:
    virtual ~iLEMessagePacket() = default;
    virtual void Execute() = 0;
    virtual void Undo() = 0;

    // Points every reference to the entity `from` at `to`.
    virtual void RetargetEntity(const EntityHandle& from, const EntityHandle& to) { (void)from, (void)to; }
    // The entity this packet's last Execute or Undo replaced, and its replacement; emptied by the call.
    bool TakeReplacement(EntityHandle& from, EntityHandle& to);

protected:
    void ReportReplacement(const EntityHandle& from, const EntityHandle& to);

private:
    EntityHandle m_ReplacedFrom, m_ReplacedTo;
    bool m_HasReplacement = false;
};

class CreateEntityMessagePacket : public iLEMessagePacket {
public:
    void Execute() override;
    void Undo() override;
    void RetargetEntity(const EntityHandle& from, const EntityHandle& to) override;

    int m_EntityType = 0;
    EntitySetting m_EntitySetting;
    GameTriggerSetting m_GameTriggerSetting;
    std::string m_EntitySettingPrefabName;
    std::string m_GameTriggerPrefabName;
    EntityHandle m_ResultantEntity;
};

// Destroys an entity; Undo makes it again from the element it was saved into.
class DeleteEntityMessagePacket : public iLEMessagePacket {
public:
    explicit DeleteEntityMessagePacket(CEntity* entity) : m_Entity(entity) {}
    void Execute() override;
    void Undo() override;
    void RetargetEntity(const EntityHandle& from, const EntityHandle& to) override;

    EntityHandle m_Entity;

private:
    Vesk::CXmlDocument m_Saved;
    int m_Type = 0;
    std::string m_Name;
    bool m_Deleted = false;
};

// A move or a turn: position and direction before and after.
class MoveEntityMessagePacket : public iLEMessagePacket {
public:
    void Execute() override;
    void Undo() override;
    void RetargetEntity(const EntityHandle& from, const EntityHandle& to) override;

    EntityHandle m_Entity;
    CVector3D m_OldPosition, m_NewPosition;
    CVector3D m_OldDirection, m_NewDirection;

private:
    void Place(const CVector3D& position, const CVector3D& direction, const char* message);
};

// An edit of the entity watcher's fields: name, position and direction before and after.
class EntityPropertiesMessagePacket : public iLEMessagePacket {
public:
    struct Properties {
        std::string name;
        CVector3D position;
        CVector3D direction;
    };

    // Both records start as the entity is now; the caller changes the new one.
    explicit EntityPropertiesMessagePacket(CEntity* entity);
    void Execute() override;
    void Undo() override;
    void RetargetEntity(const EntityHandle& from, const EntityHandle& to) override;

    EntityHandle m_Entity;
    Properties m_Old, m_New;

private:
    void Apply(const Properties& properties, const char* message);
};

class LinkEntityMessagePacket : public iLEMessagePacket {
public:
    void Execute() override;
    void Undo() override;
    void RetargetEntity(const EntityHandle& from, const EntityHandle& to) override;

    EntityHandle m_FirstEntity;
    EntityHandle m_SecondEntity;
    EntityHandle m_Trigger;
    EntityHandle m_LinkedEntity;
    uint32_t m_LinkMode = 0; // 0 triggering entity, 1 slave
    uint32_t m_SlaveGroup = 0;
};

class UnlinkEntitiesMessagePacket : public iLEMessagePacket {
public:
    static constexpr int kEverySlaveGroup = 99;

    void Execute() override;
    void Undo() override;
    void RetargetEntity(const EntityHandle& from, const EntityHandle& to) override;

    EntityHandle m_Trigger;
    std::vector<std::pair<uint32_t, EntityHandle>> m_RemovedLinks;
    bool m_Triggering = false;
    int m_SlaveGroup = kEverySlaveGroup;
};

// A terrain edit. Execute records every cell it changed as it was, and Undo puts exactly those
// cells back (occupancy and colour).
class TerrainMessagePacket : public iLEMessagePacket {
public:
    void Execute() override;
    void Undo() override;

    std::vector<BlockPosition> m_Positions;
    CVector3D m_Colour{255.0f, 255.0f, 255.0f}; // 0 to 255
    bool m_Adding = true;
    bool m_Column = false;
    uint32_t m_Count = 1;

    const std::vector<TerrainCell>& GetChangedCells() const { return m_Changed; }

private:
    std::vector<TerrainCell> m_Changed;
};

// Region builders for terrain packets; positions are appended to out. A position's fields are
// (width x, depth y, height h).
void AppendBoxRegion(std::vector<BlockPosition>& out, const BlockPosition& lo, const BlockPosition& hi);
void AppendDiamondRegion(std::vector<BlockPosition>& out, const BlockPosition& centre, uint32_t side, int height,
                         uint32_t maxX, uint32_t maxY, uint32_t maxH);
void AppendCircleRegion(std::vector<BlockPosition>& out, const BlockPosition& centre, uint32_t radius, int height,
                        uint32_t maxX, uint32_t maxY, uint32_t maxH);

} // namespace Game
