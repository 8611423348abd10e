// CDoodads: scenery placed in a level. Its behaviour comes with the destructibles' work.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CDoodads : public CEntity {
public:
    int GetType() const override { return GENERIC_DOODADS; }
};

} // namespace Game
