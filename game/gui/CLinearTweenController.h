// CLinearTweenController: moves a GUI object from a start point to its place, optionally scaling
// and fading it in or out on the way; a timed variant fades the object out after arriving and
// then runs the button's callback once. The target is not owned; its owning widget updates it.
#pragma once

#include "game/controllers/IController.h"
#include "ui2d/CRect2D.h"

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CLinearTweenController : public IController {
public:
    ~CLinearTweenController() override { m_pTarget = nullptr; }

    // Only the owning widget advances GUI tweens, so the controller manager's update skips it.
    void Attach(const ControllerSetting& setting) override;
    void Detach() { m_pTarget = nullptr; }
    void Update(float dt) override;
    int GetControllerType() const override { return LINEARTWEEN; }

    // scaleMode: 0 none, 1 grow and fade in from fadeSize, 2 shrink and fade out towards it.
    // fadeEnding non-zero: move for 1 / speed seconds, fade out, then run the button's callback.
    void Setup(Vesk::CDisplayObject2D* target, Vesk::CPoint2D start, Vesk::CPoint2D end, float speed, int fadeEnding,
               int scaleMode, Vesk::CPoint2D fadeSize, float opaqueFactor);
    void Reset();
    // Holds a tween that has not started yet.
    void MarkDone() { m_Done = true; }

    bool IsDone() const { return m_Done; }
    float GetProgress() const { return m_Progress; }
    Vesk::CDisplayObject2D* GetTarget() const { return m_pTarget; }

private:
    // One plain step towards the end; true on arrival.
    bool Step(float dt);

    Vesk::CDisplayObject2D* m_pTarget = nullptr;
    Vesk::CPoint2D m_Start, m_End, m_StartScale, m_FadeSize;
    float m_Progress = 0.0f;
    float m_Speed = 1.0f;
    float m_OpaqueFactor = 0.0f;
    int m_FadeEnding = 0;
    int m_ScaleMode = 0;
    bool m_Done = false;
    // The timed ending's callback runs once per run of the tween.
    bool m_CallbackRun = false;
};

} // namespace Game
