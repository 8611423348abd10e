// CGameServices: where game-world code reaches the services that other parts of the game provide
// (the game master). A provider registers itself while it is up and unregisters before it goes;
// with none registered the calls fall back as each says.
#pragma once

#include "core/CSingleton.h"

#include <string>

namespace Game {

class IGameMaster;

class CGameServices : public Vesk::CSingleton<CGameServices> {
public:
    void SetGameMaster(IGameMaster* gameMaster) { m_pGameMaster = gameMaster; }
    IGameMaster* GetGameMaster() const { return m_pGameMaster; }
    // The registered game master; without one, a stand-in that plays nothing, keeps no record,
    // reports no wave and counts every enemy as defeated.
    IGameMaster& GameMaster() const;

    // True without a game master: nothing then counts enemies, so none is waiting.
    bool AllEnemiesDefeated() const;
    // 0 without a game master.
    int GetRemainingEnemyCount() const;
    // Nothing without a game master.
    void PlayMusic(const std::string& name, float volume) const;

private:
    IGameMaster* m_pGameMaster = nullptr;
};

} // namespace Game
