// CGameMaster: the referee of a level. It keeps the play phase, runs the background music with
// cross-fades, plays the named sound effects of the sound list at their listed volumes, keeps one
// statistics record per player (points, kills, deaths, damage, combo) for the end-of-level score,
// and answers whether every enemy of the level is defeated. Updated once a frame by the play
// state. Players are held by handle: a record whose player is gone stays readable by handle only.
#pragma once

#include "audio/CSoundChannel.h"
#include "core/CSingleton.h"
#include "game/base/IGameMaster.h"
#include "game/entities/EntityHandle.h"

#include <cstdint>
#include <map>
#include <string>

namespace Game {

class CEntity;

enum GamePhase : int {
    PHASE_LEVEL_START = 0,
    PHASE_RUNNING = 1,
    PHASE_LEVEL_COMPLETE = 2,
    PHASE_GAME_OVER = 3,
};

enum MusicState : int {
    MUSIC_FADING_IN = 0,
    MUSIC_PLAYING = 1,
    MUSIC_FADING_OUT = 2,
    MUSIC_STOPPED = 3,
};

struct PlayerStats {
    EntityHandle m_Player;
    int m_ShownPoints = 0;
    int m_Points = 0;
    int m_Kills = 0;
    int m_Deaths = 0;
    int m_DamageTaken = 0;
    int m_DamageDealt = 0;
    int m_Combo = 0;
    int m_BestCombo = 0;
    int m_PointsToShow = 0;
    float m_ComboMultiplier = 1.0f;
    float m_CountUpTimer = 0.0f;
    float m_ComboTimer = 0.0f;
};

class CGameMaster : public Vesk::CSingleton<CGameMaster>, public IGameMaster {
public:
    static constexpr float kFadeSeconds = 0.5f;
    static constexpr float kComboSeconds = 5.0f;
    static constexpr float kComboAfterPointsSeconds = 2.5f;
    static constexpr float kCountUpSeconds = 1.0f;

    // Music stopped, next volume 1.0, fade timer 0.
    bool Init() override;
    // Stops the music and forgets the sound volumes and every player record.
    void Shutdown() override;

    int GetPhase() const { return m_Phase; }
    // The phase only rises, except that 0 restarts it; 4 and above (and negatives) are ignored.
    void SetPhase(int phase);
    void StartLevel();
    void MarkLevelComplete() override;
    bool IsLevelStarted() const { return m_LevelStarted != 0; }

    // Fades the current track out and the named one in; the track playing already is kept.
    void PlayMusic(const std::string& name, float volume) override;
    void StopMusic();
    // Music fades, then the statistics timers.
    void Update(float dt);

    int GetMusicState() const { return m_MusicState; }
    const std::string& GetCurrentTrackName() const { return m_CurrentTrack; }
    const std::string& GetNextTrackName() const { return m_NextTrack; }
    float GetCurrentTrackVolume() const { return m_CurrentVolume; }
    Vesk::CSoundChannel GetMusicChannel() const { return m_MusicChannel; }

    // A listed sound effect, restarted on its own channel at its listed volume; a null channel
    // (nothing played) for any other name, music tracks included.
    Vesk::CSoundChannel PlaySound(const std::string& name) override;
    // Loads the "sfx" and "bgm" children of "sounds" through the audio system; a file that does
    // not load adds nothing.
    void LoadSoundList(const std::string& path);
    // The listed volume of a sound effect; false for names not listed.
    bool GetSoundVolume(const std::string& name, float& volume) const;

    // A record for a player not yet known; null is ignored.
    void AddPlayer(CEntity* player) override;
    void RemovePlayer(CEntity* player) override;
    // Every record back to its start values, its player kept.
    void ResetPlayerStats();
    // A copy of the player's record; start values (with an empty player) when it has none.
    PlayerStats GetPlayerStats(CEntity* player) const;
    bool HasPlayer(CEntity* player) const;

    void AddComboHit(CEntity* player) override;
    void AddKill(CEntity* player) override;
    void AddDeath(CEntity* player, int count) override;
    void AddDamageTaken(CEntity* player, int amount) override;
    void AddDamageDealt(CEntity* player, int amount) override;
    void AddPoints(CEntity* player, int points) override;
    // 23 x best combo - 120 x deaths - 31 x damage taken + points; 0 without a record.
    int GetScore(CEntity* player) const;
    // The player's record as the HUD shows it and the wave manager's progress.
    PlayProgress GetPlayProgress(CEntity* player) const override;

    // An enemy is a live character not named "player" whose controller exists and is enabled,
    // and which is neither dying nor dead.
    bool AllEnemiesDefeated() const override;
    int GetRemainingEnemyCount() const override;

private:
    PlayerStats* FindStats(CEntity* player);
    void UpdateMusic(float dt);
    void StartNextTrack();
    void UpdateStats(float dt);

    int m_Phase = PHASE_LEVEL_START;
    int m_LevelStarted = 0;
    int m_MusicState = MUSIC_STOPPED;
    std::string m_CurrentTrack;
    float m_CurrentVolume = 0.0f;
    std::string m_NextTrack;
    float m_NextVolume = 1.0f;
    float m_FadeTimer = 0.0f;
    Vesk::CSoundChannel m_MusicChannel;
    std::map<std::string, float> m_SoundVolumes;
    // Keyed by the player's entity serial.
    std::map<uint64_t, PlayerStats> m_PlayerStats;
};

} // namespace Game
