// Atomic file replacement for every save of the engine and the game: the contents go to
// "<path>.tmp", which is then renamed over the path, so a failed save leaves the old file as it
// was. Failures are logged (prefixed with the caller's name) and reported as false.
#pragma once

#include <string>

namespace Vesk {

bool WriteFileAtomically(const std::string& path, const std::string& contents, const std::string& owner);

} // namespace Vesk
