// Every engine suite ends with the engine's managers taken down.
#include "frame/CGameManager.h"
#include "support/TestSupport.h"

namespace {

[[maybe_unused]] const bool kRegistered =
    (testsupport::SetManagerReset([] { Vesk::CGameManager::GetInstance().Shutdown(); }), true);

} // namespace
