#include "game/gui/TopStateName.h"

#include "frame/CGameManager.h"

namespace Game {

std::string TopStateName()
{
    const Vesk::IGameState* top = Vesk::CGameManager::GetInstance().GetCurrentState();
    return top ? top->GetName() : std::string();
}

} // namespace Game
