// The running frame as the frame loop hands it down: the number of frames finished and the
// frame's steps. Only the game manager writes it, once a frame; input, the developer panels and
// the particle batches read it, so that no system below the frame loop reaches up to it.
#pragma once

#include "core/CSingleton.h"

#include <cstdint>

namespace Vesk {

class CFrameClock : public CSingleton<CFrameClock> {
public:
    // Frames finished since start-up: the index of the frame about to run.
    uint64_t GetFrameIndex() const { return m_FrameIndex; }
    // The state update's step: after freeze, slow motion and the cap.
    float GetTimeStep() const { return m_TimeStep; }
    // The frame's own duration, slowed in slow motion only: effects keep moving in frozen frames.
    float GetEffectStep() const { return m_EffectStep; }

    void SetFrameIndex(uint64_t index) { m_FrameIndex = index; }
    void SetSteps(float timeStep, float effectStep)
    {
        m_TimeStep = timeStep;
        m_EffectStep = effectStep;
    }

private:
    uint64_t m_FrameIndex = 0;
    float m_TimeStep = 0.0f;
    float m_EffectStep = 0.0f;
};

} // namespace Vesk
