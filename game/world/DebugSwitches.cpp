#include "game/world/DebugSwitches.h"

namespace Game {

bool g_DrawEntityBodies = false;

} // namespace Game
