// CCollisionBox: an invisible static box that closes gaps in a level's wall.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CCollisionBox : public CEntity {
public:
    int GetType() const override { return COLLISIONBOX; }
};

} // namespace Game
