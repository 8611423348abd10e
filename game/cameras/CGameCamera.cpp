#include "game/cameras/CGameCamera.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Game {

namespace {

const float kMinDirectionLength = 1e-7f;

} // namespace

bool CGameCamera::IsAlive(float amount) { return amount > std::numeric_limits<float>::min(); }

void CGameCamera::AddShake(float amount)
{
    if (!std::isfinite(amount))
        return;
    m_ShakePending = true;
    m_ShakeAmount = std::min(m_ShakeAmount + amount, kMaxShake);
}

void CGameCamera::AddPunch(float amount, const float (&direction)[2])
{
    if (!std::isfinite(amount))
        return;
    m_PunchPending = true;
    m_PunchAmount += amount;
    m_PunchDirection[0] = direction[0];
    m_PunchDirection[1] = direction[1];
    const float length = std::sqrt(direction[0] * direction[0] + direction[1] * direction[1]);
    if (length > kMinDirectionLength) {
        m_PunchDirection[0] /= length;
        m_PunchDirection[1] /= length;
    }
    m_PunchAmount = std::min(m_PunchAmount, kMaxPunch);
}

void CGameCamera::AddPunch(float amount, float directionX, float directionY)
{
    AddPunch(amount, {directionX, directionY});
}

bool CGameCamera::DecayJolt(float& amount, bool& pending, float dt)
{
    m_RateMultiplier = IsAlive(m_ShakeAmount) || IsAlive(m_PunchAmount) ? 0.5f : 1.0f;
    const float decayed = amount - amount * (m_Rate * m_RateMultiplier * dt);
    amount = decayed >= 0.0f ? decayed : 0.0f;
    const bool apply = pending;
    pending = false;
    return apply;
}

void CGameCamera::Update(float dt)
{
    // Also catches a dt that is not a number.
    if (!(dt <= kMaxStep))
        dt = kMaxStep;
    const float k = m_RateMultiplier * m_Rate * dt;
    m_Eye += (m_TargetEye - m_Eye) * k;
    m_LookAt += (m_TargetLookAt - m_LookAt) * k;

    if (DecayJolt(m_ShakeAmount, m_ShakePending, dt)) {
        const CVector3D along = (m_LookAt - m_Eye).GetNormalized() * m_ShakeAmount;
        m_Eye += along;
        m_LookAt += along;
    }
    if (DecayJolt(m_PunchAmount, m_PunchPending, dt)) {
        const float x = m_PunchDirection[0] * m_PunchAmount;
        const float y = m_PunchDirection[1] * m_PunchAmount;
        m_Eye.x += x;
        m_Eye.y += y;
        m_LookAt.x += x;
        m_LookAt.y += y;
    }

    ApplyView();
}

} // namespace Game
