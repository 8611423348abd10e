// The physics world (stand-in until the physics issue lands): the collision pass and the world step are no-ops.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CPhysicsSystem : public CSingleton<CPhysicsSystem> {
public:
    // Turns the world's contacts into per-body records and fires pair callbacks.
    void ProcessCollisions() {}
    // Steps the dynamics world: dt with at most maxSubSteps fixed sub-steps of fixedStep seconds.
    void StepSimulation(float dt, int maxSubSteps, float fixedStep) { (void)dt; (void)maxSubSteps; (void)fixedStep; }
};

} // namespace Vesk
