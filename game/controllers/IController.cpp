#include "game/controllers/IController.h"

#include "game/entities/CCharacter.h"
#include "game/fx/CSprite3D.h"
#include "game/fx/CSprite3DManager.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"

namespace Game {

namespace {

const char* const kSpawnMeshName = "spawningmesh";

} // namespace

CCharacterController::~CCharacterController() { RemoveSpawnMesh(); }

void CCharacterController::Attach(const ControllerSetting& setting)
{
    m_Setting = setting;
    // Only a character can be driven; any other entity leaves the controller without owner.
    m_Owner = setting.m_Owner.GetAs<CCharacter>() ? setting.m_Owner : EntityHandle();
    m_SpawnTimer = 0.0f;
    m_SpawnDuration = kDefaultSpawnDuration;
    m_Target.Reset();
    RemoveSpawnMesh();
}

void CCharacterController::Detach()
{
    IController::Detach();
    m_Target.Reset();
    RemoveSpawnMesh();
}

CCharacter* CCharacterController::GetOwner() const { return m_Owner.GetAs<CCharacter>(); }

void CCharacterController::SetTarget(CEntity* target)
{
    if (!target)
        return;
    m_Target = EntityHandle(target);
    m_TargetKind = TARGET_ENTITY;
}

void CCharacterController::SetTargetPosition(const CVector3D& point)
{
    m_TargetPosition = point;
    m_TargetKind = TARGET_POINT;
}

void CCharacterController::ClearTarget()
{
    m_TargetKind = TARGET_NONE;
    m_Target.Reset();
    m_TargetPosition = CVector3D();
}

void CCharacterController::SpawnEnter()
{
    CCharacter* owner = GetOwner();
    if (!owner)
        return;
    RemoveSpawnMesh();
    m_pSpawnMesh = CSprite3DManager::GetInstance().CreateSprite(kSpawnMeshName);
    const CVector3D position = owner->GetPosition();
    m_pSpawnMesh->SetPosition(position.x, position.y, position.z);
    m_pSpawnMesh->SetVisible(true);
    owner->m_Spawning = true;
    if (Vesk::CRigidBody* body = owner->GetBody()) {
        body->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
        body->SetGravity(CVector3D());
    }
    m_SpawnStart = position - CVector3D(0.0f, kSpawnDepth, 0.0f);
    m_SpawnEnd = position;
    owner->SetPosition(m_SpawnStart);
}

void CCharacterController::SpawnUpdate(float dt)
{
    m_SpawnTimer += dt;
    const float riseTime = m_SpawnDuration - kSpawnSettle;
    CCharacter* owner = GetOwner();
    if (riseTime <= m_SpawnTimer || !owner)
        return;
    const float t = m_SpawnTimer / riseTime;
    owner->SetPosition(m_SpawnStart + (m_SpawnEnd - m_SpawnStart) * t);
    if (m_pSpawnMesh)
        m_pSpawnMesh->SetPosition(m_SpawnEnd.x, m_SpawnEnd.y, m_SpawnEnd.z);
}

void CCharacterController::SpawnExit()
{
    if (CCharacter* owner = GetOwner()) {
        if (Vesk::CRigidBody* body = owner->GetBody()) {
            body->SetBodyType(Vesk::BODY_DYNAMIC);
            body->SetGravity(Vesk::CPhysicsSystem::GetInstance().GetGravity());
        }
        owner->m_Spawning = false;
        owner->SetPosition(m_SpawnEnd);
    }
    RemoveSpawnMesh();
}

bool CCharacterController::IsSpawnFinished() { return m_SpawnTimer > m_SpawnDuration; }

void CCharacterController::RemoveSpawnMesh()
{
    if (!m_pSpawnMesh)
        return;
    CSprite3DManager::GetInstance().RemoveSprite(m_pSpawnMesh);
    m_pSpawnMesh = nullptr;
}

} // namespace Game
