// The default gamepad source: SDL's game controllers, recognised through SDL's built-in mapping
// database, in four slots filled as pads are plugged in and emptied as they go.
#pragma once

#include "platform/pad/Pad.h"

namespace pad {

Source& SdlSource();
// Closes the open controllers and stops SDL's game-controller subsystem.
void ShutdownSdlSource();

} // namespace pad
