// IGameMaster: what the game world asks of the game master, the keeper of the play phase: whether
// any enemy is still standing and how many, which music and sound effects play, the players'
// statistics records and the end of the level. CGameServices holds the one in charge: the game
// master while it is up, a stand-in in tests.
#pragma once

#include "audio/CSoundChannel.h"

#include <string>

namespace Game {

class CEntity;

// The figures of the play a player's HUD shows: the player's record as it counts up, and the
// progress of the wave that started last.
struct PlayProgress {
    int m_ShownPoints = 0;
    int m_Combo = 0;
    float m_ComboMultiplier = 1.0f;
    float m_ComboTimer = 0.0f;
    bool m_HasWaves = false;
    int m_RemainingEnemies = 0;
    int m_WaveTotal = 0;
};

class IGameMaster {
public:
    virtual ~IGameMaster() = default;
    virtual bool AllEnemiesDefeated() const = 0;
    virtual int GetRemainingEnemyCount() const = 0;
    virtual void PlayMusic(const std::string& name, float volume) = 0;
    // A listed sound effect on its own channel; a null channel when nothing played.
    virtual Vesk::CSoundChannel PlaySound(const std::string& name) = 0;
    virtual void MarkLevelComplete() = 0;

    // The player's statistics record; a null player is ignored.
    virtual void AddPlayer(CEntity* player) = 0;
    virtual void RemovePlayer(CEntity* player) = 0;
    virtual void AddComboHit(CEntity* player) = 0;
    virtual void AddKill(CEntity* player) = 0;
    virtual void AddDeath(CEntity* player, int count) = 0;
    virtual void AddDamageTaken(CEntity* player, int amount) = 0;
    virtual void AddDamageDealt(CEntity* player, int amount) = 0;
    virtual void AddPoints(CEntity* player, int points) = 0;
    virtual PlayProgress GetPlayProgress(CEntity* player) const = 0;
};

} // namespace Game
