// The game master's per-player statistics: records, combos, points and the score.
#include "game/world/CGameMaster.h"

#include "game/entities/CEntity.h"
#include "game/world/CWaveManager.h"
#include "math/GameMath.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace Game {

namespace {

// Sums kept in int range: absurd amounts saturate instead of overflowing.
int SaturatedSum(int64_t value)
{
    return static_cast<int>(
        std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

PlayerStats StartValues(const EntityHandle& player)
{
    PlayerStats stats;
    stats.m_Player = player;
    return stats;
}

} // namespace

PlayerStats* CGameMaster::FindStats(CEntity* player)
{
    if (!player)
        return nullptr;
    const auto found = m_PlayerStats.find(player->GetSerial());
    return found == m_PlayerStats.end() ? nullptr : &found->second;
}

void CGameMaster::AddPlayer(CEntity* player)
{
    if (player)
        m_PlayerStats.emplace(player->GetSerial(), StartValues(EntityHandle(player)));
}

void CGameMaster::RemovePlayer(CEntity* player)
{
    if (player)
        m_PlayerStats.erase(player->GetSerial());
}

void CGameMaster::ResetPlayerStats()
{
    for (auto& entry : m_PlayerStats)
        entry.second = StartValues(entry.second.m_Player);
}

PlayerStats CGameMaster::GetPlayerStats(CEntity* player) const
{
    if (player) {
        const auto found = m_PlayerStats.find(player->GetSerial());
        if (found != m_PlayerStats.end())
            return found->second;
    }
    return PlayerStats();
}

PlayProgress CGameMaster::GetPlayProgress(CEntity* player) const
{
    const PlayerStats stats = GetPlayerStats(player);
    const CWaveManager& waves = CWaveManager::GetInstance();
    PlayProgress progress;
    progress.m_ShownPoints = stats.m_ShownPoints;
    progress.m_Combo = stats.m_Combo;
    progress.m_ComboMultiplier = stats.m_ComboMultiplier;
    progress.m_ComboTimer = stats.m_ComboTimer;
    progress.m_HasWaves = !waves.GetWaveEnemyTotals().empty();
    progress.m_RemainingEnemies = waves.GetRemainingEnemies();
    progress.m_WaveTotal = waves.GetWaveEnemyTotal();
    return progress;
}

bool CGameMaster::HasPlayer(CEntity* player) const { return player && m_PlayerStats.count(player->GetSerial()) != 0; }

void CGameMaster::AddComboHit(CEntity* player)
{
    if (PlayerStats* stats = FindStats(player)) {
        stats->m_Combo = SaturatedSum(int64_t(stats->m_Combo) + 1);
        stats->m_ComboTimer = kComboSeconds;
        stats->m_BestCombo = std::max(stats->m_BestCombo, stats->m_Combo);
    }
}

void CGameMaster::AddKill(CEntity* player)
{
    if (PlayerStats* stats = FindStats(player))
        stats->m_Kills = SaturatedSum(int64_t(stats->m_Kills) + 1);
}

void CGameMaster::AddDeath(CEntity* player, int count)
{
    if (PlayerStats* stats = FindStats(player))
        stats->m_Deaths = SaturatedSum(int64_t(stats->m_Deaths) + count);
}

void CGameMaster::AddDamageTaken(CEntity* player, int amount)
{
    if (PlayerStats* stats = FindStats(player))
        stats->m_DamageTaken = SaturatedSum(int64_t(stats->m_DamageTaken) + amount);
}

void CGameMaster::AddDamageDealt(CEntity* player, int amount)
{
    if (PlayerStats* stats = FindStats(player))
        stats->m_DamageDealt = SaturatedSum(int64_t(stats->m_DamageDealt) + amount);
}

void CGameMaster::AddPoints(CEntity* player, int points)
{
    PlayerStats* stats = FindStats(player);
    if (!stats)
        return;
    stats->m_ComboTimer = std::min(stats->m_ComboTimer + kComboAfterPointsSeconds, kComboAfterPointsSeconds);
    const float bonus = static_cast<float>(points) * stats->m_ComboMultiplier;
    const int64_t truncated = static_cast<int64_t>(std::clamp(bonus, -2.0e9f, 2.0e9f));
    stats->m_Points = SaturatedSum(int64_t(stats->m_Points) + points + truncated);
    stats->m_CountUpTimer = kCountUpSeconds;
    stats->m_PointsToShow = SaturatedSum(int64_t(stats->m_Points) - stats->m_ShownPoints);
}

int CGameMaster::GetScore(CEntity* player) const
{
    if (!player)
        return 0;
    const auto found = m_PlayerStats.find(player->GetSerial());
    if (found == m_PlayerStats.end())
        return 0;
    const PlayerStats& s = found->second;
    // Wraps like 32-bit integer arithmetic.
    const uint32_t score = 23u * uint32_t(s.m_BestCombo) - 120u * uint32_t(s.m_Deaths) -
                           31u * uint32_t(s.m_DamageTaken) + uint32_t(s.m_Points);
    return static_cast<int32_t>(score);
}

void CGameMaster::UpdateStats(float dt)
{
    for (auto& entry : m_PlayerStats) {
        PlayerStats& stats = entry.second;
        if (CountDown(&stats.m_ComboTimer, dt))
            stats.m_Combo = 0;
        stats.m_ComboMultiplier = 1.0f + 0.1f * static_cast<float>(stats.m_Combo / 5);
        if (stats.m_ShownPoints < stats.m_Points) {
            if (CountDown(&stats.m_CountUpTimer, dt))
                stats.m_ShownPoints = stats.m_Points;
            else
                ++stats.m_ShownPoints;
        }
    }
}

} // namespace Game
