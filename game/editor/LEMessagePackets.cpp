#include "game/editor/LEMessagePackets.h"

#include "game/base/GameEnums.h"
#include "game/editor/EditorMessage.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CGameTrigger.h"
#include "game/world/CLevelManager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace Game {

const char* const kEditEntityGone = "Edit skipped: its entity no longer exists";

namespace {

bool IsTriggerType(int type) { return type >= SOUND_TRIGGER && type <= LOCATIONBASED_SPAWNER_TRIGGER; }

// "x : 1.5y : 0z : -20", numbers in the default stream format.
std::string PositionText(const CVector3D& p)
{
    std::ostringstream text;
    text << "x : " << p.x << "y : " << p.y << "z : " << p.z;
    return text.str();
}

void Retarget(EntityHandle& handle, const EntityHandle& from, const EntityHandle& to)
{
    if (!handle.IsEmpty() && handle == from)
        handle = to;
}

} // namespace

bool iLEMessagePacket::TakeReplacement(EntityHandle& from, EntityHandle& to)
{
    if (!m_HasReplacement)
        return false;
    from = m_ReplacedFrom;
    to = m_ReplacedTo;
    m_HasReplacement = false;
    return true;
}

void iLEMessagePacket::ReportReplacement(const EntityHandle& from, const EntityHandle& to)
{
    m_ReplacedFrom = from;
    m_ReplacedTo = to;
    m_HasReplacement = !from.IsEmpty();
}

// Creation

void CreateEntityMessagePacket::Execute()
{
    CEntityFactory& factory = CEntityFactory::GetInstance();
    const std::string name = factory.MakeEntityName(m_EntityType);
    CEntity* entity = nullptr;
    // Types 11 to 18 go through the game-trigger creation (only 12 to 17 are triggers).
    if (m_EntityType < 11 || m_EntityType > 18) {
        entity = factory.CreateEntity(m_EntityType, name, m_EntitySetting);
    } else {
        entity = factory.CreateGameTrigger(m_EntityType, name, m_EntitySetting, m_GameTriggerSetting);
        if (auto* trigger = dynamic_cast<CGameTrigger*>(entity))
            trigger->SetTriggerPrefabName(m_GameTriggerPrefabName);
    }
    const EntityHandle previous = m_ResultantEntity;
    m_ResultantEntity = EntityHandle(entity);
    if (!entity) {
        WriteEditorMessage("Failed to create entity. Has it been registered?");
        return;
    }
    // A redone creation makes a new entity: the edits recorded for the first one follow it.
    ReportReplacement(previous, m_ResultantEntity);
    entity->SetPrefabName(m_EntitySettingPrefabName);
    CLevelManager::GetInstance().AddRecentEntity(entity);
    WriteEditorMessage("Entity successfully created.");
}

void CreateEntityMessagePacket::Undo()
{
    if (m_ResultantEntity.IsEmpty()) {
        WriteEditorMessage("Cannot undo message: no ResultantEntity");
        return;
    }
    CEntity* entity = m_ResultantEntity.Get();
    if (!entity) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    CLevelManager::GetInstance().RemoveRecentEntity(entity);
    CEntityFactory::GetInstance().DestroyEntity(entity);
    WriteEditorMessage("Undo entity creation successful.");
}

void CreateEntityMessagePacket::RetargetEntity(const EntityHandle& from, const EntityHandle& to)
{
    Retarget(m_ResultantEntity, from, to);
}

// Deletion

void DeleteEntityMessagePacket::Execute()
{
    CEntity* entity = m_Entity.Get();
    if (!entity) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    m_Type = entity->GetType();
    m_Name = entity->GetName();
    m_Saved.Clear();
    entity->Save(m_Saved.NewRoot("entity"));
    CLevelManager& level = CLevelManager::GetInstance();
    level.AddNameToDelete(m_Name);
    level.RemoveRecentEntity(entity);
    CEntityFactory::GetInstance().DestroyEntity(entity);
    m_Deleted = true;
    WriteEditorMessage("Entity deleted: " + m_Name);
}

void DeleteEntityMessagePacket::Undo()
{
    if (!m_Deleted) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    CEntity* entity = CEntityFactory::GetInstance().CreateUninitialised(m_Type);
    if (!entity) {
        WriteEditorMessage("Cannot undo deletion: no entity of its type could be made");
        return;
    }
    entity->Load(m_Saved.GetRoot());
    m_Deleted = false;
    CLevelManager& level = CLevelManager::GetInstance();
    level.ForgetNameToDelete(m_Name);
    level.AddRecentEntity(entity);
    const EntityHandle previous = m_Entity;
    m_Entity = EntityHandle(entity);
    ReportReplacement(previous, m_Entity);
    WriteEditorMessage("Undo entity deletion successful.");
}

void DeleteEntityMessagePacket::RetargetEntity(const EntityHandle& from, const EntityHandle& to)
{
    Retarget(m_Entity, from, to);
}

// Move and turn

void MoveEntityMessagePacket::Execute() { Place(m_NewPosition, m_NewDirection, "Entity moved: Position set to "); }

void MoveEntityMessagePacket::Undo() { Place(m_OldPosition, m_OldDirection, "Undo: Position set to "); }

void MoveEntityMessagePacket::Place(const CVector3D& position, const CVector3D& direction, const char* message)
{
    if (m_Entity.IsEmpty())
        return;
    CEntity* entity = m_Entity.Get();
    if (!entity) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    entity->SetPosition(position);
    entity->SetDirection(direction);
    WriteEditorMessage(message + PositionText(position));
}

void MoveEntityMessagePacket::RetargetEntity(const EntityHandle& from, const EntityHandle& to)
{
    Retarget(m_Entity, from, to);
}

// Watcher properties

EntityPropertiesMessagePacket::EntityPropertiesMessagePacket(CEntity* entity) : m_Entity(entity)
{
    if (entity)
        m_Old = m_New = {entity->GetName(), entity->GetPosition(), entity->GetDirection()};
}

void EntityPropertiesMessagePacket::Execute() { Apply(m_New, "Entity properties set: "); }

void EntityPropertiesMessagePacket::Undo() { Apply(m_Old, "Undo: entity properties restored: "); }

void EntityPropertiesMessagePacket::Apply(const Properties& properties, const char* message)
{
    CEntity* entity = m_Entity.Get();
    if (!entity) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    if (entity->GetName() != properties.name)
        entity->SetName(properties.name);
    entity->SetPosition(properties.position);
    entity->SetDirection(properties.direction);
    WriteEditorMessage(message + properties.name);
}

void EntityPropertiesMessagePacket::RetargetEntity(const EntityHandle& from, const EntityHandle& to)
{
    Retarget(m_Entity, from, to);
}

// Link

void LinkEntityMessagePacket::Execute()
{
    if (m_FirstEntity.IsEmpty() || m_SecondEntity.IsEmpty())
        return;
    CEntity* first = m_FirstEntity.Get();
    CEntity* second = m_SecondEntity.Get();
    if (!first || !second) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    const bool firstIsTrigger = IsTriggerType(first->GetType());
    const bool secondIsTrigger = IsTriggerType(second->GetType());
    if (!firstIsTrigger && !secondIsTrigger) {
        WriteEditorMessage("Failed to link entities. Both types are units!");
        return;
    }
    if (firstIsTrigger && secondIsTrigger) {
        if (m_LinkMode == 0) {
            WriteEditorMessage("Cannot add a trigger as a triggering entity to this trigger");
            return;
        }
        if (m_LinkMode == 1) {
            CEntity* modifier = first->GetType() == TRIGGERMODIFIER_TRIGGER    ? first
                                : second->GetType() == TRIGGERMODIFIER_TRIGGER ? second
                                                                               : nullptr;
            auto* trigger = dynamic_cast<CGameTrigger*>(modifier);
            if (!trigger) {
                WriteEditorMessage("Neither Trigger is of type TRIGGERMODIFIER_TRIGGER");
                return;
            }
            CEntity* linked = modifier == first ? second : first;
            m_Trigger = EntityHandle(trigger);
            m_LinkedEntity = EntityHandle(linked);
            trigger->AddSlaveEntity(linked, int(m_SlaveGroup));
        }
        WriteEditorMessage("Triggers successfully linked");
        return;
    }
    auto* trigger = dynamic_cast<CGameTrigger*>(firstIsTrigger ? first : second);
    CEntity* linked = firstIsTrigger ? second : first;
    if (!trigger)
        return;
    m_Trigger = EntityHandle(trigger);
    m_LinkedEntity = EntityHandle(linked);
    if (m_LinkMode == 0)
        trigger->AddTriggeringEntity(linked);
    else if (m_LinkMode == 1)
        trigger->AddSlaveEntity(linked, int(m_SlaveGroup));
    WriteEditorMessage("Entity successfully linked");
}

void LinkEntityMessagePacket::Undo()
{
    if (m_Trigger.IsEmpty() || m_LinkedEntity.IsEmpty())
        return;
    auto* trigger = m_Trigger.GetAs<CGameTrigger>();
    CEntity* linked = m_LinkedEntity.Get();
    if (!trigger || !linked) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    if (m_LinkMode == 0)
        trigger->RemoveTriggeringEntity(linked, false);
    else if (m_LinkMode == 1)
        trigger->RemoveSlaveEntity(linked, false);
}

void LinkEntityMessagePacket::RetargetEntity(const EntityHandle& from, const EntityHandle& to)
{
    for (EntityHandle* handle : {&m_FirstEntity, &m_SecondEntity, &m_Trigger, &m_LinkedEntity})
        Retarget(*handle, from, to);
}

// Unlink

void UnlinkEntitiesMessagePacket::Execute()
{
    if (m_Trigger.IsEmpty()) {
        WriteEditorMessage("No entity selected");
        return;
    }
    auto* trigger = m_Trigger.GetAs<CGameTrigger>();
    if (!trigger) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    m_RemovedLinks.clear();
    if (m_Triggering) {
        for (CEntity* entity : trigger->GetTriggeringEntities())
            m_RemovedLinks.emplace_back(0u, EntityHandle(entity));
        trigger->ClearTriggeringEntities(false);
    } else {
        for (const auto& entry : trigger->GetSlaveEntries())
            if (m_SlaveGroup == kEverySlaveGroup || entry.first == m_SlaveGroup)
                m_RemovedLinks.emplace_back(uint32_t(entry.first), EntityHandle(entry.second));
        if (m_SlaveGroup == kEverySlaveGroup)
            trigger->ClearSlaveEntities(false);
        else
            trigger->RemoveSlaveGroup(m_SlaveGroup, false);
    }
    WriteEditorMessage("GameTrigger successfully unlinked connected entities");
}

void UnlinkEntitiesMessagePacket::Undo()
{
    if (m_Trigger.IsEmpty())
        return;
    auto* trigger = m_Trigger.GetAs<CGameTrigger>();
    if (!trigger) {
        WriteEditorMessage(kEditEntityGone);
        return;
    }
    // Links to entities destroyed since are left out.
    for (const auto& link : m_RemovedLinks) {
        CEntity* entity = link.second.Get();
        if (!entity)
            continue;
        if (m_Triggering)
            trigger->AddTriggeringEntity(entity);
        else
            trigger->AddSlaveEntity(entity, int(link.first));
    }
}

void UnlinkEntitiesMessagePacket::RetargetEntity(const EntityHandle& from, const EntityHandle& to)
{
    Retarget(m_Trigger, from, to);
    for (auto& link : m_RemovedLinks)
        Retarget(link.second, from, to);
}

// Terrain

void TerrainMessagePacket::Execute()
{
    m_Changed.clear();
    CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    if (!terrain) {
        WriteEditorMessage("Terrain edit skipped: no terrain is loaded");
        return;
    }
    // The cells the edit may touch: whole columns for column edits (each column once, however
    // often a layered brush lists it), else the listed blocks.
    std::vector<TerrainCell> before;
    std::vector<bool> columnSeen(m_Column ? MAX_WIDTH * MAX_DEPTH : 0);
    for (const BlockPosition& listed : m_Positions) {
        if (listed.mBlockWidth >= MAX_WIDTH || listed.mBlockDepth >= MAX_DEPTH)
            continue;
        if (m_Column) {
            const size_t column = size_t(listed.mBlockDepth) * MAX_WIDTH + listed.mBlockWidth;
            if (columnSeen[column])
                continue;
            columnSeen[column] = true;
            for (uint32_t h = 0; h < MAX_HEIGHT; ++h)
                before.push_back(terrain->GetCell(BlockPosition(listed.mBlockWidth, listed.mBlockDepth, h)));
        } else if (listed.IsInGrid()) {
            before.push_back(terrain->GetCell(listed));
        }
    }
    if (m_Adding && m_Column)
        terrain->RaiseColumns(m_Positions, m_Count, m_Colour);
    else if (m_Adding)
        terrain->AddBlocks(m_Positions, m_Colour);
    else if (m_Column)
        terrain->DigColumns(m_Positions, m_Count);
    else
        terrain->RemoveBlocks(m_Positions);
    for (const TerrainCell& cell : before)
        if (cell != terrain->GetCell(cell.position))
            m_Changed.push_back(cell);
}

void TerrainMessagePacket::Undo()
{
    CTerrain* terrain = CLevelManager::GetInstance().GetTerrain();
    if (!terrain) {
        WriteEditorMessage("Terrain edit skipped: no terrain is loaded");
        return;
    }
    terrain->RestoreCells(m_Changed);
}

// Region builders

void AppendBoxRegion(std::vector<BlockPosition>& out, const BlockPosition& lo, const BlockPosition& hi)
{
    for (uint32_t x = lo.mBlockWidth; x < hi.mBlockWidth; ++x)
        for (uint32_t y = lo.mBlockDepth; y < hi.mBlockDepth; ++y)
            for (uint32_t h = lo.mBlockHeight; h < hi.mBlockHeight; ++h)
                out.emplace_back(x, y, h);
}

namespace {

struct Range {
    int64_t lo, hi; // inclusive; empty when lo > hi
};

Range Around(int64_t centre, int64_t r, int64_t max)
{
    return {std::max<int64_t>(centre - r, 0), std::min<int64_t>(centre + r, max - 1)};
}

Range HeightRange(int64_t centre, int height, int64_t maxH)
{
    Range range;
    if (height >= 0) {
        range = {centre, centre + height - 1};
    } else {
        const int64_t depth = -int64_t(height);
        range = {centre < depth ? 0 : centre - (depth - 1), centre};
    }
    range.hi = std::min<int64_t>(range.hi, maxH - 1);
    return range;
}

template <typename Inside>
void AppendRegion(std::vector<BlockPosition>& out, const BlockPosition& c, int64_t r, int height, uint32_t maxX,
                  uint32_t maxY, uint32_t maxH, Inside inside)
{
    const Range xs = Around(c.mBlockWidth, r, maxX);
    const Range ys = Around(c.mBlockDepth, r, maxY);
    const Range hs = HeightRange(c.mBlockHeight, height, maxH);
    for (int64_t h = hs.lo; h <= hs.hi; ++h)
        for (int64_t y = ys.lo; y <= ys.hi; ++y)
            for (int64_t x = xs.lo; x <= xs.hi; ++x)
                if (inside(std::llabs(int64_t(c.mBlockWidth) - x), std::llabs(int64_t(c.mBlockDepth) - y),
                           std::llabs(int64_t(c.mBlockHeight) - h)))
                    out.emplace_back(uint32_t(x), uint32_t(y), uint32_t(h));
}

} // namespace

void AppendDiamondRegion(std::vector<BlockPosition>& out, const BlockPosition& centre, uint32_t side, int height,
                         uint32_t maxX, uint32_t maxY, uint32_t maxH)
{
    if (side == 0 || height == 0)
        return;
    const int64_t r = int64_t(side) - 1;
    AppendRegion(out, centre, r, height, maxX, maxY, maxH,
                 [r](int64_t dx, int64_t dy, int64_t dh) { return dx + dy + dh <= r; });
}

void AppendCircleRegion(std::vector<BlockPosition>& out, const BlockPosition& centre, uint32_t radius, int height,
                        uint32_t maxX, uint32_t maxY, uint32_t maxH)
{
    if (height == 0)
        return;
    const int64_t r = radius;
    AppendRegion(out, centre, r, height, maxX, maxY, maxH, [r](int64_t dx, int64_t dy, int64_t dh) {
        return r >= int64_t(std::floor(std::sqrt(float(dx * dx + dy * dy + dh * dh))));
    });
}

} // namespace Game
