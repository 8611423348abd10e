#include "game/gui/CMeterBar.h"

#include <algorithm>

namespace Game {

CMeterBar::CMeterBar(const std::string& spriteName, const std::string& keyName)
    : CUIDisplay2D(spriteName), m_KeyName(keyName), m_FullWidth(GetScale().x)
{
}

void CMeterBar::Increase(uint32_t amount)
{
    m_PreviousValue = m_Value;
    m_Value = amount > m_Maximum - std::min(m_Value, m_Maximum) ? m_Maximum : m_Value + amount;
}

void CMeterBar::Decrease(uint32_t amount)
{
    m_PreviousValue = m_Value;
    m_Value = amount > m_Value ? 0 : m_Value - amount;
}

void CMeterBar::SetBlinking(bool blinking)
{
    m_Blinking = blinking;
    if (!blinking && m_BlinkHidden) {
        m_BlinkHidden = false;
        SetVisible(true);
    }
}

void CMeterBar::Update(float dt)
{
    // Each bar blinks on its own, by hiding and showing itself; stopping shows it again.
    if (m_Blinking) {
        m_BlinkTimer += dt;
        if (m_BlinkTimer >= kBlinkPeriod) {
            m_BlinkTimer -= kBlinkPeriod;
            m_BlinkHidden = !m_BlinkHidden;
            SetVisible(!m_BlinkHidden);
        }
    }
    const float fill = m_Maximum > 0 ? static_cast<float>(m_Value) / static_cast<float>(m_Maximum) : 0.0f;
    SetScale(fill * m_FullWidth, GetScale().y);
    CUIDisplay2D::Update(dt);
}

} // namespace Game
