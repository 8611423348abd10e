#include "game/editor/EditorTriggers.h"

#include "game/base/GameEnums.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CGameTrigger.h"

namespace Game {

std::vector<CGameTrigger*> LiveGameTriggers()
{
    std::vector<CGameTrigger*> triggers;
    for (int type = SOUND_TRIGGER; type <= LOCATIONBASED_SPAWNER_TRIGGER; ++type)
        for (CEntity* entity : CEntityFactory::GetInstance().FindByType(type))
            if (auto* trigger = dynamic_cast<CGameTrigger*>(entity))
                triggers.push_back(trigger);
    return triggers;
}

} // namespace Game
