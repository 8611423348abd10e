#include "game/gui/CHoverController.h"

#include "ui2d/CDisplayObject2D.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

constexpr float kRestDistanceSquared = 1e-6f;
constexpr float kSwing = 0.3f;
// Sliding elements leaving past this x come round again from the left.
constexpr float kSlideWrapX = 1.5f;

} // namespace

void CHoverController::Attach(const ControllerSetting& setting)
{
    (void)setting;
    m_Enabled = false;
}

void CHoverController::Setup(Vesk::CDisplayObject2D* target, Vesk::CPoint2D position, Vesk::CPoint2D slidingDirection,
                             float speed, float hoverDeviation, float rotateDegree, float scalerFactor,
                             float opacityFactor, int hover, int rotate, int sliding, int scaler, int opacity)
{
    m_pTarget = target;
    m_Position = position;
    m_SlidingDirection = slidingDirection;
    m_Speed = speed;
    m_HoverDeviation = hoverDeviation;
    m_RotateDegree = rotateDegree;
    m_ScalerFactor = scalerFactor;
    m_OpacityFactor = opacityFactor;
    if (target) {
        m_BaseScale = target->GetScale();
        m_BaseAlpha = target->GetColor().a;
    }
    m_Switches = (hover ? Hover : 0u) | (rotate ? Rotate : 0u) | (sliding ? Sliding : 0u) | (scaler ? Scaler : 0u) |
                 (opacity ? Opacity : 0u);
}

void CHoverController::Update(float dt)
{
    if (!m_pTarget)
        return;
    Vesk::CDisplayObject2D& target = *m_pTarget;
    if (!m_Started) {
        const Vesk::CPoint2D at = target.GetPosition();
        const float dx = at.x - m_Position.x, dy = at.y - m_Position.y;
        if (dx * dx + dy * dy < kRestDistanceSquared)
            m_Started = true;
        return;
    }
    m_Time += dt;
    const float wave = std::sin(m_Time);
    if (m_Switches & Hover)
        target.SetPosition(m_Position.x, m_Position.y + wave * m_HoverDeviation * m_Speed * kSwing);
    if (m_Switches & Rotate)
        target.SetRotation(wave * m_RotateDegree * m_Speed * kSwing);
    if (m_Switches & Sliding) {
        const Vesk::CPoint2D at = target.GetPosition();
        target.SetPosition(at.x + dt * m_SlidingDirection.x * m_Speed, at.y + dt * m_SlidingDirection.y * m_Speed);
        if (target.GetPosition().x > kSlideWrapX)
            target.SetPosition(m_Position.x - m_SlidingDirection.x, m_Position.y - m_SlidingDirection.y);
    }
    if (m_Switches & Scaler) {
        const float s = wave * m_ScalerFactor;
        target.SetScale(std::max(m_BaseScale.x * s + m_BaseScale.x, 0.0f),
                        std::max(m_BaseScale.y * s + m_BaseScale.y, 0.0f));
    }
    if (m_Switches & Opacity)
        target.SetColor(std::max(m_BaseAlpha - m_OpacityFactor, 0.0f) + std::max(wave * m_OpacityFactor, 0.0f), 1.0f,
                        1.0f, 1.0f);
}

} // namespace Game
