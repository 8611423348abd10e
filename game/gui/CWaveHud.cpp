#include "game/gui/CWaveHud.h"

#include "game/gui/CGuiManager.h"
#include "game/gui/CSpriteText.h"
#include "ui2d/CDisplayObject2D.h"

namespace Game {

namespace {

const char* const kBackground = "wavebg";

} // namespace

CWaveHud::CWaveHud()
    : m_WaveText(std::make_unique<CSpriteText>(0.75f, "GameFont")),
      m_BannerText(std::make_unique<CSpriteText>(1.0f, "GameFontWhite"))
{
    m_WaveText->SetPosition(kWaveTextX, kWaveTextY);
    m_BannerText->SetVisible(false);
}

CWaveHud::~CWaveHud() = default;

Vesk::CDisplayObject2D* CWaveHud::Background() { return CGuiManager::GetInstance().FindElement(0, kBackground); }

void CWaveHud::SetWaveText(const std::string& text)
{
    m_WaveText->SetText(text);
    m_WaveText->SetPosition(kWaveTextX, kWaveTextY);
}

void CWaveHud::SetBannerText(const std::string& text) { m_BannerText->SetText(text); }

void CWaveHud::SetBannerTextX(float x)
{
    // The text runs along the middle of its background.
    const Vesk::CDisplayObject2D* background = Background();
    m_BannerText->SetPosition(x, background ? background->GetPosition().y : m_BannerText->GetY());
}

void CWaveHud::SetBannerTextVisible(bool visible) { m_BannerText->SetVisible(visible); }

void CWaveHud::SetBannerBackgroundVisible(bool visible)
{
    if (Vesk::CDisplayObject2D* background = Background())
        background->SetVisible(visible);
}

void CWaveHud::SetBannerBackgroundOpacity(float opacity)
{
    if (Vesk::CDisplayObject2D* background = Background()) {
        const auto& color = background->GetColor();
        background->SetColor(opacity, color.r, color.g, color.b);
    }
}

} // namespace Game
