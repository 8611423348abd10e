// The actions of the GUI buttons, written into the GUI manager's callback table by number. Each
// acts only through the game manager's queued state requests or on the state on top. Numbers
// without an action here leave their buttons doing nothing.
#pragma once

namespace Game {

void RegisterButtonCallbacks();

} // namespace Game
