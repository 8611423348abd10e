#include "game/states/CCreditsState.h"

#include "frame/CGameManager.h"
#include "game/fx/SceneLights.h"
#include "game/gui/CGUIListener.h"
#include "game/gui/CGuiManager.h"
#include "input/CInputManager.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"
#include "ui2d/CDisplayObject2D.h"
#include "window/CWindowSystem.h"

#include <algorithm>

namespace Game {

namespace {

// The cover is scaled to the window's pixels, and to no less than the 800 x 600 of the GUI's
// reference screen, so it covers the picture at any size.
void CoverScreen(Vesk::CDisplayObject2D& cover)
{
    const Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    cover.SetScale(static_cast<float>(std::max(window.GetWindowWidth(), 800)),
                   static_cast<float>(std::max(window.GetWindowHeight(), 600)));
}

} // namespace

CCreditsState::CCreditsState(const std::string& name) : IGameState(name) {}

CCreditsState::~CCreditsState() = default;

void CCreditsState::Enter()
{
    EnsureSceneLight();
    PlaceSceneLight(CVector3D(0.0f, 100.0f, 0.0f));
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.LoadGui(m_ScreenElements, m_ScreenLayers, "assets/scripts/gui/credits.xml");
    m_pListener = std::make_unique<CGUIListener>(m_Name);

    m_pCreditsText = std::make_unique<Vesk::CDisplayObject2D>("CreditsText");
    m_pCreditsText->SetVisible(true);
    m_pCreditsText->SetPosition(0.5f, -kStartPosition);
    m_pCreditsText->SetScale(0.8f, m_pCreditsText->GetScale().y);
    gui.AddElement(m_pCreditsText.get(), kTextLayer, CGuiManager::KindDisplay);

    m_pCover = std::make_unique<Vesk::CDisplayObject2D>("SplashBG");
    m_pCover->SetVisible(true);
    gui.AddElement(m_pCover.get(), kCoverLayer, CGuiManager::KindDisplay);
    m_pCover->SetPosition(0.5f, 0.5f);
    CoverScreen(*m_pCover);

    m_FadingOut = false;
    m_ScrollPosition = kStartPosition;
}

void CCreditsState::Exit()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    gui.DestroyElements(m_ScreenElements, m_ScreenLayers);
    m_pListener.reset();
    if (m_pCreditsText)
        gui.RemoveElement(m_pCreditsText.get(), kTextLayer, CGuiManager::KindDisplay);
    if (m_pCover)
        gui.RemoveElement(m_pCover.get(), kCoverLayer, CGuiManager::KindDisplay);
    m_pCreditsText.reset();
    m_pCover.reset();
}

void CCreditsState::Update(float dt)
{
    CGuiManager::GetInstance().UpdateCursor();
    const bool escape = m_pListener && m_pListener->IsKeyReleased(win::VK_ESCAPE);
    if (escape || Vesk::CInputManager::GetInstance().IsPadButtonReleased(0, pad::VK_PAD_START)) {
        m_FadingOut = true;
        if (m_pListener)
            m_pListener->ClearKeys();
    }
    dt = std::min(dt, kMaxStep);
    if (FadeCover(dt))
        return;
    if (m_ScrollPosition <= kEndPosition) {
        m_FadingOut = true;
        return;
    }
    m_ScrollPosition -= kScrollSpeed * dt;
    if (m_pCreditsText)
        m_pCreditsText->SetPosition(0.5f, m_ScrollPosition);
}

bool CCreditsState::FadeCover(float dt)
{
    if (!m_pCover)
        return false;
    const float alpha = m_pCover->GetColor().a;
    if (m_FadingOut) {
        if (alpha < 1.0f)
            m_pCover->SetColor(alpha + dt, 1.0f, 1.0f, 1.0f);
        if (m_pCover->GetColor().a >= 1.0f) {
            m_FadingOut = false;
            m_pCover->SetColor(1.0f, 1.0f, 1.0f, 1.0f);
            Vesk::CGameManager::GetInstance().PopState();
            return true;
        }
    } else if (alpha > 0.0f) {
        m_pCover->SetColor(std::max(alpha - dt, 0.0f), 1.0f, 1.0f, 1.0f);
    }
    return false;
}

} // namespace Game
