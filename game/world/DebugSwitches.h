// Process-wide developer switches read by the game world.
#pragma once

namespace Game {

// Draw the entities' physics bodies (toggled by the Ctrl+B hotkey).
extern bool g_DrawEntityBodies;

} // namespace Game
