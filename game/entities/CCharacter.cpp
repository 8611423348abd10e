#include "game/entities/CCharacter.h"

#include "game/base/CGameServices.h"
#include "game/base/IGameMaster.h"
#include "game/controllers/IController.h"
#include "game/controllers/ISharedCharacterController.h"
#include "game/voxel/CVeskCubeAnimationController.h"
#include "math/GameMath.h"
#include "math/Random.h"
#include "physics/CRigidBody.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

// Bullet's activation state that takes a body out of the simulation.
const int kDisableSimulation = 5;
const float kFriction = 0.3f;
const float kAirFactor = 0.5f;
const float kWalkLift = 0.06f;
const float kKnockUpScale = 30.0f;
const float kKnockBackScale = 20.0f;
const float kHitHighlight = 1.0f;
const float kMinNormalLength = 1e-7f;
// A contact normal this close to a horizontal axis blocks movement along that axis.
const float kAxisAlignedMin = 0.99f;

} // namespace

CCharacter::CCharacter() = default;

CCharacter::~CCharacter() { CCharacter::Release(); }

void CCharacter::Init(const std::string& name, const EntitySetting& setting)
{
    m_LifeState = LIFE_ALIVE;
    CEntity::Init(name, setting);
    m_Health = m_MaxHealth = setting.m_HealthPoints;
    m_WanderSpeed = setting.m_WanderSpeed;
    m_PursueSpeed = setting.m_PursueSpeed;
    m_CurrentSpeed = m_WanderSpeed;
    m_SpeedFactor = 1.0f;
    m_KnockupResist = setting.m_KnockupResist;
    m_KnockbackResist = setting.m_KnockbackResist;
    m_AttackRadius = setting.m_AttackRadius;
    m_SpawnSound = setting.m_SpawnSound;
    m_HurtSound = setting.m_HurtSound;
    m_DeathSound = setting.m_DeathSound;
    m_Invulnerable = setting.m_Invulnerable;
    BuildLifeMachine();
    if (m_pBody)
        m_pBody->SetFriction(kFriction);
    m_Dodging = false;
    m_KeepVertical = false;
}

void CCharacter::BuildLifeMachine()
{
    m_LifeMachine = std::make_unique<LifeMachine>(this);
    m_LifeMachine->AddState("spawn", nullptr, nullptr, nullptr);
    // Entering "alive" leaves the life state alone: SetLifeState has stored it, and a character
    // that died while spawning must stay dying.
    m_LifeMachine->AddState("alive", nullptr, nullptr, nullptr);
    m_LifeMachine->AddState("dying", &CCharacter::EnterDying, nullptr, nullptr);
    m_LifeMachine->AddState("death", &CCharacter::EnterDeath, nullptr, nullptr);
    m_LifeMachine->AddTransition("spawn", "alive", &CCharacter::SpawnDone);
    m_LifeMachine->AddTransition("alive", "dying", &CCharacter::LifeIsDying);
    m_LifeMachine->AddTransition("dying", "death", &CCharacter::LifeIsDead);
}

void CCharacter::Release()
{
    // A teardown: the moves give back the fields they changed but play and run nothing, since
    // what their callbacks show may already be gone.
    m_MoveQueue.Cancel();
    m_LifeMachine.reset();
    m_SkillPocket.reset();
    LeaveAllSharedControllers();
    CEntity::Release();
}

void CCharacter::Update(float dt)
{
    if (m_LifeMachine)
        m_LifeMachine->Update(dt);
    CheckGround(dt);
    CountDownTimers(dt);
    m_AirFactor = m_Airborne ? kAirFactor : 1.0f;
    if (m_Position.y < kKillPlaneY && !m_Dormant)
        TakeDamage(kKillPlaneDamage);
    CEntity::Update(dt);
}

void CCharacter::CheckGround(float dt)
{
    m_TimeSinceGround += dt;
    if (m_TimeSinceGround > kAirborneAfter)
        m_Airborne = true;
    if (!m_pBody)
        return;
    // Normals point from the other body towards this one, so ground points up.
    for (CVector3D normal : m_pBody->GetContactInfo().m_ContactNormals) {
        if (normal.Length() > kMinNormalLength)
            normal.Normalize();
        if (normal.y < kGroundNormalMinY)
            continue;
        if (m_Airborne) {
            CVector3D velocity = m_pBody->GetLinearVelocity();
            velocity.y = -velocity.y;
            m_pBody->SetLinearVelocity(velocity);
        }
        m_Airborne = false;
        m_TimeSinceGround = 0.0f;
        break;
    }
}

void CCharacter::CountDownTimers(float dt)
{
    CountDown(&m_StunTimer, dt);
    CountDown(&m_ActionLockTimer, dt);
    if (CountDown(&m_StunLength, dt))
        m_Stunned = false;
    CountDown(&m_StunBlockTimer, dt);
}

void CCharacter::SetLifeState(int state)
{
    static const char* const kStates[] = {"alive", "dying", "death"};
    if (state < LIFE_ALIVE || state > LIFE_DEAD)
        return;
    m_LifeState = state;
    if (m_LifeMachine)
        m_LifeMachine->ChangeState(kStates[state - LIFE_ALIVE]);
}

std::string CCharacter::GetLifeMachineState() const
{
    static const char* const kStates[] = {"spawn", "alive", "dying", "death"};
    if (m_LifeMachine) {
        for (const char* name : kStates) {
            if (m_LifeMachine->GetCurrentState() == m_LifeMachine->FindState(name))
                return name;
        }
    }
    return std::string();
}

void CCharacter::EnterDying()
{
    if (CCharacterController* controller = GetCharacterController())
        controller->OnDying();
}

void CCharacter::EnterDeath()
{
    m_LifeState = LIFE_DEAD;
    if (m_pBody)
        m_pBody->SetActivationState(kDisableSimulation);
}

void CCharacter::StopMoving() { SetLinearVelocity(CVector3D(0.0f, 0.0f, 0.0f)); }

void CCharacter::MoveAlong(const CVector3D& direction, bool face)
{
    if (m_Stunned)
        return;
    CVector3D flat(direction.x, 0.0f, direction.z);
    if (flat.Length() > kMinNormalLength)
        flat.Normalize();
    if (face && flat.Length() > kMinNormalLength)
        SetDirection(flat);
    CVector3D velocity = flat * (m_CurrentSpeed * m_SpeedFactor * m_AirFactor);
    if (m_KeepVertical) {
        CVector3D current;
        GetLinearVelocity(current);
        velocity.y = current.y;
        CancelBlockedVelocity(velocity);
    } else {
        velocity.y = kWalkLift;
    }
    SetLinearVelocity(velocity);
}

void CCharacter::CancelBlockedVelocity(CVector3D& velocity) const
{
    if (!m_pBody)
        return;
    for (CVector3D normal : m_pBody->GetContactInfo().m_ContactNormals) {
        if (normal.Length() <= kMinNormalLength)
            continue;
        normal.Normalize();
        // The normal points away from the obstacle: moving against it is blocked.
        if (std::fabs(normal.x) >= kAxisAlignedMin && velocity.x * normal.x < 0.0f)
            velocity.x = 0.0f;
        if (std::fabs(normal.z) >= kAxisAlignedMin && velocity.z * normal.z < 0.0f)
            velocity.z = 0.0f;
    }
}

bool CCharacter::MoveTo(const CVector3D& point, bool face)
{
    if (m_Stunned)
        return false;
    const CVector3D offset = point - m_Position;
    if (offset.Dot(offset) < kArrivalDistanceSquared) {
        StopMoving();
        return true;
    }
    MoveAlong(offset, face);
    return false;
}

void CCharacter::ExtendActionLock(const float& seconds) { m_ActionLockTimer = std::max(m_ActionLockTimer, seconds); }

void CCharacter::ApplyStun(const float& seconds)
{
    if (m_StunBlockTimer > 0.0f || !(seconds > m_StunTimer))
        return;
    ExtendActionLock(seconds);
    m_StunTimer = seconds;
    m_Stunned = true;
    m_StunLength = seconds;
    if (CCharacterController* controller = GetCharacterController())
        controller->OnStunned(seconds);
}

void CCharacter::KnockUp(float sourceX, float sourceY, float sourceZ, float force)
{
    (void)sourceX;
    (void)sourceY;
    (void)sourceZ;
    if (!(force > m_KnockupResist) || m_Invulnerable)
        return;
    CVector3D velocity;
    GetLinearVelocity(velocity);
    velocity.y += (force - m_KnockupResist) * kKnockUpScale;
    SetLinearVelocity(velocity);
}

void CCharacter::KnockBack(float sourceX, float sourceY, float sourceZ, float force)
{
    (void)sourceY;
    if (!(force > m_KnockbackResist) || m_Invulnerable)
        return;
    CVector3D away(m_Position.x - sourceX, 0.0f, m_Position.z - sourceZ);
    if (away.Length() <= kMinNormalLength)
        return; // no side to be pushed to
    away.Normalize();
    CVector3D velocity;
    GetLinearVelocity(velocity);
    velocity += away * ((force - m_KnockbackResist) * kKnockBackScale);
    SetLinearVelocity(velocity);
    const CVector3D horizontal(velocity.x, 0.0f, velocity.z);
    if (horizontal.Length() > kMinNormalLength)
        SetDirection(-horizontal.GetNormalized());
}

void CCharacter::TakeDamage(int damage)
{
    if (m_Invulnerable || m_Dormant || m_StunTimer > 0.0f || m_Health == 0)
        return;
    if (m_Dodging && Random15() % 3 == 0)
        return;
    m_Health = static_cast<int>(std::max<long long>(0, static_cast<long long>(m_Health) - damage));
    CGameServices::GetInstance().GameMaster().PlaySound(m_HurtSound);
    if (CCharacterController* controller = GetCharacterController())
        controller->OnHit(damage);
    if (auto* cubes = dynamic_cast<CVeskCubeAnimationController*>(m_pAnimationController))
        cubes->Flash(kHitHighlight);
}

void CCharacter::Heal(float amount)
{
    if (!std::isfinite(amount))
        return;
    const double healed = static_cast<double>(m_Health) + std::trunc(static_cast<double>(amount));
    m_Health = static_cast<int>(std::clamp(healed, 0.0, static_cast<double>(std::max(0, m_MaxHealth))));
}

float CCharacter::GetHealthRatio() const
{
    if (m_MaxHealth <= 0)
        return 0.0f;
    return std::clamp(static_cast<float>(m_Health) / static_cast<float>(m_MaxHealth), 0.0f, 1.0f);
}

void CCharacter::Die()
{
    // Callers that test health every frame call this again while the death plays out.
    if (m_LifeState >= LIFE_DYING)
        return;
    m_LifeState = LIFE_DYING;
    CGameServices::GetInstance().GameMaster().PlaySound(m_DeathSound);
    LeaveAllSharedControllers();
}

void CCharacter::NotifyAttackLanded(CCharacter* target, const int& damage)
{
    if (CCharacterController* controller = GetCharacterController())
        controller->OnAttackLanded(target, damage);
}

void CCharacter::JoinSharedController(ISharedCharacterController* shared)
{
    if (shared)
        shared->AddMember(this);
}

void CCharacter::LeaveSharedController(ISharedCharacterController* shared)
{
    if (std::find(m_SharedControllers.begin(), m_SharedControllers.end(), shared) != m_SharedControllers.end())
        shared->RemoveMember(this);
}

void CCharacter::LeaveSharedControllerByName(const std::string& name)
{
    const auto found =
        std::find_if(m_SharedControllers.begin(), m_SharedControllers.end(),
                     [&](const ISharedCharacterController* shared) { return shared->GetName() == name; });
    if (found != m_SharedControllers.end())
        LeaveSharedController(*found);
}

void CCharacter::LeaveAllSharedControllers()
{
    const std::vector<ISharedCharacterController*> joined = std::move(m_SharedControllers);
    m_SharedControllers.clear();
    for (ISharedCharacterController* shared : joined)
        shared->RemoveMember(this);
}

void CCharacter::RecordSharedController(ISharedCharacterController* shared)
{
    if (shared &&
        std::find(m_SharedControllers.begin(), m_SharedControllers.end(), shared) == m_SharedControllers.end())
        m_SharedControllers.push_back(shared);
}

void CCharacter::ForgetSharedController(ISharedCharacterController* shared)
{
    m_SharedControllers.erase(std::remove(m_SharedControllers.begin(), m_SharedControllers.end(), shared),
                              m_SharedControllers.end());
}

CCharacterController* CCharacter::GetCharacterController() const
{
    return dynamic_cast<CCharacterController*>(m_pController);
}

} // namespace Game
