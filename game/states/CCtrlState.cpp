#include "game/states/CCtrlState.h"

#include "game/fx/SceneLights.h"
#include "render/CCameraManager.h"
#include "window/CWindowSystem.h"

namespace Game {

void CCtrlState::Enter()
{
    Vesk::CWindowSystem::GetInstance().ShowCursor(false);
    EnsureSceneLight();
    Vesk::CCameraManager::GetInstance().SetCurrentCamera("viewercam", true);
    PlaceSceneLight(CVector3D(0.0f, 100.0f, 0.0f));
    LoadScreen("ctrl");
}

} // namespace Game
