// Start and stop of SDL's video and event subsystems, shared by the window, the gamepad layer
// and the graphics layer. Reference-counted: each Acquire needs one Release.
#pragma once

namespace win {

// False when no video driver could be started (the reason is on standard error).
bool AcquireVideo();
void ReleaseVideo();

// True when a real display is in use (not the offscreen or dummy driver).
bool HasRealDisplay();

// Marks every shared library loaded so far to stay loaded until the process ends. SDL unloads
// the GL driver with its last window; Mesa's drivers lose track of their allocations when
// unloaded and repeat their start-up when loaded again. Called once a GL driver is in.
void KeepLoadedLibraries();

} // namespace win
