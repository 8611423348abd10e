// IController: drives one entity each frame. The controlled entity is held by handle, so a
// controller never reaches an entity that is gone. CCharacterController is the base of the
// controllers that drive a character: target, the hooks the character calls on hits, stuns,
// death and landed attacks, and the spawn state every enemy rises out of the ground with (it owns
// the spawn marker sprite while that state runs).
#pragma once

#include "game/controllers/PrefabRecords.h"
#include "game/entities/EntityHandle.h"
#include "math/Vector3D.h"

namespace Game {

class CCharacter;
class CEntity;
class CSprite3D;

class IController {
public:
    virtual ~IController() = default;

    // Binds the controller to the entity named by the setting's owner.
    virtual void Attach(const ControllerSetting& setting) { m_Owner = setting.m_Owner; }
    // Lets go of the entity.
    virtual void Detach() { m_Owner.Reset(); }
    virtual void Update(float dt) { (void)dt; }
    virtual int GetControllerType() const = 0;

    // The controlled entity while it lives, else null.
    CEntity* GetOwnerEntity() const { return m_Owner.Get(); }

    // Only enabled controllers are updated.
    bool m_Enabled = true;

protected:
    EntityHandle m_Owner;
};

enum TargetKind : int {
    TARGET_NONE = 0,
    TARGET_ENTITY = 1,
    TARGET_POINT = 2,
};

class CCharacterController : public IController {
public:
    static constexpr float kSpawnDepth = 10.0f;
    static constexpr float kDefaultSpawnDuration = 1.0f;
    // The rise ends this long before the spawn state does.
    static constexpr float kSpawnSettle = 0.2f;

    // Removes the spawn marker when one is left.
    ~CCharacterController() override;

    // Takes the owner (null when the entity is no character) and the setting; resets the spawn
    // timer, the target entity and the spawn marker.
    void Attach(const ControllerSetting& setting) override;
    // Owner and target entity let go, spawn marker removed; the target kind stays.
    void Detach() override;
    // The owner while it lives, else null.
    virtual CCharacter* GetOwner() const;

    virtual void OnHit(const int& damage) { (void)damage; }
    virtual void OnDying() {}
    virtual void OnAttackLanded(CCharacter* target, const int& damage)
    {
        (void)target;
        (void)damage;
    }
    virtual void OnStunned(float seconds) { (void)seconds; }
    // The attack flock lets the owner's due attack go ahead (it has cleared the attacking flag).
    virtual void OnFlockLaunch() {}

    // A null entity is ignored.
    void SetTarget(CEntity* target);
    void SetTargetPosition(const CVector3D& point);
    void ClearTarget();
    // The target entity while it lives, else null.
    CEntity* GetTarget() const { return m_Target.Get(); }
    const CVector3D& GetTargetPosition() const { return m_TargetPosition; }
    int GetTargetKind() const { return m_TargetKind; }
    const ControllerSetting& GetSetting() const { return m_Setting; }

    // The spawn state's callbacks: the owner rises from kSpawnDepth below its position under the
    // "spawningmesh" marker, weightless and untouchable, over the spawn duration less kSpawnSettle.
    void SpawnEnter();
    void SpawnUpdate(float dt);
    void SpawnExit();
    // True once the spawn timer is past the spawn duration.
    bool IsSpawnFinished();

    float GetSpawnTimer() const { return m_SpawnTimer; }
    float GetSpawnDuration() const { return m_SpawnDuration; }
    void SetSpawnDuration(float seconds) { m_SpawnDuration = seconds; }
    const CVector3D& GetSpawnStart() const { return m_SpawnStart; }
    const CVector3D& GetSpawnEnd() const { return m_SpawnEnd; }
    CSprite3D* GetSpawnMesh() const { return m_pSpawnMesh; }

protected:
    void RemoveSpawnMesh();

    ControllerSetting m_Setting;
    EntityHandle m_Target;
    CVector3D m_TargetPosition;
    int m_TargetKind = TARGET_NONE;
    float m_SpawnTimer = 0.0f;
    float m_SpawnDuration = kDefaultSpawnDuration;
    CVector3D m_SpawnStart;
    CVector3D m_SpawnEnd;
    CSprite3D* m_pSpawnMesh = nullptr;
};

} // namespace Game
