// The game's managers in the order they come up; each table's Stop takes them down in reverse.
// The program table holds what a run loads once (types and caches, prefabs, attack definitions,
// the level lineup) and stops the play session's managers too, whichever state left them up. The
// session table is what a play or sandbox state brings up on Enter and takes down on Exit.
// Nothing here loads in a constructor: every file is read by a step, in the working directory
// of the moment.
#pragma once

#include "core/CManagerTable.h"

#include <string>

namespace Game {

// The end of a run, and the tests' clean slate: every state taken down (each stops what it
// started), then the game's managers, then the engine's. Harmless on what is not up.
void ShutdownGame();

// Needs the engine up (the renderer and the resource manager). Fails only when the prefab
// settings do not load.
Vesk::CManagerTable GameManagerTable();

enum class SessionKind { Sandbox, Play };

// For a play the prefab settings; the 3D sprites, the entity factory, the controllers and the
// attack pool; for a play also the game master and the skill list; then the level at `levelPath` (empty: the empty
// slab) and, for a play, its waves. A level or waves that do not load leave an empty world, not a failed start.
Vesk::CManagerTable GameSessionTable(SessionKind kind, const std::string& levelPath);

} // namespace Game
