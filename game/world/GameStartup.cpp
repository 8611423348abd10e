#include "game/world/GameStartup.h"

#include "game/base/CSlotHash.h"
#include "game/cameras/GameCameras.h"
#include "game/entities/CEntityFactory.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/TypeRegistration.h"
#include "render/CCameraManager.h"

namespace Game {

void RegisterCameras()
{
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    cameras.CreateCamera<CViewerCamera>("viewercam", false);
    cameras.CreateCamera<CObjectCamera>("objectcam", false);
    cameras.CreateCamera<CLevelEditorCamera>("editorcamera", false);
    cameras.CreateCamera<CLevelEditorCamera>("terraineditorcamera", false);
    cameras.CreateCamera<CSideScrollCamera>("sidescrolling", false);
    cameras.CreateCamera<CMenuCamera>("menucamera", false);
}

void RegisterGameTypes()
{
    RegisterCameras();
    // Without the unit cube no voxel model is drawn, but the game still runs.
    InitCubeRenderer(30000, 15000);
    RegisterCubeMeshResource();
    RegisterEntityTypes();
    RegisterControllerTypes();
    CSlotHash::GetInstance().RegisterCollisionGroups();
    CEntityFactory::GetInstance().Init();
}

} // namespace Game
