// CSoundTrigger: a game trigger that plays its prefab's sound ("soundname") when it fires; it
// fires when its entity condition holds.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CSoundTrigger : public CGameTrigger {
public:
    int GetType() const override { return SOUND_TRIGGER; }
    void InitTrigger(const std::string& name, const EntitySetting& setting,
                     const GameTriggerSetting& triggerSetting) override;
    bool CheckCondition() override { return CheckEntityCondition(); }
    void Fire() override;

    const std::string& GetSoundName() const { return m_SoundName; }

private:
    std::string m_SoundName;
};

} // namespace Game
