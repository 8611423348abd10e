// Particle batches (stand-in until the particle issue lands): nothing to draw.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CParticleSystem : public CSingleton<CParticleSystem> {
public:
    void Render() {}
};

} // namespace Vesk
