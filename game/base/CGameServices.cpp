#include "game/base/CGameServices.h"

#include "game/base/IGameMaster.h"

namespace Game {

namespace {

// The game master while none is up.
class CAbsentGameMaster : public IGameMaster {
public:
    bool AllEnemiesDefeated() const override { return true; }
    int GetRemainingEnemyCount() const override { return 0; }
    void PlayMusic(const std::string&, float) override {}
    Vesk::CSoundChannel PlaySound(const std::string&) override { return {}; }
    void MarkLevelComplete() override {}
    void AddPlayer(CEntity*) override {}
    void RemovePlayer(CEntity*) override {}
    void AddComboHit(CEntity*) override {}
    void AddKill(CEntity*) override {}
    void AddDeath(CEntity*, int) override {}
    void AddDamageTaken(CEntity*, int) override {}
    void AddDamageDealt(CEntity*, int) override {}
    void AddPoints(CEntity*, int) override {}
    PlayProgress GetPlayProgress(CEntity*) const override { return {}; }
};

} // namespace

IGameMaster& CGameServices::GameMaster() const
{
    static CAbsentGameMaster absent;
    return m_pGameMaster ? *m_pGameMaster : absent;
}

bool CGameServices::AllEnemiesDefeated() const { return GameMaster().AllEnemiesDefeated(); }

int CGameServices::GetRemainingEnemyCount() const { return GameMaster().GetRemainingEnemyCount(); }

void CGameServices::PlayMusic(const std::string& name, float volume) const { GameMaster().PlayMusic(name, volume); }

} // namespace Game
