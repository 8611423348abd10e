#include "game/states/CpmarlSandboxState.h"

#include "core/Log.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/controllers/CControllerManager.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/world/CLevelManager.h"

#include "physics/CPhysicsSystem.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

namespace Game {

namespace {

const CVector3D kGravity(0.0f, -100.0f, 0.0f);
// The camera stands in front of the arena (towards -z), above it, and looks a little ahead of
// the player and into the arena, so the ground, the back wall and the player's side all show.
const CVector3D kLookAhead(60.0f, 0.0f, 50.0f);
const CVector3D kEyeFromLookAt(0.0f, 90.0f, -190.0f);
// Light 0 shines from above and in front of the arena, down and into it.
const CVector3D kLightDirection(0.0f, -150.0f, 100.0f);

} // namespace

CVector3D CpmarlSandboxState::CameraLookAtFor(const CVector3D& player) { return player + kLookAhead; }

CVector3D CpmarlSandboxState::CameraEyeFor(const CVector3D& player) { return CameraLookAtFor(player) + kEyeFromLookAt; }

void CpmarlSandboxState::Enter()
{
    CEntityFactory::GetInstance().Init();
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    cameras.SetCurrentCamera("sidescrolling", true);
    CLevelManager& levels = CLevelManager::GetInstance();
    if (!levels.LoadCurrentLevel())
        Vesk::LogLine("CpmarlSandboxState: the level \"" + levels.GetLevelFileName() + "\" did not load");

    CVector3D player;
    if (const CEntity* entity = CEntityFactory::GetInstance().GetEntityByName("player"))
        player = entity->GetPosition();
    else
        Vesk::LogLine("CpmarlSandboxState: the level has no \"player\"; the camera looks at the origin");
    const CVector3D lookAt = CameraLookAtFor(player);
    // The sandbox holds its own view of the arena: the camera is locked on it instead of
    // following the player.
    if (auto* camera = dynamic_cast<CSideScrollCamera*>(cameras.GetCurrentCamera())) {
        camera->SetEye(CameraEyeFor(player));
        camera->SetLookAt(lookAt);
        camera->SetTargetEye(camera->GetEye());
        camera->SetTargetLookAt(lookAt);
        camera->ChangeState("LockCameraState");
        camera->UpdateAnglesFromLookAt();
    }

    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    renderer.AddLight();
    if (Vesk::CLight* light = renderer.GetLight(0)) {
        const CVector3D direction = kLightDirection.GetNormalized();
        light->m_Type = 1;
        light->m_Direction[0] = direction.x;
        light->m_Direction[1] = direction.y;
        light->m_Direction[2] = direction.z;
    }
    Vesk::CPhysicsSystem::GetInstance().SetGravity(kGravity);
}

void CpmarlSandboxState::Update(float dt)
{
    CControllerManager::GetInstance().Update(dt);
    CEntityFactory::GetInstance().UpdateAll(dt);
}

void CpmarlSandboxState::Exit()
{
    CLevelManager::GetInstance().UnloadLevel();
    CEntityFactory::GetInstance().Shutdown();
    CControllerManager::GetInstance().Shutdown();
}

} // namespace Game
