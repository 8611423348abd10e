// CWaveLocation: a level marker where waves spawn their enemies.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CWaveLocation : public CEntity {
public:
    int GetType() const override { return WAVELOCATION; }
};

} // namespace Game
