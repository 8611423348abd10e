#include "game/states/CRessaSandboxState.h"

#include "frame/CGameManager.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/states/GameStates.h"

namespace Game {

void CRessaSandboxState::Enter()
{
    CHighscoreRecord& table = CHighscoreRecord::GetInstance();
    table.SetPath(kScratchPath);
    table.Init();
    Vesk::CGameManager::GetInstance().PushState(new CHighscoreInputState(0, ""));
}

void CRessaSandboxState::Exit() { CHighscoreRecord::GetInstance().SetPath(CHighscoreRecord::kPath); }

} // namespace Game
