#include "game/gui/CRotationTweenController.h"

#include "ui2d/CDisplayObject2D.h"

#include <algorithm>
#include <cmath>

namespace Game {

namespace {

// Degrees to radians as the screen files' angles have always been turned.
constexpr float kRadiansPerDegree = 0.0174532f;

Vesk::CPoint2D Rotated(Vesk::CPoint2D point, Vesk::CPoint2D pivot, float radians)
{
    const float dx = point.x - pivot.x, dy = point.y - pivot.y;
    const float c = std::cos(radians), s = std::sin(radians);
    return {pivot.x + (dx * c - dy * s), pivot.y + (dx * s + dy * c)};
}

} // namespace

void CRotationTweenController::Attach(const ControllerSetting& setting)
{
    (void)setting;
    m_Enabled = false;
}

void CRotationTweenController::Setup(Vesk::CDisplayObject2D* target, Vesk::CPoint2D pivot, Vesk::CPoint2D point,
                                     int angle, float speed, int fadeEnding)
{
    m_pTarget = target;
    m_Pivot = pivot;
    m_Angle = angle;
    m_Speed = speed;
    m_FadeEnding = fadeEnding;
    m_StartPoint = Rotated(point, pivot, -static_cast<float>(angle) * kRadiansPerDegree);
}

void CRotationTweenController::Reset()
{
    m_Done = false;
    m_Progress = 0.0f;
}

void CRotationTweenController::Update(float dt)
{
    if (m_Done || m_Angle == 0 || !m_pTarget)
        return;
    if (m_Progress == 1.0f)
        m_Done = true;
    m_Progress = std::min(m_Progress + m_Speed * 0.5f * dt, 1.0f);
    const Vesk::CPoint2D position =
        Rotated(m_StartPoint, m_Pivot, m_Progress * static_cast<float>(m_Angle) * kRadiansPerDegree);
    m_pTarget->SetPosition(position.x, position.y);
}

} // namespace Game
