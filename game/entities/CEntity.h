// CEntity: the base of every object placed in a level. It ties a name to a pair of scene nodes
// ("<name>_Trans" under the scene root, "<name>_Geom" drawing the mesh), a rigid body, an
// optional controller and the trigger links, and saves and loads itself as one XML element.
// Entities are made, kept and destroyed by CEntityFactory, which also gives each its serial
// number for EntityHandle; the entity owns its nodes, body, animation controller and controller.
#pragma once

#include "game/controllers/PrefabRecords.h"
#include "game/entities/EntityHandle.h"
#include "game/entities/ISerializer.h"
#include "math/AABB.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vesk {
class CGeomNode;
class CRigidBody;
class CTransformNode;
class IAnimationController;
} // namespace Vesk

namespace Game {

class CGameTrigger;
class IController;

enum LifeState : int {
    LIFE_ALIVE = 1,
    LIFE_DYING = 2,
    LIFE_DEAD = 3,
};

class CEntity : public ISerializer {
public:
    CEntity();
    ~CEntity() override;
    CEntity(const CEntity&) = delete;
    CEntity& operator=(const CEntity&) = delete;

    // Attributes in this order: name, type, entitysettingprefabname, posX..Z, dirX..Z ("%g").
    void Save(Vesk::CXmlElement element) override;
    // Reads the attributes Save writes (prefab record by type and name, position, direction)
    // and calls Init.
    void Load(Vesk::CXmlElement element) override;

    // Builds nodes, body, mesh and controller from the record and enters the live list; anything
    // left from an earlier Init is released first.
    virtual void Init(const std::string& name, const EntitySetting& setting);
    // Undoes Init: nodes, body and controller go, every trigger link is dropped on both sides
    // and the entity leaves the live list. Safe to call twice.
    virtual void Release();
    virtual void SyncPositionFromBody();
    // Places the transform node from the body, pushed back along the hit direction while the hit
    // strength decays.
    virtual void UpdatePhysics(float dt);
    // Hides and queues for destruction an entity whose shatter has ended, then syncs and places.
    virtual void Update(float dt);
    virtual int GetType() const { return GENERIC_ENT; }

    void SetPosition(const CVector3D& position);
    const CVector3D& GetPosition() const { return m_Position; }
    void SetDirection(const CVector3D& direction);
    const CVector3D& GetDirection() const { return m_Direction; }
    // Turns to face the point in the ground plane; false, facing kept, when the point lies
    // straight above or below.
    bool FaceTowards(const CVector3D& point);
    void SetLinearVelocity(const CVector3D& velocity);
    void GetLinearVelocity(CVector3D& out) const;
    void SetVisible(bool visible);
    bool IsVisible() const;
    // The body's world box; without a body a box centred on the position whose sizes are half
    // the dimensions.
    void GetBoundingBox(CAABB& out) const;
    // The normalised direction with y replaced by 0.4, and the strength.
    void SetHitDirection(float x, float y, float z, float strength);
    void SetHitDirection(const CVector3D& direction, float strength)
    {
        SetHitDirection(direction.x, direction.y, direction.z, strength);
    }
    const CVector3D& GetHitDirection() const { return m_HitDirection; }
    float GetHitStrength() const { return m_HitStrength; }
    void ShatterSubmesh(const std::string& submesh);
    // Shatters the whole model and, unless this is a pickup, drops pickups here.
    void ShatterAndDrop();

    // Re-keys the entity in the factory's live list.
    void SetName(const std::string& name);
    const std::string& GetName() const { return m_Name; }
    std::string GetPrefabName() const { return m_PrefabName; }
    // The prefab a clone of this entity is made from (see CEntityFactory::CloneEntity).
    void SetPrefabName(const std::string& name) { m_PrefabName = name; }
    std::vector<std::string> GetSubmeshNames() const;
    const CVector3D& GetDimensions() const { return m_Dimensions; }

    // Two-way links with the triggers that hold this entity as a triggering or slave entity.
    void AddTriggerLink(CGameTrigger* trigger);
    // Drops the first link to the trigger; unless silent the trigger first drops this entity too.
    void RemoveTriggerLink(CGameTrigger* trigger, bool silent);
    void ClearTriggerLinks(bool silent);
    // The linked triggers that still live.
    std::vector<CGameTrigger*> GetTriggerLinks() const;

    IController* GetController() const { return m_pController; }
    // False while the entity's controller is switched off; true without a controller.
    bool IsControllerEnabled() const;
    // Lets go of the controller when it is this entity's (the controller manager released it).
    void DropController(const IController* controller)
    {
        if (m_pController == controller)
            m_pController = nullptr;
    }
    Vesk::CRigidBody* GetBody() const { return m_pBody; }
    Vesk::CTransformNode* GetTransformNode() const { return m_pTransformNode; }
    Vesk::CGeomNode* GetGeomNode() const { return m_pGeomNode; }
    Vesk::IAnimationController* GetAnimationController() const { return m_pAnimationController; }
    uint64_t GetSerial() const { return m_Serial; }

    // Made while the game runs (spawned enemies, dropped pickups): never saved with the level.
    void SetTransient(bool transient) { m_Transient = transient; }
    bool IsTransient() const { return m_Transient; }

    // Coins CItemDrop drops at the entity; the same field tells hits how heavy the entity is: 3
    // for every entity unless its controller says otherwise (the boar: 6), and hits push
    // entities above 3 less far.
    int m_CoinCount = 3;
    // LIFE_ALIVE, LIFE_DYING or LIFE_DEAD, written by the entity kinds.
    int m_LifeState = LIFE_ALIVE;

protected:
    // Called by Init once the body exists and before the controller attaches, so that what the
    // controller sets on the body stands.
    virtual void PrepareBody() {}
    // "<name>_Trans" under the scene root holding "<name>_Geom" with the record's mesh, drawn in
    // the early pass, and the mesh's animation controller.
    void CreateNodes(const EntitySetting& setting);
    void ReleaseNodes();
    void ReleaseBody();

    std::string m_Name;
    Vesk::CRigidBody* m_pBody = nullptr;
    CVector3D m_Position;
    Vesk::CTransformNode* m_pTransformNode = nullptr;
    Vesk::CGeomNode* m_pGeomNode = nullptr;
    Vesk::IAnimationController* m_pAnimationController = nullptr;
    CVector3D m_Dimensions;
    CVector3D m_Direction{0.0f, 0.0f, -1.0f};
    IController* m_pController = nullptr;
    std::string m_PrefabName;
    CVector3D m_HitDirection;
    float m_HitStrength = 0.0f;
    std::vector<EntityHandle> m_TriggerLinks;

private:
    void CreateBody(const EntitySetting& setting);
    void CreateController(const EntitySetting& setting);

    uint64_t m_Serial;
    // The scene tree the nodes were added to; a newer tree means they were deleted with the old.
    unsigned m_NodeTreeGeneration = 0;
    bool m_NodesInTree = false;
    bool m_Transient = false;
};

// Entity types saved as "entity" elements (below 8); the others are "spatial" elements.
bool IsEntityElementType(int type);
// The game-trigger types, 12 to 17.
bool IsTriggerEntityType(int type);

} // namespace Game
