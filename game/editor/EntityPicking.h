// Mouse picking of entities: the nearest entity whose bounding box the ray enters, except that a
// hit entity smaller than the nearest in all three dimensions wins, so that a small entity in
// or before a large one can be picked.
#pragma once

#include "math/Ray.h"

#include <vector>

namespace Game {

class CEntity;

// Over every live entity in the factory's order; entities of an excluded type are skipped, and
// each box is scaled by boxScale about its centre before the test. Null when nothing is hit.
CEntity* PickEntityAlongRay(const CRay& ray, const std::vector<int>& excludedTypes = {}, float boxScale = 1.0f);

} // namespace Game
