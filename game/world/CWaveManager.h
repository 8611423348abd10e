// CWaveManager: a level's enemies, wave by wave. It reads the level's wave file
// ("<wave directory>/<level name>.xml": "WaveList", its waves, their groups, their spawn entries),
// parks five dormant template enemies out of the level, makes one location-based spawner per group
// and one trigger modifier ("globalwavetrigger") that wakes each wave's spawners once the previous
// wave is spawned and beaten. It shows the banner when a wave is about to start, turns every enemy
// towards the player now and then, and answers the wave number, the current wave's total and what
// is left of it, and whether every wave is cleared. Everything it makes, and everything its
// spawners spawn, is transient (never saved with the level). Objects are held by handle.
#pragma once

#include "core/CSingleton.h"
#include "game/entities/EntityHandle.h"
#include "game/world/CWaveBanner.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace Vesk {
class CXmlElement;
}

namespace Game {

class CEntity;
class CTriggerModifierTrigger;
class IWaveHud;

class CWaveManager : public Vesk::CSingleton<CWaveManager> {
public:
    static constexpr float kFireDelay = 5.0f;
    static constexpr float kRetargetPeriod = 5.0f;
    static constexpr size_t kWaveTextBlanks = 45;
    // Larger counts in a wave file are cut down to this.
    static constexpr int kMaxEntryCount = 1000;
    // A wave's enemy total, and what is left of it, are held at this (summed wide, so that no
    // number of entries can overflow them into a negative "n OF m").
    static constexpr int kMaxWaveEnemyTotal = 1000 * kMaxEntryCount;

    // One enemy kind a wave file names: its entry name, its prefab ("GENERIC_CHARACTER") and
    // the name of its template entity.
    struct EnemyKind {
        const char* m_EntryName;
        const char* m_PrefabName;
        const char* m_TemplateName;
    };
    static const std::array<EnemyKind, 5> kEnemyKinds;

    // Banner and wave text, the global trigger, the templates, then the waves of the level
    // manager's level. False when the wave file does not load or gives no spawner; the global
    // trigger then sleeps, so no wave ever starts, and once released the level counts as cleared
    // when no enemy is left.
    bool Init() override;
    // Destroys the global trigger, its spawners and the templates, and forgets the waves.
    void Shutdown() override;
    ~CWaveManager() override = default;

    void Update(float dt);
    // Reads "<wave directory>/<level name>.xml" into spawners under the global trigger.
    bool LoadWaves(const std::string& levelName);

    // The global trigger's activation index + 1.
    int GetWaveNumber() const;
    // The enemy total of the wave that started last; 0 before the first.
    int GetWaveEnemyTotal() const;
    // What the spawners of the wave that started last have still to spawn, plus the live enemies;
    // 0 before the first wave or when that wave has no spawner; at most kMaxWaveEnemyTotal.
    int GetRemainingEnemies() const;
    void SetHudHidden(bool hidden);
    bool IsHudHidden() const { return m_Banner.IsHidden(); }

    // On hold from Init until the play state releases it; the first release starts the waves.
    void SetOnHold(bool onHold);
    bool IsOnHold() const { return m_OnHold; }
    bool AreAllWavesSpawned() const { return m_AllWavesSpawned; }
    bool AreAllWavesCleared() const { return m_AllWavesCleared; }

    // The HUD the banner and wave text draw on; null draws nothing. Kept until replaced.
    void SetHud(IWaveHud* hud);
    // Where the wave files are; "assets/scripts/wave" unless changed.
    void SetWaveDirectory(const std::string& directory) { m_WaveDirectory = directory; }

    CTriggerModifierTrigger* GetGlobalTrigger() const;
    const std::vector<int>& GetWaveEnemyTotals() const { return m_WaveEnemyTotals; }
    const CWaveBanner& GetBanner() const { return m_Banner; }

private:
    void CreateGlobalTrigger();
    void CreateTemplates();
    const CEntity* FindTemplate(const std::string& entryName) const;
    // Adds the group's spawn entries to a new spawner and their counts to the wave's total,
    // summed wide; false (and no spawner) when none is usable.
    bool AddGroup(Vesk::CXmlElement group, int wave, int groupIndex, int64_t& total);
    void Retarget();
    void SetWaveText(const std::string& text);
    // The wave that started last, clamped into the waves read; -1 before the first.
    int CurrentWaveIndex() const;

    bool m_AllWavesCleared = false;
    std::vector<int> m_WaveEnemyTotals;
    bool m_OnHold = true;
    float m_FireDelay = kFireDelay;
    float m_RetargetPeriod = kRetargetPeriod;
    float m_RetargetTimer = 0.0f;
    bool m_AllWavesSpawned = false;
    int m_PreviousTriggerStatus = -1;
    EntityHandle m_GlobalTrigger;
    std::array<EntityHandle, 5> m_Templates;
    // The waves loaded and may start; set once the first release has woken the global trigger.
    bool m_WavesReady = false;
    bool m_Started = false;
    IWaveHud* m_pHud = nullptr;
    CWaveBanner m_Banner;
    std::string m_WaveDirectory = "assets/scripts/wave";
};

} // namespace Game
