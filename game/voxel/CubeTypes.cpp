#include "game/voxel/CubeTypes.h"

#include <algorithm>

namespace Game {

CubeKeyframe& FindOrInsertKeyframe(CubeAnimation& animation, int frame)
{
    auto& keys = animation.keyframes;
    auto it = std::lower_bound(keys.begin(), keys.end(), frame,
                               [](const CubeKeyframe& key, int number) { return key.frame < number; });
    if (it != keys.end() && it->frame == frame)
        return *it;
    CubeKeyframe key;
    key.frame = frame;
    return *keys.insert(it, std::move(key));
}

} // namespace Game
