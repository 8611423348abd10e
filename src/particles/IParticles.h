// A batch of point-sprite particles drawn in one call: the particle records' first 64 bytes are
// the vertex, copied unchanged; the shader draws each particle from its start values and age.
#pragma once

#include "resources/IResource.h"

#include <cstdint>

namespace Vesk {

// The drawn part of a particle record: start position, velocity and acceleration, start and end
// size, age and lifetime in seconds, start and end colour (packed ARGB) and rotation speed.
struct ParticleVertex {
    float position[3];
    float velocity[3];
    float acceleration[3];
    float startSize, endSize;
    float age, lifetime;
    uint32_t startColour, endColour;
    float rotationSpeed;
};
static_assert(sizeof(ParticleVertex) == 64, "particle vertices are 64 bytes");

class IParticles : public IResource {
public:
    // The draw states of every batch drawn until End.
    virtual void Begin() = 0;
    // Draws what the last FillVertices copied.
    virtual void Render() = 0;
    virtual void End() = 0;
    // Applies the batch's material and copies the particles (an array of count pointers) into
    // the vertex buffer, as many as it holds.
    virtual void FillVertices(const ParticleVertex* const* particles, int count) = 0;
};

} // namespace Vesk
