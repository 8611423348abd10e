#include "game/combat/CAttackPool.h"

#include "core/Log.h"
#include "game/combat/HitResolution.h"
#include "game/combat/LiveAttack.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntity.h"
#include "game/fx/CParticleEmitter.h"
#include "game/fx/CParticleManager.h"
#include "game/fx/CSprite3D.h"
#include "game/fx/CSprite3DManager.h"
#include "math/GameMath.h"
#include "physics/CPhysicsSystem.h"
#include "physics/CRigidBody.h"

#include <algorithm>
#include <new>

namespace Game {

namespace {

// Attack boxes meet every collision group.
constexpr short kAllGroups = -1;
constexpr const char* kSparkEffect = "spark_effect";
constexpr unsigned kSparkParticles = 10;

} // namespace

CAttackPool::CAttackPool() = default;

CAttackPool::~CAttackPool()
{
    // At process exit the physics system may be gone already: bodies still here (no Shutdown)
    // are left to it.
    for (AttackRecord* attack : m_ActiveAttacks)
        m_Allocator.Destroy(attack);
}

bool CAttackPool::Init()
{
    ReleaseSparks();
    m_SparkIndex = 0;
    for (std::unique_ptr<CParticleEmitter>& spark : m_Sparks) {
        spark = std::make_unique<CParticleEmitter>();
        spark->Init(kSparkEffect, kSparkParticles, 0);
        CParticleManager::GetInstance().AddEmitter(spark.get());
    }
    return true;
}

void CAttackPool::ReleaseSparks()
{
    for (std::unique_ptr<CParticleEmitter>& spark : m_Sparks) {
        if (spark)
            CParticleManager::GetInstance().RemoveEmitter(spark.get());
        spark.reset();
    }
}

void CAttackPool::Shutdown()
{
    ReleaseSparks();
    for (AttackRecord* attack : m_ActiveAttacks)
        FreeAttack(attack);
    m_ActiveAttacks.clear();
    // Every queued attack was in the active list and is gone now.
    m_RemovalList.clear();
}

bool CAttackPool::LoadDefinitions(const std::string& path)
{
    ClearDefinitions();
    return LoadAttackDefinitions(path, m_Definitions);
}

void CAttackPool::ClearDefinitions()
{
    m_Definitions.clear();
    m_MissingNames.clear();
}

const AttackRecord* CAttackPool::FindDefinition(const std::string& name)
{
    const auto found = m_Definitions.find(name);
    if (found != m_Definitions.end())
        return &found->second;
    if (m_MissingNames.insert(name).second)
        Vesk::LogLine("CAttackPool: no attack named \"" + name + "\"");
    return nullptr;
}

AttackRecord* CAttackPool::SpawnAttack(CEntity* user, const std::string& name)
{
    const AttackRecord* definition = FindDefinition(name);
    if (!definition)
        return nullptr;
    if (!user) {
        Vesk::LogLine("CAttackPool: the attack \"" + name + "\" has no user");
        return nullptr;
    }
    AttackRecord* slot = m_Allocator.Allocate();
    if (!slot)
        return nullptr;
    AttackRecord* attack = new (slot) AttackRecord(definition->MakeLive());
    attack->m_User = EntityHandle(user);
    attack->m_Name = name;

    attack->m_pBody = new Vesk::CRigidBody(attack->m_Dimension, nullptr, 1.0f, false);
    if (!Vesk::CPhysicsSystem::GetInstance().AddRigidBody(attack->m_pBody, kAllGroups, kAllGroups)) {
        Vesk::LogLine("CAttackPool: the attack \"" + name + "\" has no body (the physics system refused it)");
        FreeAttack(attack);
        return nullptr;
    }
    attack->m_pBody->SetBodyType(Vesk::BODY_NO_CONTACT_RESPONSE);
    attack->m_pBody->SetGravity(CVector3D(0.0f, 0.0f, 0.0f));
    LiveAttack::PlaceBesideUser(*attack, *user);
    if (attack->m_MovementType == ATTACK_FLIES) {
        CVector3D direction;
        FacingOffsetToWorld(direction, user->GetDirection(), attack->m_Direction);
        attack->m_pBody->SetLinearVelocity(direction.GetNormalized() * attack->m_Speed);
    }
    if (auto* character = dynamic_cast<CCharacter*>(user); character && attack->m_SelfStun > 0.0f)
        character->ExtendActionLock(attack->m_SelfStun);
    if (!attack->m_Mesh.empty()) {
        // The sprite starts on "IDLE".
        attack->m_pSprite = CSprite3DManager::GetInstance().CreateSprite(attack->m_Mesh);
        attack->m_pSprite->SetVisible(false);
        LiveAttack::PlaceSprite(*attack, *user);
    }

    m_ActiveAttacks.push_back(attack);
    return attack;
}

void CAttackPool::Update(float dt)
{
    for (AttackRecord* attack : m_ActiveAttacks)
        LiveAttack::Update(*attack, dt);

    // Attacks spawned by the hits' hooks are first tested in the next frame.
    const std::vector<AttackRecord*> attacks(m_ActiveAttacks.begin(), m_ActiveAttacks.end());
    const HitFrame frame = HitResolution::MakeHitFrame();
    for (AttackRecord* attack : attacks) {
        if (attack->m_Active && attack->m_Delay <= 0.0f)
            HitResolution::ResolveHits(*attack, frame);
    }
    FreeQueuedAttacks();
}

void CAttackPool::QueueRemoval(AttackRecord* attack) { m_RemovalList.push_back(attack); }

void CAttackPool::ShowSpark(const CVector3D& point)
{
    if (CParticleEmitter* spark = m_Sparks[m_SparkIndex].get()) {
        spark->SetPosition(point);
        spark->Restart();
    }
    m_SparkIndex = (m_SparkIndex + 1) % kSparkCount;
}

void CAttackPool::FreeQueuedAttacks()
{
    // Taken as a copy: an attack is queued at most once, but a stray double entry is freed once.
    std::vector<AttackRecord*> queued;
    queued.swap(m_RemovalList);
    for (AttackRecord* attack : queued) {
        const auto found = std::find(m_ActiveAttacks.begin(), m_ActiveAttacks.end(), attack);
        if (found == m_ActiveAttacks.end())
            continue;
        m_ActiveAttacks.erase(found);
        FreeAttack(attack);
    }
}

void CAttackPool::FreeAttack(AttackRecord* attack)
{
    delete attack->m_pBody;
    attack->m_pBody = nullptr;
    // Nothing when the sprite manager has already let every sprite go.
    CSprite3DManager::GetInstance().RemoveSprite(attack->m_pSprite);
    attack->m_pSprite = nullptr;
    m_Allocator.Destroy(attack);
}

} // namespace Game
