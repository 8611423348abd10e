#include "game/world/CWaveBanner.h"

#include "game/base/IWaveHud.h"
#include "math/GameMath.h"

#include <algorithm>

namespace Game {

namespace {

constexpr float kFadeInShare = 0.1f;
constexpr float kFadeRateShare = 0.05f;
constexpr float kSlideShare = 0.9f;

float Clamp01(float value) { return std::min(1.0f, std::max(0.0f, value)); }

} // namespace

void CWaveBanner::SetHidden(bool hidden)
{
    m_Hidden = hidden;
    if (hidden && m_pHud) {
        m_pHud->SetBannerTextVisible(false);
        m_pHud->SetBannerBackgroundVisible(false);
    }
}

void CWaveBanner::Show(const std::string& text, float duration)
{
    m_Text = text;
    m_Duration = std::max(0.0f, duration);
    m_DisplayState = STATE_FADE_IN;
    m_Timer = kFadeInShare * m_Duration;
    m_TextX = kTextStartX;
    m_Opacity = 0.0f;
    if (m_pHud) {
        m_pHud->SetBannerText(text);
        m_pHud->SetBannerTextX(m_TextX);
    }
    Draw(false, true);
}

void CWaveBanner::Reset()
{
    m_DisplayState = STATE_IDLE;
    m_Opacity = 0.0f;
    m_TextX = kTextStartX;
    Draw(false, false);
}

void CWaveBanner::Update(float dt)
{
    const float fadeSpan = kFadeRateShare * m_Duration;
    switch (m_DisplayState) {
    case STATE_FADE_IN:
        if (!CountDown(&m_Timer, dt)) {
            m_Opacity = fadeSpan > 0.0f ? Clamp01(1.0f - m_Timer / fadeSpan) : 1.0f;
            Draw(false, true);
        } else {
            m_TextX = kTextStartX;
            m_DisplayState = STATE_SLIDE;
            m_Timer = kSlideShare * m_Duration;
            Draw(true, true);
        }
        return;
    case STATE_SLIDE:
        if (!CountDown(&m_Timer, dt)) {
            const float slideSpan = kSlideShare * m_Duration;
            m_TextX = kTextStartX - kSlideDistance + (slideSpan > 0.0f ? kSlideDistance * m_Timer / slideSpan : 0.0f);
            Draw(true, true);
        } else {
            m_DisplayState = STATE_FADE_OUT;
            m_Timer = fadeSpan;
        }
        return;
    case STATE_FADE_OUT:
        if (!CountDown(&m_Timer, dt)) {
            m_Opacity = fadeSpan > 0.0f ? Clamp01(m_Timer / fadeSpan) : 0.0f;
            Draw(true, true);
        } else {
            Reset();
        }
        return;
    default: return;
    }
}

void CWaveBanner::Draw(bool textVisible, bool backgroundVisible)
{
    if (!m_pHud)
        return;
    m_pHud->SetBannerTextX(m_TextX);
    m_pHud->SetBannerBackgroundOpacity(m_Opacity);
    m_pHud->SetBannerTextVisible(textVisible && !m_Hidden);
    m_pHud->SetBannerBackgroundVisible(backgroundVisible && !m_Hidden);
}

} // namespace Game
