#include "game/gui/CLinearTweenController.h"

#include "game/gui/CButton.h"
#include "ui2d/CDisplayObject2D.h"

#include <cmath>

namespace Game {

namespace {

constexpr float kMinSquaredLength = 1e-14f;
constexpr float kArrivalDistance = 0.001f;
constexpr float kFadeRate = 0.45f;

float Distance(Vesk::CPoint2D a, Vesk::CPoint2D b) { return std::hypot(a.x - b.x, a.y - b.y); }

// White at the alpha; the display object stores negative channels as 0.
void SetAlpha(Vesk::CDisplayObject2D& target, float alpha) { target.SetColor(alpha, 1.0f, 1.0f, 1.0f); }

} // namespace

void CLinearTweenController::Attach(const ControllerSetting& setting)
{
    (void)setting;
    m_Enabled = false;
}

void CLinearTweenController::Setup(Vesk::CDisplayObject2D* target, Vesk::CPoint2D start, Vesk::CPoint2D end,
                                   float speed, int fadeEnding, int scaleMode, Vesk::CPoint2D fadeSize,
                                   float opaqueFactor)
{
    m_pTarget = target;
    m_Start = start;
    m_End = end;
    m_Speed = speed;
    m_FadeEnding = fadeEnding;
    m_ScaleMode = scaleMode;
    m_FadeSize = fadeSize;
    m_OpaqueFactor = opaqueFactor;
    if (!target)
        return;
    m_StartScale = target->GetScale();
    if (scaleMode == 1) {
        target->SetScale(fadeSize.x, fadeSize.y);
        SetAlpha(*target, 0.0f);
    } else if (scaleMode == 2) {
        SetAlpha(*target, 1.0f);
    }
}

void CLinearTweenController::Reset()
{
    m_Done = false;
    m_CallbackRun = false;
    if (!m_pTarget)
        return;
    m_pTarget->SetPosition(m_Start.x, m_Start.y);
    if (m_ScaleMode != 0) {
        m_pTarget->SetScale(m_FadeSize.x, m_FadeSize.y);
        SetAlpha(*m_pTarget, 0.0f);
    }
}

void CLinearTweenController::Update(float dt)
{
    if (m_Done || !m_pTarget)
        return;
    const float dx = m_End.x - m_Start.x, dy = m_End.y - m_Start.y;
    if (dx * dx + dy * dy < kMinSquaredLength)
        return;
    if (m_FadeEnding == 0) {
        Step(dt);
        return;
    }
    if (m_Progress <= 1.0f) {
        m_Progress += dt * m_Speed;
        m_pTarget->SetPosition(m_Start.x + dx * m_Progress, m_Start.y + dy * m_Progress);
    } else if (m_Progress <= 2.0f) {
        m_Progress += dt * kFadeRate;
        SetAlpha(*m_pTarget, 2.0f - m_Progress);
    } else if (m_Progress <= 2.5f && !m_CallbackRun) {
        // Once: the callback may take the whole screen down (a pop of the state).
        m_CallbackRun = true;
        if (const CButton* button = dynamic_cast<const CButton*>(m_pTarget))
            button->RunCallback();
    }
}

bool CLinearTweenController::Step(float dt)
{
    const Vesk::CPoint2D position = m_pTarget->GetPosition();
    const float dx = m_End.x - position.x, dy = m_End.y - position.y;
    if (std::hypot(dx, dy) < kArrivalDistance) {
        m_pTarget->SetPosition(m_End.x, m_End.y);
        m_Done = true;
        return true;
    }
    m_pTarget->SetPosition(position.x + dx * m_Speed * dt, position.y + dy * m_Speed * dt);
    const float f = Distance(m_Start, position) / Distance(m_Start, m_End);
    if (m_ScaleMode == 1) {
        m_pTarget->SetScale(m_FadeSize.x + (m_StartScale.x - m_FadeSize.x) * f,
                            m_FadeSize.y + (m_StartScale.y - m_FadeSize.y) * f);
        SetAlpha(*m_pTarget, f * m_OpaqueFactor);
    } else if (m_ScaleMode == 2) {
        m_pTarget->SetScale(m_StartScale.x + (m_FadeSize.x - m_StartScale.x) * f,
                            m_StartScale.y + (m_FadeSize.y - m_StartScale.y) * f);
        SetAlpha(*m_pTarget, 1.0f - f * m_OpaqueFactor);
    }
    return false;
}

} // namespace Game
