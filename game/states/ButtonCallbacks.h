// The actions of the GUI buttons, written into the GUI manager's callback table by number. Each
// acts only through the game manager's queued state requests and status, the window, the sound,
// the game master or the state on top. Numbers without an action here leave their buttons doing
// nothing.
#pragma once

namespace Game {

// Writes every action of this table into the GUI manager's; other slots are left as they are.
void RegisterGuiCallbacks();

} // namespace Game
