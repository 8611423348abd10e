// CRotationTweenController: swings a GUI object into place along an arc around a pivot, from the
// point turned back by the angle to the point given at set-up. The target is not owned; its owning
// widget updates it.
#pragma once

#include "game/controllers/IController.h"
#include "ui2d/CRect2D.h"

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CRotationTweenController : public IController {
public:
    ~CRotationTweenController() override { m_pTarget = nullptr; }

    // Only the owning widget advances GUI tweens, so the controller manager's update skips it.
    void Attach(const ControllerSetting& setting) override;
    void Detach() { m_pTarget = nullptr; }
    void Update(float dt) override;
    int GetControllerType() const override { return ROTATIONTWEEN; }

    // angle in whole degrees; the fade ending is kept for the screen files but not used.
    void Setup(Vesk::CDisplayObject2D* target, Vesk::CPoint2D pivot, Vesk::CPoint2D point, int angle, float speed,
               int fadeEnding);
    void Reset();

    bool IsDone() const { return m_Done; }
    float GetProgress() const { return m_Progress; }
    Vesk::CPoint2D GetStartPoint() const { return m_StartPoint; }

private:
    Vesk::CDisplayObject2D* m_pTarget = nullptr;
    Vesk::CPoint2D m_Pivot, m_StartPoint;
    int m_Angle = 0;
    int m_FadeEnding = 0;
    float m_Progress = 0.0f;
    float m_Speed = 1.0f;
    bool m_Done = false;
};

} // namespace Game
