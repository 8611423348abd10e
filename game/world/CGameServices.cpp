#include "game/world/CGameServices.h"

#include "game/world/IGameMaster.h"

namespace Game {

bool CGameServices::AllEnemiesDefeated() const { return !m_pGameMaster || m_pGameMaster->AllEnemiesDefeated(); }

int CGameServices::GetRemainingEnemyCount() const
{
    return m_pGameMaster ? m_pGameMaster->GetRemainingEnemyCount() : 0;
}

void CGameServices::PlayMusic(const std::string& name, float volume) const
{
    if (m_pGameMaster)
        m_pGameMaster->PlayMusic(name, volume);
}

} // namespace Game
