#include "game/base/ICameraJolts.h"

#include "render/CCameraManager.h"

namespace Game {

ICameraJolts* ICameraJolts::Current()
{
    return dynamic_cast<ICameraJolts*>(Vesk::CCameraManager::GetInstance().GetCurrentCamera());
}

} // namespace Game
