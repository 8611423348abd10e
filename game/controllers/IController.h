// IController: drives one entity each frame. The controlled entity is held by handle, so a
// controller never reaches an entity that is gone; CCharacterController is the base of the
// controllers that own a character and hear about its hits, stuns and death.
#pragma once

#include "game/controllers/PrefabRecords.h"
#include "game/entities/EntityHandle.h"

namespace Game {

class CCharacter;
class CEntity;

class IController {
public:
    virtual ~IController() = default;

    // Binds the controller to the entity named by the setting's owner and takes its senses.
    virtual void Attach(const ControllerSetting& setting) { m_Owner = setting.m_Owner; }
    virtual void Update(float dt) { (void)dt; }
    virtual int GetControllerType() const = 0;

    CEntity* GetOwner() const { return m_Owner.Get(); }

    // Only enabled controllers are updated.
    bool m_Enabled = true;

protected:
    EntityHandle m_Owner;
};

class CCharacterController : public IController {
public:
    void Attach(const ControllerSetting& setting) override
    {
        IController::Attach(setting);
        m_Setting = setting;
    }

    virtual void OnHit(const int& damage) { (void)damage; }
    virtual void OnDying() {}
    virtual void OnAttackLanded(CCharacter* target, int attack)
    {
        (void)target;
        (void)attack;
    }
    virtual void OnStunned(float seconds) { (void)seconds; }

    // The entity to act against; null is ignored.
    void SetTarget(CEntity* target);
    CEntity* GetTarget() const { return m_Target.Get(); }
    const ControllerSetting& GetSetting() const { return m_Setting; }

protected:
    ControllerSetting m_Setting;
    EntityHandle m_Target;
};

} // namespace Game
