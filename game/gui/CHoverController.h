// CHoverController: keeps a GUI object moving once it rests in place: bobbing, rocking, sliding
// (wrapping round past the right edge), pulsing in scale and shimmering in alpha. The target is not
// owned; its owning widget updates it.
#pragma once

#include "game/controllers/IController.h"
#include "ui2d/CRect2D.h"

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CHoverController : public IController {
public:
    enum Switch : unsigned { Hover = 1, Rotate = 2, Sliding = 4, Scaler = 8, Opacity = 16 };

    ~CHoverController() override { m_pTarget = nullptr; }

    // Only the owning widget advances GUI tweens, so the controller manager's update skips it.
    void Attach(const ControllerSetting& setting) override;
    void Detach() { m_pTarget = nullptr; }
    void Update(float dt) override;
    int GetControllerType() const override { return HOVERTWEEN; }

    // The five switches are on when non-zero.
    void Setup(Vesk::CDisplayObject2D* target, Vesk::CPoint2D position, Vesk::CPoint2D slidingDirection, float speed,
               float hoverDeviation, float rotateDegree, float scalerFactor, float opacityFactor, int hover, int rotate,
               int sliding, int scaler, int opacity);
    void Reset() { m_Started = false; }

    bool IsStarted() const { return m_Started; }
    unsigned GetSwitches() const { return m_Switches; }

private:
    Vesk::CDisplayObject2D* m_pTarget = nullptr;
    Vesk::CPoint2D m_BaseScale, m_Position, m_SlidingDirection;
    float m_Speed = 0.2f;
    float m_RotateDegree = 20.0f;
    float m_HoverDeviation = 0.1f;
    float m_ScalerFactor = 0.0f, m_OpacityFactor = 0.0f;
    float m_Time = 0.0f;
    float m_BaseAlpha = 1.0f;
    unsigned m_Switches = 0;
    bool m_Started = false;
};

} // namespace Game
