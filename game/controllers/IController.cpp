#include "game/controllers/IController.h"

#include "game/entities/CEntity.h"

namespace Game {

void CCharacterController::SetTarget(CEntity* target)
{
    if (target)
        m_Target = EntityHandle(target);
}

} // namespace Game
