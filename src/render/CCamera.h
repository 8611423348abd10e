// The engine's base camera: eye, look-at point and up vector with yaw, pitch and distance kept in
// step, a perspective lens, a viewport size and the view frustum for culling. Update writes the
// view and projection into the renderer; game cameras derive from it and override Reset and
// Update. Also builds pick rays through the letter-boxed screen.
#pragma once

#include "math/Frustum.h"
#include "math/Matrix4.h"
#include "math/Ray.h"
#include "math/Vector3D.h"

#include <string>

namespace Vesk {

class CCamera {
public:
    CCamera() = default;
    virtual ~CCamera() = default;

    // Recomputes distance, yaw and pitch from eye and look-at point.
    virtual void Reset();
    // Look-at point from the angles, frustum, then projection and view into the renderer.
    virtual void Update(float dt);

    void UpdateLookAtFromAngles();
    void UpdateAnglesFromLookAt();
    void UpdateFrustum();
    // The frustum, then projection and view into the renderer, from eye, look-at point and lens.
    void ApplyView();
    // Moves the eye along the view line to distance d from the look-at point (d <= 0 or not a
    // number: 0.1).
    void SetDistance(float d);
    void Translate(const CVector3D& offset);
    void CopyPositionFrom(const CCamera& source);
    // The camera's axes (right, up, forward) as the columns of a 3x3 block, written column by
    // column.
    void GetOrientation(float out[9]) const;
    // Symmetric perspective for projecting world points to the screen; only its x and y rows
    // follow a graphics API's convention.
    void GetProjectionMatrix(CMatrix4& out) const;
    // Ray through a point of the screen given in 0..1 (x right, y down). With nearPlane true the
    // origin lies on the near plane in front of the eye, otherwise at the mirrored point behind.
    CRay GetPickRay(float x, float y, bool nearPlane) const;
    // GetPickRay at the input manager's mouse position.
    CRay GetMousePickRay(bool nearPlane) const;

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    float GetYaw() const { return m_Yaw; }
    void SetYaw(float degrees) { m_Yaw = degrees; }
    float GetPitch() const { return m_Pitch; }
    void SetPitch(float degrees) { m_Pitch = degrees; }
    float GetDistance() const { return m_Distance; }
    const CVector3D& GetEye() const { return m_Eye; }
    void SetEye(const CVector3D& eye) { m_Eye = eye; }
    const CVector3D& GetLookAt() const { return m_LookAt; }
    void SetLookAt(const CVector3D& lookAt) { m_LookAt = lookAt; }
    const CVector3D& GetUp() const { return m_Up; }
    void SetUp(const CVector3D& up) { m_Up = up; }
    const CFrustum& GetFrustum() const { return m_Frustum; }
    unsigned GetViewportWidth() const { return m_ViewportWidth; }
    unsigned GetViewportHeight() const { return m_ViewportHeight; }
    float GetNear() const { return m_Near; }
    float GetFar() const { return m_Far; }
    float GetFieldOfView() const { return m_FieldOfView; }
    void SetFieldOfView(float radians) { m_FieldOfView = radians; }
    // Fixed when the camera is made; later viewport changes leave it alone.
    float GetAspect() const { return m_Aspect; }

protected:
    float m_Yaw = 0.0f;
    float m_Pitch = 0.0f;
    // The eye's distance from the look-at point at construction, so that Update before any Reset
    // keeps the view.
    float m_Distance = 40.0f;
    std::string m_Name;
    CVector3D m_Eye{0.0f, 0.0f, -40.0f};
    CVector3D m_LookAt{0.0f, 0.0f, 0.0f};
    CVector3D m_Up{0.0f, 1.0f, 0.0f};
    CFrustum m_Frustum;
    unsigned m_ViewportWidth = 500;
    unsigned m_ViewportHeight = 280;
    float m_Near = 1.0f;
    float m_Far = 5000.0f;
    float m_FieldOfView = 0.7853982f;
    float m_Aspect = 500.0f / 280.0f;
};

} // namespace Vesk
