#include "game/states/ButtonCallbacks.h"

#include "audio/CAudioSystem.h"
#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "game/states/CConfirmationState.h"
#include "game/states/CCreditsState.h"
#include "game/states/CHighScoreState.h"
#include "game/states/CHowToPlayState.h"
#include "game/states/CLevelSelectionState.h"
#include "game/states/CMenuState.h"
#include "game/states/COptionsState.h"
#include "game/states/CPlayState.h"
#include "game/states/CSplashState.h"
#include "game/states/CTransitStates.h"
#include "game/states/PlayerOptions.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "ui2d/CDisplayObject2D.h"
#include "window/CWindowSystem.h"

#include <string>

namespace Game {

namespace {

Vesk::CGameManager& Game() { return Vesk::CGameManager::GetInstance(); }
Vesk::CWindowSystem& Window() { return Vesk::CWindowSystem::GetInstance(); }

// The state on top when it is of the class, else null.
template <typename State>
State* TopAs()
{
    return dynamic_cast<State*>(Game().GetCurrentState());
}

// The screen above the menu goes, and the menu below becomes one that starts the level.
void StartLevelThroughMenu(int level)
{
    Game().PopState();
    Game().ChangeState(new CMenuState("MenuState", level));
}

void StartLevel1() { StartLevelThroughMenu(1); }
void StartLevel2() { StartLevelThroughMenu(2); }
void StartLevel3() { StartLevelThroughMenu(3); }
void Back() { Game().PopState(); }
void ToMenu() { Game().ChangeState(new CMenuState("MenuState", 0)); }
void OpenCredits() { Game().PushState(new CCreditsState("CCreditsState")); }
void OpenHowToPlay() { Game().PushState(new CHowToPlayState("HowToPlayState")); }
void ToSplash() { Game().ChangeState(new CSplashState("SplashState")); }

template <int Kind>
void AskConfirmation()
{
    Game().PushState(new CConfirmationState(Kind, "ConfirmationState"));
}

void Confirm()
{
    if (auto* confirmation = TopAs<CConfirmationState>())
        confirmation->Confirm();
}

void ToggleSound()
{
    SetSoundMuted(!IsSoundMuted());
    SavePlayerOptions();
}

void ToggleFullScreen()
{
    Window().ToggleFullScreen();
    SavePlayerOptions();
}

void OpenOptions() { Game().PushState(new COptionsState("OptionState", TopAs<CMenuState>() != nullptr)); }

// The resolution changes at once; the screen on top is built again for it after the frame.
template <int Width, int Height>
void SetResolution()
{
    Window().SetResolution(Width, Height);
    Game().m_Status = Vesk::CGameManager::StatusRestart;
}

void SetLargestResolution()
{
    Window().SetResolution(Window().GetMaxScreenWidth(), Window().GetMaxScreenHeight());
    Game().m_Status = Vesk::CGameManager::StatusRestart;
}

void BackAndReenter()
{
    Game().PopState();
    Game().m_Status = Vesk::CGameManager::StatusRestart;
}

// Level 1 at once, the way out of the menu opening over it.
void QuickPlay()
{
    CLevelManager::GetInstance().SetLevelFileName("");
    Game().PopState();
    Game().ChangeState(new CPlayState("CPlayState", 1));
    Game().PushState(new CTransitOutState("TransitOutState"));
}

void EndPlay() { CGameMaster::GetInstance().SetPhase(PHASE_GAME_OVER); }

void TransitToMenu() { Game().PushState(new CTransitInState(new CMenuState("MenuState", 0), "TransitInState")); }

// A tenth of the volume down or up on the options screen. Over the pause screen the screen works
// on twice the master volume (what the player chose) and stores half of the result.
template <bool Up>
void StepVolume()
{
    float f = 2.0f, g = 0.5f;
    if (const COptionsState* options = TopAs<COptionsState>(); options && options->IsOpenedFromMenu())
        f = g = 1.0f;
    Vesk::CAudioSystem& audio = Vesk::CAudioSystem::GetInstance();
    float v = audio.GetMasterVolume() * f + (Up ? 0.1f : -0.1f);
    std::string label;
    if (!Up) {
        if (v >= 0.0f) {
            label = "vol" + std::to_string(static_cast<int>(v * 10.0f + 0.5f));
        } else {
            v = 0.0f;
            label = "vol0";
        }
    } else if (v <= 1.0f) {
        label = "vol" + std::to_string(static_cast<int>(v * 10.0f + 0.5f));
    } else {
        v = 1.0f;
        label = "vol10";
    }
    if (Vesk::CDisplayObject2D* bar = CGuiManager::GetInstance().FindElement(0, "OptionsVolume"))
        bar->SetAnimation(label);
    audio.SetMasterVolume(v * g);
    SavePlayerOptions();
}

void ToggleMute()
{
    if (auto* options = TopAs<COptionsState>())
        options->ToggleMute();
}

void OpenLevelSelection() { Game().PushState(new CLevelSelectionState("CLevelSelectionState")); }

void OpenHighscores() { Game().PushState(new CHighScoreState("CHighScoreState")); }

// A page turn of the screen on top, when it is a screen of that class.
template <typename Screen, void (Screen::*turn)()>
void TurnPage()
{
    if (auto* screen = TopAs<Screen>())
        (screen->*turn)();
}

struct Entry {
    int id;
    GuiCallback action;
};

const Entry kCallbacks[] = {
    {0, &StartLevel1},
    {1, &AskConfirmation<CConfirmationState::KindQuit>},
    {2, &Confirm},
    {3, &Back},
    {4, &AskConfirmation<CConfirmationState::KindRestart>},
    {5, &AskConfirmation<CConfirmationState::KindToMenu>},
    {6, &Back},
    {7, &ToMenu},
    {8, &OpenCredits},
    {9, &ToggleSound},
    {10, &ToggleFullScreen},
    {11, &OpenOptions},
    {12, &OpenHowToPlay},
    {13, &ToSplash},
    {14, &SetResolution<800, 600>},
    {15, &SetResolution<1024, 768>},
    {16, &SetLargestResolution},
    {17, &BackAndReenter},
    {18, &QuickPlay},
    {19, &EndPlay},
    {20, &TransitToMenu},
    {21, &StepVolume<false>},
    {22, &StepVolume<true>},
    {23, &ToggleMute},
    {24, &OpenHighscores},
    {25, &TurnPage<CHighScoreState, &CHighScoreState::PreviousPage>},
    {26, &TurnPage<CHighScoreState, &CHighScoreState::NextPage>},
    {27, &OpenLevelSelection},
    {28, &StartLevel2},
    {29, &StartLevel3},
    {30, &TurnPage<CHowToPlayState, &CHowToPlayState::PrevPage>},
    {31, &TurnPage<CHowToPlayState, &CHowToPlayState::NextPage>},
};

} // namespace

void RegisterGuiCallbacks()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    for (const Entry& entry : kCallbacks)
        gui.GetCallback(entry.id) = entry.action;
}

} // namespace Game
