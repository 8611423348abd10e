// CGameCamera: the camera that follows the fight. Each frame it glides its eye and look-at point
// towards a pair of targets, and it takes the jolts that hits give it: a shake along the view
// direction (capped at 20) and a punch across the screen (capped at 3). A jolt is applied once,
// on the next Update, with its already decayed amount; while either jolt is still alive the
// glide runs at half speed, so the camera settles back slowly.
#pragma once

#include "game/base/ICameraJolts.h"
#include "math/Vector3D.h"
#include "render/CCamera.h"

namespace Game {

class CGameCamera : public Vesk::CCamera, public ICameraJolts {
public:
    static constexpr float kMaxStep = 0.0333f;
    static constexpr float kMaxShake = 20.0f;
    static constexpr float kMaxPunch = 3.0f;

    // Adds to the shake, at most kMaxShake in all. Amounts that are not finite are ignored.
    void AddShake(float amount) override;
    // Adds to the punch (at most kMaxPunch in all) and takes the direction (x sideways, y up),
    // normalised unless it is too short to normalise. Amounts that are not finite are ignored.
    void AddPunch(float amount, const float (&direction)[2]);
    void AddPunch(float amount, float directionX, float directionY) override;

    // The glide (dt limited to kMaxStep), the jolts, the frustum, then projection and view into
    // the renderer.
    void Update(float dt) override;

    const CVector3D& GetTargetEye() const { return m_TargetEye; }
    void SetTargetEye(const CVector3D& eye) { m_TargetEye = eye; }
    const CVector3D& GetTargetLookAt() const { return m_TargetLookAt; }
    void SetTargetLookAt(const CVector3D& lookAt) { m_TargetLookAt = lookAt; }
    float GetRate() const { return m_Rate; }
    void SetRate(float rate) { m_Rate = rate; }
    float GetRateMultiplier() const { return m_RateMultiplier; }
    float GetShakeAmount() const { return m_ShakeAmount; }
    float GetPunchAmount() const { return m_PunchAmount; }
    float GetPunchDirectionX() const { return m_PunchDirection[0]; }
    float GetPunchDirectionY() const { return m_PunchDirection[1]; }

    // A jolt counts while its amount is above the smallest normal float.
    static bool IsAlive(float amount);

protected:
    CVector3D m_TargetEye;
    CVector3D m_TargetLookAt;
    // Share of the way to the targets covered per second.
    float m_Rate = 3.0f;

private:
    // Sets the glide multiplier from both jolts and decays the amount; true when the jolt was
    // pending and is to be applied now.
    bool DecayJolt(float& amount, bool& pending, float dt);

    float m_PunchDirection[2] = {0.0f, 0.0f};
    float m_PunchAmount = 0.0f;
    bool m_PunchPending = false;
    float m_RateMultiplier = 1.0f;
    bool m_ShakePending = false;
    float m_ShakeAmount = 0.0f;
};

} // namespace Game
