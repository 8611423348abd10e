// The game's states. Screens not built yet run as placeholders under their own class names,
// so start-up, the hotkeys and the state stack already work with the real types.
#pragma once

#include "game/gui/CHighscoreRecord.h"
#include "game/states/CCtrlState.h"
#include "game/states/CCubeTestState.h"
#include "game/states/CMenuState.h"
#include "game/states/CPhyState.h"
#include "game/states/CPlaceholderState.h"
#include "game/states/CPlayState.h"
#include "game/states/CPlimmSandboxState.h"
#include "game/states/CRessaSandboxState.h"
#include "game/states/CSplashState.h"
#include "game/states/CTransitStates.h"
#include "game/states/CUloSandboxState.h"
#include "game/states/CpmarlSandboxState.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Game {

class CPauseState : public CPlaceholderState {
public:
    explicit CPauseState(const std::string& name) : CPlaceholderState(name) {}
};

// The name entry for a score that beats the lowest kept one of its level; its state name is empty.
class CHighscoreInputState : public CPlaceholderState {
public:
    CHighscoreInputState(uint32_t score, const std::string& levelName)
        : CPlaceholderState(""), m_Score(score), m_LevelName(levelName)
    {
    }
    uint32_t GetScore() const { return m_Score; }
    const std::string& GetLevelName() const { return m_LevelName; }

private:
    uint32_t m_Score;
    std::string m_LevelName;
};

} // namespace Game
