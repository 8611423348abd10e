#include "game/states/ButtonCallbacks.h"

#include "frame/CGameManager.h"
#include "game/gui/CGuiManager.h"
#include "game/states/CCreditsState.h"
#include "game/states/CHighScoreState.h"
#include "game/states/CHowToPlayState.h"
#include "game/states/CLevelSelectionState.h"
#include "game/states/CMenuState.h"
#include "game/states/CPlayState.h"
#include "game/states/CSplashState.h"
#include "game/states/CTransitStates.h"
#include "game/world/CLevelManager.h"

namespace Game {

namespace {

Vesk::CGameManager& Game() { return Vesk::CGameManager::GetInstance(); }

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

// Level 1 at once, the way out of the menu opening over it.
void QuickPlay()
{
    CLevelManager::GetInstance().SetLevelFileName("");
    Game().PopState();
    Game().ChangeState(new CPlayState("CPlayState", 1));
    Game().PushState(new CTransitOutState("TransitOutState"));
}

void TransitToMenu() { Game().PushState(new CTransitInState(new CMenuState("MenuState", 0), "TransitInState")); }
void OpenLevelSelection() { Game().PushState(new CLevelSelectionState("CLevelSelectionState")); }

void OpenHighscores() { Game().PushState(new CHighScoreState("CHighScoreState")); }

// A page turn of the screen on top, when it is a screen of that class.
template <typename Screen, void (Screen::*turn)()>
void TurnPage()
{
    if (auto* screen = dynamic_cast<Screen*>(Game().GetCurrentState()))
        (screen->*turn)();
}

struct Entry {
    int id;
    GuiCallback action;
};

// The options, pause and confirmation actions join this table with their screens.
const Entry kCallbacks[] = {
    {0, &StartLevel1},
    {3, &Back},
    {6, &Back},
    {7, &ToMenu},
    {8, &OpenCredits},
    {12, &OpenHowToPlay},
    {13, &ToSplash},
    {18, &QuickPlay},
    {20, &TransitToMenu},
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

void RegisterButtonCallbacks()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    for (const Entry& entry : kCallbacks)
        gui.GetCallback(entry.id) = entry.action;
}

} // namespace Game
