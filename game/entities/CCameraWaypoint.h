// CCameraWaypoint: a level marker on the camera's path.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CCameraWaypoint : public CEntity {
public:
    int GetType() const override { return CAMERAWAYPOINT; }
};

} // namespace Game
