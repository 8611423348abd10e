#include "game/controllers/CSpikeController.h"

#include "game/combat/CAttackPool.h"
#include "game/entities/CEntity.h"
#include "math/GameMath.h"
#include "physics/CRigidBody.h"

namespace Game {

void CSpikeController::Attach(const ControllerSetting& setting)
{
    IController::Attach(setting);
    if (CEntity* owner = GetOwnerEntity())
        if (Vesk::CRigidBody* body = owner->GetBody())
            body->SetBodyType(Vesk::BODY_STATIC);
    m_Timer = 0.0f;
    m_pMachine = std::make_unique<Machine>(this);
    m_pMachine->AddState("wait", &CSpikeController::EnterWait, &CSpikeController::CountTimer, nullptr);
    m_pMachine->AddState("attack", &CSpikeController::EnterAttack, &CSpikeController::CountTimer, nullptr);
    m_pMachine->AddTransition("wait", "attack", &CSpikeController::IsTimeUp);
    m_pMachine->AddTransition("attack", "wait", &CSpikeController::IsTimeUp);
}

void CSpikeController::Detach()
{
    IController::Detach();
    m_pMachine.reset();
    m_Timer = 0.0f;
}

void CSpikeController::Update(float dt)
{
    if (m_pMachine && GetOwnerEntity())
        m_pMachine->Update(dt);
}

std::string CSpikeController::GetStateName() const
{
    return m_pMachine ? m_pMachine->GetCurrentStateName() : std::string();
}

void CSpikeController::EnterWait() { m_Timer = kWaitTime; }

void CSpikeController::EnterAttack()
{
    CAttackPool& attacks = CAttackPool::GetInstance();
    // The timings come from the definition, not from the spawned attack, which may be missing.
    // Without a definition (the pool logs it once) the spike goes straight back to waiting.
    const AttackRecord* definition = attacks.FindDefinition(kAttackName);
    if (!definition) {
        m_Timer = 0.0f;
        return;
    }
    m_Timer = definition->m_Delay + definition->m_Persist;
    attacks.SpawnAttack(GetOwnerEntity(), kAttackName);
}

void CSpikeController::CountTimer(float dt) { CountDown(&m_Timer, dt); }

bool CSpikeController::IsTimeUp() { return m_Timer <= 0.0f; }

} // namespace Game
