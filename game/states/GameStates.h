// The game's states. Screens not built yet run as placeholders under their own class names,
// so start-up, the hotkeys and the state stack already work with the real types.
#pragma once

#include "game/gui/CHighscoreRecord.h"
#include "game/states/CConfirmationState.h"
#include "game/states/CCtrlState.h"
#include "game/states/CCubeTestState.h"
#include "game/states/CHighscoreInputState.h"
#include "game/states/CMenuState.h"
#include "game/states/COptionsState.h"
#include "game/states/CPauseState.h"
#include "game/states/CPlaceholderState.h"
#include "game/states/CPlayState.h"
#include "game/states/CSplashState.h"
#include "game/states/CTransitStates.h"
#include "game/states/CpmarlSandboxState.h"

#include <cstdint>
#include <memory>
#include <string>

namespace Game {

class CUloSandboxState : public CPlaceholderState {
public:
    CUloSandboxState() : CPlaceholderState("UloSandbox") {}
};

class CPlimmSandboxState : public CPlaceholderState {
public:
    CPlimmSandboxState() : CPlaceholderState("PlimmSandbox") {}
};

class CRessaSandboxState : public CPlaceholderState {
public:
    CRessaSandboxState() : CPlaceholderState("RessaSandbox") {}
};

class CPhyState : public CPlaceholderState {
public:
    CPhyState() : CPlaceholderState("CPhyState") {}
};

} // namespace Game
