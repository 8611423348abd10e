// A named camera (stand-in until the camera issue lands): Reset and Update hooks that the game's
// cameras override, the aspect of its viewport (fixed when the camera is made) and the view
// frustum the scene culls against (all planes zero: culls nothing).
#pragma once

#include "math/Frustum.h"

#include <string>

namespace Vesk {

class CCamera {
public:
    virtual ~CCamera() = default;
    virtual void Reset() {}
    virtual void Update(float dt) { (void)dt; }

    const std::string& GetName() const { return m_Name; }
    void SetName(const std::string& name) { m_Name = name; }
    float GetAspect() const { return m_Aspect; }
    const CFrustum& GetFrustum() const { return m_Frustum; }

private:
    std::string m_Name;
    unsigned m_ViewportWidth = 500, m_ViewportHeight = 280;
    float m_Aspect = static_cast<float>(m_ViewportWidth) / static_cast<float>(m_ViewportHeight);
    CFrustum m_Frustum;
};

} // namespace Vesk
