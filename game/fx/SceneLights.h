// The scene's one light as the screens and the play state use it: a default light is added only
// while the renderer has none (entering screens again and again adds no more), and light 0 is
// moved to where a screen wants it.
#pragma once

#include "math/Vector3D.h"

namespace Game {

void EnsureSceneLight();
// Nothing when the renderer has no light.
void PlaceSceneLight(const CVector3D& position);

} // namespace Game
