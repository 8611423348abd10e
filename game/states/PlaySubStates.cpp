// The play state's sub-states: "start" (the wave-start banner), "running" (play, with the pause
// key), "endgame" (the score screen, row by row) and "ended" (the highscore entry or the way back
// to the menu).
#include "game/states/CPlayState.h"

#include "frame/CGameManager.h"
#include "game/controllers/CPlayerController.h"
#include "game/entities/CEntity.h"
#include "game/entities/CEntityFactory.h"
#include "game/gui/CGUIListener.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CGuiWidget.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/gui/CSpriteText.h"
#include "game/states/CHighscoreInputState.h"
#include "game/states/CPauseState.h"
#include "game/states/GameStates.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"
#include "input/CInputManager.h"
#include "math/GameMath.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"
#include "render/CRenderer.h"
#include "resources/IAnimationController.h"
#include "ui2d/CDisplayObject2D.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace Game {

namespace {

// The banner opens at 5 heights a second, holds, then closes at 7.5 while it widens at 15.
constexpr float kBannerOpenSpeed = 5.0f;
constexpr float kBannerHoldSeconds = 1.75f;
constexpr float kBannerCloseSpeed = 7.5f;
constexpr float kBannerWidenSpeed = 15.0f;

constexpr float kScoreScreenDelay = 2.5f;
constexpr float kFirstRowDelay = 1.8f;
constexpr float kRowDelay = 0.6f;
constexpr float kEndedDelay = 1.0f;
constexpr float kFlyingSpeed = 2.0f;

// Screen fractions of the score screen.
constexpr float kLabelX = 0.45f;
constexpr float kValueX = 0.68f;
constexpr float kPointsX = 0.74f;
constexpr float kRowY[] = {0.38f, 0.43f, 0.48f, 0.53f, 0.58f, 0.655f};

CEntity* FirstPlayer()
{
    const std::vector<CEntity*> players = CEntityFactory::GetInstance().FindByName("player");
    return players.empty() ? nullptr : players.front();
}

CPlayerController* ControllerOf(CEntity* player)
{
    return player ? dynamic_cast<CPlayerController*>(player->GetController()) : nullptr;
}

void SetPlayerHudVisible(bool visible)
{
    if (CPlayerController* controller = ControllerOf(FirstPlayer()))
        controller->SetHudVisible(visible);
}

bool PadReleased(uint32_t code) { return Vesk::CInputManager::GetInstance().IsPadButtonReleased(0, code); }

} // namespace

void CPlayState::BuildSubStates()
{
    m_pSubStates = std::make_unique<Vesk::CFiniteStateMachine<CPlayState>>(this);
    m_pSubStates->AddState("start", &CPlayState::StartEnter, &CPlayState::StartUpdate, &CPlayState::StartExit);
    m_pSubStates->AddState("running", &CPlayState::RunningEnter, &CPlayState::RunningUpdate, nullptr);
    m_pSubStates->AddState("endgame", &CPlayState::EndgameEnter, &CPlayState::UpdateScoreScreen,
                           &CPlayState::EndgameExit);
    m_pSubStates->AddState("ended", &CPlayState::EndedEnter, &CPlayState::EndedUpdate, nullptr);
    m_pSubStates->AddTransition("start", "running", &CPlayState::IsRunning);
    m_pSubStates->AddTransition("running", "endgame", &CPlayState::IsLevelCleared);
    m_pSubStates->AddTransition("endgame", "ended", &CPlayState::IsPlayOver);
    m_pSubStates->AddTransition("ended", "start", &CPlayState::IsPhaseReset);
}

bool CPlayState::IsRunning() { return CGameMaster::GetInstance().GetPhase() >= PHASE_RUNNING; }

bool CPlayState::IsLevelCleared() { return CWaveManager::GetInstance().AreAllWavesCleared(); }

bool CPlayState::IsPlayOver() { return CGameMaster::GetInstance().GetPhase() >= PHASE_GAME_OVER; }

bool CPlayState::IsPhaseReset() { return CGameMaster::GetInstance().GetPhase() == PHASE_LEVEL_START; }

Vesk::CDisplayObject2D* CPlayState::Banner() const
{
    return m_ScreenElements.empty() ? nullptr : m_ScreenElements.front();
}

Vesk::CDisplayObject2D* CPlayState::FromLast(size_t n) const
{
    return n >= 1 && n <= m_ScreenElements.size() ? m_ScreenElements[m_ScreenElements.size() - n] : nullptr;
}

void CPlayState::StartEnter()
{
    m_Timer = kBannerHoldSeconds;
    m_IntroPhase = 0;
    m_BannerScaleY = 0.0f;
    m_BannerScaleX = 1.0f;
    if (Vesk::CDisplayObject2D* banner = Banner()) {
        banner->SetVisible(true);
        banner->SetAnimation("idle");
        banner->SetScale(banner->GetScale().x, m_BannerScaleY);
    }
    m_pWaveElement = CGuiManager::GetInstance().FindElement(0, "wave_number");
    if (m_pWaveElement)
        m_pWaveElement->SetVisible(true);
}

void CPlayState::StartUpdate(float dt)
{
    Vesk::CDisplayObject2D* banner = Banner();
    switch (m_IntroPhase) {
    case 0:
        if (m_BannerScaleY >= 1.0f) {
            m_IntroPhase = 1;
            CGameMaster::GetInstance().PlaySound("ready");
        } else {
            m_BannerScaleY += kBannerOpenSpeed * dt;
        }
        if (banner)
            banner->SetScale(banner->GetScale().x, m_BannerScaleY);
        break;
    case 1:
        if (CountDown(&m_Timer, dt))
            m_IntroPhase = 2;
        break;
    case 2:
        if (m_BannerScaleY > 0.0f) {
            m_BannerScaleY -= kBannerCloseSpeed * dt;
            m_BannerScaleX += kBannerWidenSpeed * dt;
        } else {
            m_IntroPhase = 3;
        }
        if (banner)
            banner->SetScale(m_BannerScaleX, m_BannerScaleY);
        break;
    default:
        CGameMaster::GetInstance().SetPhase(PHASE_RUNNING);
        CWaveManager::GetInstance().SetOnHold(false);
        break;
    }
}

void CPlayState::StartExit()
{
    if (Vesk::CDisplayObject2D* banner = Banner()) {
        banner->SetVisible(false);
        banner->SetScale(banner->GetScale().x, 1.0f);
    }
}

void CPlayState::ShowPlayHud(bool visible)
{
    SetPlayerHudVisible(visible);
    CWaveManager::GetInstance().SetHudHidden(!visible);
    if (m_pWaveElement)
        m_pWaveElement->SetVisible(visible);
    if (m_pWaveText)
        m_pWaveText->SetVisible(visible);
}

void CPlayState::RunningEnter()
{
    SetPlayerHudVisible(true);
    CWaveManager::GetInstance().SetHudHidden(false);
    // An Escape tapped during the banner must not open the pause once play begins.
    if (m_pListener)
        m_pListener->ClearKeys();
}

bool CPlayState::PauseRequested() const
{
    return (m_pListener && m_pListener->IsKeyReleased(win::VK_ESCAPE)) || PadReleased(pad::VK_PAD_START) ||
           PadReleased(pad::VK_PAD_Y);
}

void CPlayState::RunningUpdate(float)
{
    // The level editor on top hides the HUD; play keeps it shown otherwise.
    if (!Vesk::CGameManager::GetInstance().TopIsLevelEditor())
        ShowPlayHud(true);
    // Under the level editor the pad is still read here; only play on top pauses.
    if (CGameMaster::GetInstance().GetPhase() != PHASE_RUNNING ||
        Vesk::CGameManager::GetInstance().GetCurrentState() != this || !PauseRequested())
        return;
    Vesk::CGameManager::GetInstance().PushState(new CPauseState("CPauseState"));
    if (m_pListener)
        m_pListener->ClearKeys();
    ShowPlayHud(false);
}

void CPlayState::EndgameEnter()
{
    m_Timer = kScoreScreenDelay;
    if (CPlayerController* controller = ControllerOf(FirstPlayer())) {
        controller->SetHudVisible(false);
        controller->Update(0.0f);
    }
    if (m_pWaveText)
        m_pWaveText->SetVisible(false);
    if (m_pWaveElement)
        m_pWaveElement->SetVisible(false);
    CWaveManager::GetInstance().SetHudHidden(true);
}

void CPlayState::LayOutScoreTexts()
{
    for (int row = 0; row < kScoreRows; ++row) {
        m_LabelTexts[row]->SetPosition(kLabelX, kRowY[row]);
        m_ValueTexts[row]->SetPosition(kValueX, kRowY[row]);
        if (CSpriteText* points = GetPointsText(row))
            points->SetPosition(kPointsX, kRowY[row]);
    }
}

void CPlayState::RevealRow(int row, const char* label)
{
    SetLabelCString(m_LabelTexts[row].get(), label, "", "");
    m_LabelTexts[row]->SetVisible(true);
    m_ValueTexts[row]->SetVisible(true);
    CGameMaster::GetInstance().PlaySound("score_impact");
}

void CPlayState::ShowRowPoints(int row, int count, int pointsPerUnit)
{
    CSpriteText* points = GetPointsText(row);
    // The score's own weights, so that the rows add up to the final score; summed wide, so that
    // no count overflows them.
    const int64_t value = int64_t(count) * pointsPerUnit;
    const char* sign = value < 0 || (value == 0 && pointsPerUnit < 0) ? "-" : "+";
    SetLabelText(points, std::to_string(value < 0 ? -value : value), sign, " pts");
    points->SetVisible(true);
}

bool CPlayState::ConfirmPressed() const
{
    return PadReleased(pad::VK_PAD_A) || PadReleased(pad::VK_PAD_START) ||
           Vesk::CInputManager::GetInstance().IsKeyPressed(win::VK_RETURN);
}

void CPlayState::UpdateScoreScreen(float dt)
{
    CEntity* player = FirstPlayer();
    CGameMaster& master = CGameMaster::GetInstance();
    const PlayerStats stats = master.GetPlayerStats(player);
    LayOutScoreTexts();
    CWaveManager::GetInstance().SetHudHidden(true);

    if (m_ScorePhase <= 7 && CountDown(&m_Timer, dt)) {
        m_Timer = kRowDelay;
        switch (m_ScorePhase) {
        case 0:
            m_Timer = kFirstRowDelay;
            if (Vesk::CDisplayObject2D* title = FromLast(1)) {
                title->SetVisible(true);
                title->SetAnimation("idle");
                if (auto* widget = dynamic_cast<CGuiWidget*>(title))
                    widget->ResetTweens();
            }
            master.PlaySound("stage_complete");
            master.PlaySound("cheer");
            // The player stands still and stretches while the score is read out.
            if (player) {
                if (IController* controller = player->GetController())
                    controller->m_Enabled = false;
                if (Vesk::IAnimationController* animation = player->GetAnimationController())
                    animation->SetAnimation("STRETCH", 0, 0.0f);
                player->SetDirection(CVector3D(1.0f, 0.0f, 0.0f));
                player->SetLinearVelocity(CVector3D(0.0f, -10.0f, 0.0f));
                if (CPlayerController* controller = ControllerOf(player))
                    controller->ResetActions();
            }
            break;
        case 1:
            RevealRow(RowScore, "SCORE:");
            SetLabelNumber(m_ValueTexts[RowScore].get(), stats.m_Points, "", "");
            if (Vesk::CDisplayObject2D* backdrop = FromLast(3)) {
                backdrop->SetVisible(true);
                const Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
                const int width = backdrop->GetSpriteWidth();
                const int height = backdrop->GetSpriteHeight();
                // The whole width of the screen and half the height of the 3D view.
                if (width > 0 && height > 0)
                    backdrop->SetScale(float(renderer.GetScreenWidth()) / float(width),
                                       float(renderer.GetViewportHeight()) / float(height) * 0.5f);
            }
            break;
        case 2:
            RevealRow(RowKills, "KILLS:");
            SetLabelNumber(m_ValueTexts[RowKills].get(), stats.m_Kills, "", "");
            break;
        case 3:
            RevealRow(RowDamage, "DAMAGE TAKEN:");
            SetLabelNumber(m_ValueTexts[RowDamage].get(), stats.m_DamageTaken, "", "");
            ShowRowPoints(RowDamage, stats.m_DamageTaken, -CGameMaster::kScorePerDamageTaken);
            break;
        case 4:
            RevealRow(RowDeaths, "DEATHS:");
            SetLabelNumber(m_ValueTexts[RowDeaths].get(), stats.m_Deaths, "", "");
            ShowRowPoints(RowDeaths, stats.m_Deaths, -CGameMaster::kScorePerDeath);
            break;
        case 5:
            RevealRow(RowCombo, "MAX COMBO:");
            SetLabelNumber(m_ValueTexts[RowCombo].get(), stats.m_BestCombo, "", "");
            ShowRowPoints(RowCombo, stats.m_BestCombo, CGameMaster::kScorePerBestCombo);
            break;
        case 6:
            RevealRow(RowFinal, "FINAL SCORE:");
            SetLabelText(m_ValueTexts[RowFinal].get(), std::to_string(FinalScore(player)), "", "");
            break;
        default:
            for (size_t n : {2u, 3u})
                if (Vesk::CDisplayObject2D* element = FromLast(n))
                    element->SetVisible(true);
            master.PlaySound("score_impact");
            CGuiManager::GetInstance().Init();
            break;
        }
        ++m_ScorePhase;
    }

    if (m_ScorePhase > 7) {
        CGuiManager::GetInstance().SetCursorHidden(false);
        if (ConfirmPressed())
            master.SetPhase(PHASE_GAME_OVER);
    }
}

void CPlayState::EndgameExit()
{
    for (Vesk::CDisplayObject2D* element : m_ScreenElements)
        element->SetVisible(false);
    // Values and points fly off to the left, labels and the final score to the right.
    for (int row = 0; row < kScoreRows; ++row) {
        const float valueSpeed = row == RowFinal ? kFlyingSpeed : -kFlyingSpeed;
        s_FlyingTexts.push_back({m_ValueTexts[row].get(), valueSpeed, 0.0f});
        s_FlyingTexts.push_back({m_LabelTexts[row].get(), kFlyingSpeed, 0.0f});
    }
    for (const auto& points : m_PointsTexts)
        s_FlyingTexts.push_back({points.get(), -kFlyingSpeed, 0.0f});
}

void CPlayState::EndedEnter() { m_Timer = kEndedDelay; }

void CPlayState::EndedUpdate(float dt)
{
    if (!CountDown(&m_Timer, dt))
        return;
    CGameMaster::GetInstance().SetPhase(PHASE_LEVEL_START);
    const uint32_t score = FinalScore(FirstPlayer());
    const std::string level = CLevelManager::GetInstance().GetLevelName();
    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    if (score > CHighscoreRecord::GetInstance().GetLowestScore(level))
        game.PushState(new CHighscoreInputState(score, level));
    else
        game.PushState(new CTransitInState(new CMenuState("MenuState", 0), "TransitInState"));
}

uint32_t CPlayState::FinalScore(CEntity* player)
{
    if (!player)
        return 0;
    return static_cast<uint32_t>(std::max(0, CGameMaster::GetInstance().GetScore(player)));
}

} // namespace Game
