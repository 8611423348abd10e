#include "game/entities/CDestructible.h"

#include "audio/CAudioSystem.h"
#include "game/entities/CNonCollidableDestructible.h"
#include "math/GameMath.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"

#include <algorithm>
#include <limits>

namespace Game {

CDestructible::CDestructible() : m_HitCooldown(std::numeric_limits<float>::lowest()) {}

CDestructible::~CDestructible() { CDestructible::Release(); }

void CDestructible::Init(const std::string& name, const EntitySetting& setting)
{
    m_HitCooldown = std::numeric_limits<float>::lowest();
    m_HitPoints = StartHitPoints();
    BuildLifeMachine();
    CEntity::Init(name, setting);
    if (m_pBody)
        m_pBody->SetBodyType(Vesk::BODY_DYNAMIC);
    m_Active = true;
    m_LifeState = LIFE_ALIVE;
}

void CDestructible::BuildLifeMachine()
{
    m_pLifeMachine = std::make_unique<LifeMachine>(this);
    m_pLifeMachine->AddState("alive", nullptr, nullptr, nullptr);
    m_pLifeMachine->AddState("dying", &CDestructible::EnterDying, nullptr, nullptr);
    m_pLifeMachine->AddState("death", &CDestructible::EnterDeath, nullptr, nullptr);
    m_pLifeMachine->AddTransition("alive", "dying", &CDestructible::IsBroken);
    m_pLifeMachine->AddTransition("dying", "death", &CDestructible::IsDead);
}

void CDestructible::Release()
{
    m_pLifeMachine.reset();
    CEntity::Release();
}

void CDestructible::Update(float dt)
{
    CountDown(&m_HitCooldown, dt);
    if (m_pLifeMachine)
        m_pLifeMachine->Update(dt);
    CEntity::Update(dt);
}

void CDestructible::TakeDamage(int damage)
{
    if (m_HitCooldown > 0.0f)
        return;
    m_HitPoints = std::max(0, m_HitPoints - damage);
}

std::string CDestructible::GetLifeStateName() const
{
    const LifeMachine::State* current = m_pLifeMachine ? m_pLifeMachine->GetCurrentState() : nullptr;
    for (const char* name : {"alive", "dying", "death"}) {
        if (current && current == m_pLifeMachine->FindState(name))
            return name;
    }
    return std::string();
}

bool CDestructible::IsBroken() { return m_HitPoints < 1 || m_LifeState >= LIFE_DYING; }

bool CDestructible::IsDead() { return m_LifeState >= LIFE_DEAD; }

void CDestructible::EnterDying()
{
    if (m_LifeState < LIFE_DYING)
        m_LifeState = LIFE_DEAD;
}

void CDestructible::EnterDeath()
{
    if (m_pBody)
        Vesk::CPhysicsSystem::GetInstance().RemoveRigidBody(m_pBody);
    Vesk::CAudioSystem::GetInstance().PlaySound(kDestroySound, false).SetVolume(0.5f);
    ShatterAndDrop();
}

void CNonCollidableDestructible::Init(const std::string& name, const EntitySetting& setting)
{
    CDestructible::Init(name, setting);
    if (m_pBody) {
        m_pBody->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
        m_pBody->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
    }
}

} // namespace Game
