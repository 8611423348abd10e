// IGameMaster: what the game world asks of the game master, the keeper of the play phase: whether
// any enemy is still standing and how many, and which music plays. CGameServices holds the one in charge: the
// game master while it is up, a stand-in in tests.
#pragma once

#include <string>

namespace Game {

class IGameMaster {
public:
    virtual ~IGameMaster() = default;
    virtual bool AllEnemiesDefeated() const = 0;
    virtual int GetRemainingEnemyCount() const = 0;
    virtual void PlayMusic(const std::string& name, float volume) = 0;
};

} // namespace Game
