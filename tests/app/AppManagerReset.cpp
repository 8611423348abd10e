// Every program suite ends with the states, the game's managers and the engine's taken down.
#include "game/world/GameLifetime.h"
#include "support/TestSupport.h"

namespace {

[[maybe_unused]] const bool kRegistered = (testsupport::SetManagerReset(&Game::ShutdownGame), true);

} // namespace
