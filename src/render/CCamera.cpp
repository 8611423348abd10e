#include "render/CCamera.h"

#include "math/Angles.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "render/Letterbox.h"
#include "render/ScreenProjection.h"

#include <cmath>

namespace Vesk {

namespace {

const float kHalfPi = 1.5707964f;

} // namespace

void CCamera::Reset() { UpdateAnglesFromLookAt(); }

void CCamera::Update(float dt)
{
    (void)dt;
    UpdateLookAtFromAngles();
    ApplyView();
}

void CCamera::ApplyView()
{
    UpdateFrustum();
    CRenderer& renderer = CRenderer::GetInstance();
    renderer.SetProjection(m_FieldOfView, static_cast<float>(m_ViewportWidth) / static_cast<float>(m_ViewportHeight),
                           m_Near, m_Far);
    renderer.SetView(m_Eye, m_LookAt, m_Up);
}

void CCamera::UpdateLookAtFromAngles()
{
    if (m_Pitch == 90.0f)
        m_Pitch = 89.0f;
    else if (m_Pitch == -90.0f)
        m_Pitch = -89.0f;
    const float yaw = m_Yaw * kRadiansPerDegree;
    const float pitch = m_Pitch * kRadiansPerDegree;
    const float horizontal = m_Distance * std::cos(pitch);
    m_LookAt.x = m_Eye.x + std::cos(yaw) * horizontal;
    m_LookAt.y = m_Eye.y + std::sin(pitch) * m_Distance;
    m_LookAt.z = m_Eye.z + std::sin(yaw) * horizontal;
}

void CCamera::UpdateAnglesFromLookAt()
{
    const CVector3D v = m_LookAt - m_Eye;
    m_Distance = v.Length();
    const float s = v.y / m_Distance;
    float pitch;
    if (std::isnan(s) || s <= -1.0f)
        pitch = -kHalfPi;
    else if (s >= 1.0f)
        pitch = kHalfPi;
    else
        pitch = std::asin(s);
    m_Pitch = pitch * kDegreesPerRadian;
    m_Yaw = std::atan2(v.z, v.x) * kDegreesPerRadian;
}

void CCamera::UpdateFrustum()
{
    CVector3D forward = (m_LookAt - m_Eye).GetNormalized();
    CVector3D right = m_Up.Cross(forward).GetNormalized();
    CVector3D up = forward.Cross(right);
    const float halfHeight = m_Near * std::tan(m_FieldOfView * 0.5f);
    const float halfWidth = halfHeight * m_Aspect;
    // Edge directions from the eye through the middle of each side of the near rectangle; every
    // normal points out of the volume.
    const CVector3D toNear = forward * m_Near;
    const CVector3D leftEdge = toNear - right * halfWidth;
    const CVector3D rightEdge = toNear + right * halfWidth;
    const CVector3D topEdge = toNear + up * halfHeight;
    const CVector3D bottomEdge = toNear - up * halfHeight;

    m_Frustum[0].FromNormalAndPoint(-forward, m_Eye + toNear);
    m_Frustum[1].FromNormalAndPoint(forward, m_Eye + forward * m_Far);
    m_Frustum[2].FromNormalAndPoint(leftEdge.Cross(up), m_Eye);
    m_Frustum[3].FromNormalAndPoint(up.Cross(rightEdge), m_Eye);
    m_Frustum[4].FromNormalAndPoint(topEdge.Cross(right), m_Eye);
    m_Frustum[5].FromNormalAndPoint(right.Cross(bottomEdge), m_Eye);
}

void CCamera::SetDistance(float d)
{
    if (!(d > 0.0f))
        d = 0.1f;
    m_Distance = d;
    m_Eye = m_LookAt - (m_LookAt - m_Eye).GetNormalized() * d;
}

void CCamera::Translate(const CVector3D& offset)
{
    m_Eye += offset;
    m_LookAt += offset;
}

void CCamera::CopyPositionFrom(const CCamera& source)
{
    m_Eye = source.m_Eye;
    m_LookAt = source.m_LookAt;
    m_Up = source.m_Up;
    UpdateAnglesFromLookAt();
}

void CCamera::GetOrientation(float out[9]) const
{
    CMatrix4 frame;
    frame.ObjectLookAt(m_Eye, m_LookAt, m_Up, true);
    for (int column = 0; column < 3; ++column)
        for (int row = 0; row < 3; ++row)
            out[3 * column + row] = frame(row, column);
}

void CCamera::GetProjectionMatrix(CMatrix4& out) const
{
    const float c = 1.0f / std::tan(m_FieldOfView * 0.5f);
    for (float& value : out.m)
        value = 0.0f;
    out(0, 0) = c / m_Aspect;
    out(1, 1) = c;
    out(2, 2) = (m_Near + m_Far) / (m_Far - m_Near);
    out(2, 3) = 2.0f * m_Near * m_Far / (m_Far - m_Near);
    out(3, 2) = 1.0f;
}

CRay CCamera::GetPickRay(float x, float y, bool nearPlane) const
{
    // The point as a pixel of the letter-boxed screen, then back into the camera's own viewport.
    const CRenderer& renderer = CRenderer::GetInstance();
    const CCamera* current = CCameraManager::GetInstance().GetCurrentCamera();
    const ViewportRect box = ComputeLetterbox(renderer.GetScreenWidth(), renderer.GetScreenHeight(),
                                              current ? current->GetAspect() : m_Aspect);
    const float viewportWidth = static_cast<float>(m_ViewportWidth);
    const float viewportHeight = static_cast<float>(m_ViewportHeight);
    float px = x * viewportWidth, py = y * viewportHeight;
    if (box.width > 0 && box.height > 0) {
        const int screenX = box.x + static_cast<int>(static_cast<float>(box.width) * x);
        const int screenY = box.y + static_cast<int>(static_cast<float>(box.height) * y);
        int viewportX = 0;
        ScreenToViewport(*this, screenX, screenY, viewportX, py);
        px = static_cast<float>(viewportX);
    }
    const float nx = 2.0f * px / viewportWidth - 1.0f;
    const float ny = -(2.0f * py / viewportHeight - 1.0f);

    const float halfHeight = m_Near * std::tan(m_FieldOfView * 0.5f);
    const float halfWidth = halfHeight * m_Aspect;
    const float q[4] = {halfWidth * nx, halfHeight * ny, nearPlane ? m_Near : -m_Near, 1.0f};
    CMatrix4 frame;
    frame.ObjectLookAt(m_Eye, m_LookAt, m_Up, true);
    float world[4];
    frame.TransformVector4(world, q);
    const CVector3D origin(world[0], world[1], world[2]);
    CVector3D direction = origin - m_Eye;
    direction.Normalize();
    return CRay(origin, direction);
}

} // namespace Vesk
