// The default gamepad source: SDL's game controllers, recognised through SDL's built-in mapping
// database, in four slots filled as pads are plugged in and emptied as they go.
#pragma once

#ifndef THRUMMOCK_PLATFORM_INTERNAL
#error "SdlPadSource.h is the platform layer's own: reach the pads through platform/pad/Pad.h"
#endif

#include "platform/pad/Pad.h"

namespace pad {

Source& SdlSource();
// Closes the open controllers and stops SDL's game-controller subsystem.
void ShutdownSdlSource();

} // namespace pad
