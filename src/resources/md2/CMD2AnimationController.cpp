#include "resources/md2/CMD2AnimationController.h"

#include "core/Assert.h"

namespace Vesk {

CMD2AnimationController::CMD2AnimationController(IMesh* mesh, std::shared_ptr<CMD2Model> model)
    : IAnimationController(mesh), m_Model(std::move(model))
{
    VESK_ASSERT(m_Model, "m_Model");
    m_AnimationName = m_Model->GetCurrentAnimationName();
    if (const MD2AnimationRange* range = m_Model->FindAnimation(m_AnimationName))
        m_Range = *range;
    // Start on the animation's own first frame rather than blending in frame 0 of another one.
    m_CurrentFrame = m_NextFrame = m_Range.start;
}

void CMD2AnimationController::SetAnimation(const std::string& name, int, float fps)
{
    m_FramesPerSecond = fps;
    if (name == m_AnimationName)
        return;
    m_Fraction = 1.0f;
    m_AnimationName = name;
    if (const MD2AnimationRange* range = m_Model->FindAnimation(name))
        m_Range = *range;
    m_CurrentFrame = m_NextFrame = m_Range.start;
}

void CMD2AnimationController::Update(float dt)
{
    const int start = m_Range.start;
    const int end = m_Range.end;
    const float step = m_FramesPerSecond * dt;
    m_LastStep = step;

    if (m_CurrentFrame < start || m_CurrentFrame > end)
        m_CurrentFrame = start;
    if (m_Fraction >= 1.0f) {
        // Whatever lies above one frame is dropped: one key frame per update at most.
        ++m_CurrentFrame;
        if (m_CurrentFrame >= end)
            m_CurrentFrame = start;
        m_Fraction = 0.0f;
        m_NextFrame = m_CurrentFrame + 1;
        if (m_NextFrame >= end)
            m_NextFrame = start;
    }
    m_Fraction += step;

    m_Blend.t = m_Fraction;
    m_Blend.frameA = m_CurrentFrame;
    m_Blend.frameB = m_NextFrame;
    m_Model->SetBlend(m_Blend);
}

} // namespace Vesk
