// Every state of the game in one include, for start-up, the hotkeys and the button actions.
#pragma once

#include "game/gui/CHighscoreRecord.h"
#include "game/states/CConfirmationState.h"
#include "game/states/CCtrlState.h"
#include "game/states/CCubeTestState.h"
#include "game/states/CHighscoreInputState.h"
#include "game/states/CMenuState.h"
#include "game/states/COptionsState.h"
#include "game/states/CPauseState.h"
#include "game/states/CPhyState.h"
#include "game/states/CPlayState.h"
#include "game/states/CPlimmSandboxState.h"
#include "game/states/CRessaSandboxState.h"
#include "game/states/CSplashState.h"
#include "game/states/CTransitStates.h"
#include "game/states/CUloSandboxState.h"
#include "game/states/CpmarlSandboxState.h"
