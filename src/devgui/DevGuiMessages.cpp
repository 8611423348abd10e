#include "devgui/DevGuiMessages.h"

namespace Vesk {

// The panels do not take input yet, so every message reaches the game.
bool DevGuiHandlesMessage(const win::Message&) { return false; }

} // namespace Vesk
