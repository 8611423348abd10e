// The developer GUI's share of window messages: the window procedure offers every message here
// first while the GUI is initialised, and a message the GUI takes goes no further.
#pragma once

#include "platform/win/Messages.h"

namespace Vesk {

// True when the developer GUI handled the message (it wants the mouse or the keyboard).
bool DevGuiHandlesMessage(const win::Message& message);

} // namespace Vesk
