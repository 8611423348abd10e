#include "game/combat/HitResolution.h"

#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "game/base/CGameServices.h"
#include "game/base/ICameraJolts.h"
#include "game/base/IGameMaster.h"
#include "game/combat/CAttackPool.h"
#include "game/combat/LiveAttack.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CDestructible.h"
#include "game/entities/CEntityFactory.h"
#include "physics/CRigidBody.h"

namespace Game {

namespace HitResolution {

namespace {

// The body's local box carried by its world transform.
CAABB WorldBox(const Vesk::CRigidBody& body)
{
    CAABB box = body.GetCreationBox();
    box.Transform(body.GetWorldMatrix());
    return box;
}

bool IsPlayer(const CEntity& entity) { return entity.GetName() == kPlayerName; }

void Spark(const AttackRecord& attack, const CEntity& target)
{
    const CVector3D point = target.GetPosition() + (attack.m_pBody->GetPosition() - target.GetPosition()) * 0.5f;
    CAttackPool::GetInstance().ShowSpark(point);
}

void JoltCamera(AttackRecord& attack, const CEntity& user, const CEntity& target, const HitFrame& frame)
{
    if (!frame.m_pCamera)
        return;
    float& freezeTimer = Vesk::CGameManager::GetInstance().m_FreezeTimer;
    if (IsPlayer(user)) {
        if (!attack.m_FreezeApplied) {
            attack.m_FreezeApplied = true;
            const float freeze = FreezeForMesh(attack.m_Mesh);
            if (freeze > 0.0f)
                freezeTimer = freeze;
        }
        frame.m_pCamera->AddPunch(kPlayerPunch, frame.m_PunchX, frame.m_PunchY);
    } else if (IsPlayer(target)) {
        if (attack.m_UseSound == kHeadbuttSound) {
            frame.m_pCamera->AddShake(kHeadbuttShake);
            freezeTimer = kHeadbuttFreeze;
        } else {
            frame.m_pCamera->AddShake(static_cast<float>(attack.m_Damage) * kShakePerDamage);
        }
    }
}

// The attack lands on a character other than its user. False when the user went away meanwhile.
bool Hit(AttackRecord& attack, CCharacter& target, const HitFrame& frame)
{
    const EntityHandle targetHandle(&target);
    {
        const CEntity* user = attack.m_User.Get();
        if (!user)
            return false;
        const float k = attack.m_Persist / static_cast<float>(attack.m_Hits);
        const CVector3D from = user->GetPosition();
        target.KnockBack(from.x, from.y, from.z, attack.m_Knockback * k);
        target.KnockUp(from.x, from.y, from.z, attack.m_Knockup * k);
        target.TakeDamage(attack.m_Damage);
        target.ApplyStun(attack.m_Stun / static_cast<float>(attack.m_Hits));
    }
    // The hooks of the target's controller ran: look both up again.
    CEntity* user = attack.m_User.Get();
    if (!user)
        return false;
    if (!targetHandle.Get())
        return true;

    CVector3D velocity;
    user->GetLinearVelocity(velocity);
    user->SetLinearVelocity(CVector3D(0.0f, velocity.y, 0.0f));
    if (auto* character = dynamic_cast<CCharacter*>(user); character && attack.m_Name != kReviveAttack)
        character->NotifyAttackLanded(&target, attack.m_Damage);
    if (!attack.m_User.Get())
        return false;
    if (!targetHandle.Get())
        return true;

    Vesk::CDebugOutputManager::GetInstance().AddLine("[" + user->GetName() + "] attacked [" + target.GetName() + "]");
    CGameServices::GetInstance().GameMaster().PlaySound(attack.m_HitSound);
    Spark(attack, target);
    const CVector3D away = target.GetPosition() - user->GetPosition();
    target.SetHitDirection(away.x, away.y, away.z,
                           target.m_CoinCount <= kLightKindMax ? kLightHitStrength : kHeavyHitStrength);
    JoltCamera(attack, *user, target, frame);
    return true;
}

// Whether the attack hit the entity; false without an overlap. Sets userGone when the attack's
// user went away during the hit.
bool TestEntity(AttackRecord& attack, const CAABB& attackBox, CEntity& entity, const HitFrame& frame, bool& userGone)
{
    const Vesk::CRigidBody* body = entity.GetBody();
    if (!body)
        return false;
    if (!entity.IsControllerEnabled())
        return false;
    if (!attackBox.Intersects(WorldBox(*body)))
        return false;

    auto* character = dynamic_cast<CCharacter*>(&entity);
    if (!character || &entity == attack.m_User.Get()) {
        // A destructible can be hit by its own attack.
        auto* destructible = dynamic_cast<CDestructible*>(&entity);
        if (!destructible)
            return false;
        destructible->TakeDamage(attack.m_Damage);
        destructible->m_HitCooldown = attack.m_Persist / static_cast<float>(attack.m_Hits);
        return true;
    }
    if (character->m_Health < 1)
        return false;
    if (character->m_Spawning || character->m_StunGuard) {
        if (!IsPlayer(*character))
            CGameServices::GetInstance().GameMaster().PlaySound(kDeflectSound);
        return false;
    }
    if (character->m_StunTimer > 0.0f)
        return false;
    userGone = !Hit(attack, *character, frame);
    return true;
}

} // namespace

HitFrame MakeHitFrame()
{
    HitFrame frame;
    CEntityFactory& factory = CEntityFactory::GetInstance();
    if (const CEntity* player = factory.GetEntityByName(kPlayerName)) {
        frame.m_PunchX = player->GetDirection().x;
        frame.m_PunchY = player->GetDirection().z;
    }
    frame.m_pCamera = ICameraJolts::Current();
    for (const auto& entry : factory.GetLiveEntities())
        frame.m_Entities.emplace_back(entry.second);
    return frame;
}

void ResolveHits(AttackRecord& attack, const HitFrame& frame)
{
    const CAABB attackBox = WorldBox(*attack.m_pBody);
    for (const EntityHandle& handle : frame.m_Entities) {
        CEntity* entity = handle.Get();
        if (!entity)
            continue;
        bool userGone = false;
        const bool hit = TestEntity(attack, attackBox, *entity, frame, userGone);
        if (userGone) {
            if (attack.m_Active)
                LiveAttack::End(attack);
            return;
        }
        // Every entity the attack overlaps in this frame is still tested after it ends.
        if (hit && attack.m_Active && attack.m_DestroyOnContact)
            LiveAttack::End(attack);
    }
}

float FreezeForMesh(const std::string& mesh)
{
    if (mesh == "energyball_3")
        return 0.75f;
    if (mesh == "drill" || mesh == "energyball_2.1")
        return 0.3f;
    if (mesh == "energyball_2")
        return 0.1f;
    return 0.0f;
}

} // namespace HitResolution

} // namespace Game
