// The effects of the sound, camera-lock and boss-event triggers.
#include "audio/CAudioSystem.h"
#include "game/base/CGameServices.h"
#include "game/base/ISideScrollCamera.h"
#include "game/controllers/CBigBossController.h"
#include "game/entities/CBossEventTrigger.h"
#include "game/entities/CCameraLockTrigger.h"
#include "game/entities/CSoundTrigger.h"

namespace Game {

void CSoundTrigger::InitTrigger(const std::string& name, const EntitySetting& setting,
                                const GameTriggerSetting& triggerSetting)
{
    CGameTrigger::InitTrigger(name, setting, triggerSetting);
    m_SoundName = triggerSetting.m_SoundName;
}

void CSoundTrigger::Fire() { Vesk::CAudioSystem::GetInstance().PlaySound(m_SoundName, false); }

void CCameraLockTrigger::Fire() { ISideScrollCamera::LockCurrentCamera(); }

void CBossEventTrigger::Fire()
{
    const std::vector<CEntity*> slaves = GetSlaveEntities();
    if (slaves.empty())
        return;
    auto* boss = dynamic_cast<CBigBossController*>(slaves.front()->GetController());
    if (!boss)
        return;
    boss->m_Enabled = true;
    CGameServices::GetInstance().PlayMusic("bossbgm", 1.0f);
    ISideScrollCamera::LockCurrentCamera();
}

} // namespace Game
