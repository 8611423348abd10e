// The game triggers of the level as the editor walks them: every live entity of the trigger types
// (sound to location-based spawner) that is a game trigger, type by type.
#pragma once

#include <vector>

namespace Game {

class CGameTrigger;

std::vector<CGameTrigger*> LiveGameTriggers();

} // namespace Game
