// CDestructible: an object that breaks after hits and drops coins. Its life states come with
// the destructibles' work; for now it is an entity of its own type.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CDestructible : public CEntity {
public:
    int GetType() const override { return DESTRUCTIBLE_OBJECT; }
};

} // namespace Game
