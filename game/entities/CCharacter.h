// CCharacter: a fighting entity (the player and the enemies). Its life machine, movement and
// damage come with the characters' own work; for now it is an entity of its own type.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CCharacter : public CEntity {
public:
    int GetType() const override { return GENERIC_CHARACTER; }
};

} // namespace Game
