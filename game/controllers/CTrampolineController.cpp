#include "game/controllers/CTrampolineController.h"

#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "math/GameMath.h"
#include "physics/CRigidBody.h"
#include "physics/RigidBodyOverlap.h"

namespace Game {

namespace {

const char* const kPlayerName = "player";

} // namespace

void CTrampolineController::Attach(const ControllerSetting& setting)
{
    IController::Attach(setting);
    if (CEntity* owner = GetOwnerEntity()) {
        if (Vesk::CRigidBody* body = owner->GetBody()) {
            body->SetAngularFactor(false, false, false);
            body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
            body->SetGravity(CVector3D());
        }
    }
    m_Timer = 0.0f;
    m_Fired = false;
    m_pMachine = std::make_unique<Machine>(this);
    m_pMachine->AddState("wait", nullptr, &CTrampolineController::ThrowPlayers, nullptr);
    m_pMachine->AddState("attack", &CTrampolineController::EnterAttack, &CTrampolineController::CountTimer, nullptr);
    m_pMachine->AddTransition("wait", "attack", &CTrampolineController::HasFired);
    m_pMachine->AddTransition("attack", "wait", &CTrampolineController::IsTimeUp);
}

void CTrampolineController::Detach()
{
    IController::Detach();
    m_pMachine.reset();
    m_Timer = 0.0f;
}

void CTrampolineController::Update(float dt)
{
    if (m_pMachine && GetOwnerEntity())
        m_pMachine->Update(dt);
}

std::string CTrampolineController::GetStateName() const
{
    return m_pMachine ? m_pMachine->GetCurrentStateName() : std::string();
}

void CTrampolineController::ThrowPlayers(float dt)
{
    (void)dt;
    // Tested once before the loop, so every player on the trampoline in this frame is thrown.
    if (m_Fired)
        return;
    const CEntity* owner = GetOwnerEntity();
    const Vesk::CRigidBody* body = owner ? owner->GetBody() : nullptr;
    if (!body)
        return;
    for (CEntity* entity : CEntityFactory::GetInstance().FindByName(kPlayerName)) {
        auto* player = dynamic_cast<CCharacter*>(entity);
        if (!player || !player->GetBody() || !Vesk::RigidBodyBoxesOverlap(*body, *player->GetBody()))
            continue;
        m_Fired = true;
        CVector3D velocity;
        player->GetLinearVelocity(velocity);
        player->SetLinearVelocity(CVector3D(velocity.x, kThrowSpeed, velocity.z));
    }
}

void CTrampolineController::EnterAttack()
{
    m_Fired = false;
    m_Timer = kRearmTime;
}

void CTrampolineController::CountTimer(float dt) { CountDown(&m_Timer, dt); }

bool CTrampolineController::IsTimeUp() { return m_Timer <= 0.0f; }

} // namespace Game
