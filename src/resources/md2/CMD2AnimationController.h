// Plays the named animations of one MD2 model. Every controller keeps its own animation range,
// frames and blend, so instances of one cached model animate independently; each update also
// hands its pose to the model, which the mesh's draw then shows.
#pragma once

#include "resources/IAnimationController.h"
#include "resources/md2/CMD2Model.h"

#include <memory>
#include <string>

namespace Vesk {

class CMD2AnimationController : public IAnimationController {
public:
    // Starts with the model's current animation. The controller shares ownership of the model, so
    // it stays valid for as long as the controller lives.
    CMD2AnimationController(IMesh* mesh, std::shared_ptr<CMD2Model> model);

    // Sets the playback rate; a new name restarts at its first frame (an unknown name restarts
    // the animation that was playing). The running name changes only the rate.
    void SetAnimation(const std::string& name, int mode, float fps) override;
    int GetCurrentFrame() const override { return m_CurrentFrame; }
    // Advances at most one key frame per call, wrapping before the range's end frame.
    void Update(float dt) override;

    const std::string& GetAnimationName() const { return m_AnimationName; }
    const MD2AnimationRange& GetRange() const { return m_Range; }
    const MD2Blend& GetBlend() const { return m_Blend; }
    int GetNextFrame() const { return m_NextFrame; }
    float GetFraction() const { return m_Fraction; }
    float GetLastStep() const { return m_LastStep; }
    float GetFramesPerSecond() const { return m_FramesPerSecond; }

private:
    std::shared_ptr<CMD2Model> m_Model;
    std::string m_AnimationName;
    MD2AnimationRange m_Range;
    int m_CurrentFrame = 0;
    int m_NextFrame = 0;
    float m_Fraction = 0.0f;
    float m_LastStep = 0.0f;
    float m_FramesPerSecond = 24.0f;
    MD2Blend m_Blend;
};

} // namespace Vesk
