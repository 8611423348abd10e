#include "game/base/ISideScrollCamera.h"

#include "render/CCameraManager.h"

namespace Game {

void ISideScrollCamera::LockCurrentCamera()
{
    if (auto* camera = dynamic_cast<ISideScrollCamera*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera()))
        camera->ChangeState("LockCameraState");
}

} // namespace Game
