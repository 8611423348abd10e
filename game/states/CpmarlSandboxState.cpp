#include "game/states/CpmarlSandboxState.h"

#include "core/Log.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CControllerManager.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/CSprite3DManager.h"
#include "game/world/CLevelManager.h"
#include "game/world/GameLifetime.h"

#include "physics/CPhysicsSystem.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

namespace Game {

namespace {

const CVector3D kGravity(0.0f, -100.0f, 0.0f);
const CVector3D kLightDirection(0.0f, -150.0f, 100.0f);

} // namespace

void CpmarlSandboxState::Enter()
{
    // One light serves every visit: it shines from above and in front of the arena, down and into
    // it, so the wall's face is shaded below its lit top.
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    if (renderer.GetLightCount() == 0)
        renderer.AddLight();
    if (Vesk::CLight* light = renderer.GetLight(0)) {
        const CVector3D direction = kLightDirection.GetNormalized();
        light->m_Type = 1;
        light->m_Direction[0] = direction.x;
        light->m_Direction[1] = direction.y;
        light->m_Direction[2] = direction.z;
    }

    // The player's swings and markers need the attack pool and the 3D sprites.
    CLevelManager& levels = CLevelManager::GetInstance();
    if (!GameSessionTable(SessionKind::Sandbox, levels.GetLevelFileName()).Start() || !levels.GetTerrain())
        Vesk::LogLine("CpmarlSandboxState: the level \"" + levels.GetLevelFileName() + "\" did not load");
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    cameras.SetCurrentCamera("sidescrolling", true);

    // The player's prefab gives it its player controller.
    CEntity* player = CEntityFactory::GetInstance().GetEntityByName("player");
    if (!player || !player->GetController())
        Vesk::LogLine("CpmarlSandboxState: the level has no \"player\" under a player controller");
    if (auto* camera = dynamic_cast<CSideScrollCamera*>(cameras.GetCurrentCamera()))
        camera->SetTarget(player);
    Vesk::CPhysicsSystem::GetInstance().SetGravity(kGravity);
}

void CpmarlSandboxState::Update(float dt)
{
    CAttackPool::GetInstance().Update(dt);
    CControllerManager::GetInstance().Update(dt);
    CEntityFactory::GetInstance().UpdateAll(dt);
    CSprite3DManager::GetInstance().Update(dt);
    CEntityFactory::GetInstance().ProcessPendingDestroys();
}

void CpmarlSandboxState::Exit() { GameSessionTable(SessionKind::Sandbox, std::string()).Stop(); }

} // namespace Game
