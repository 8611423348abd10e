// CDoodads: scenery placed in a level: a mesh under its scene nodes, no body and no controller. Its
// size is its mesh's box enlarged by 1.8, which the editor uses to pick it.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CDoodads : public CEntity {
public:
    static constexpr float kSizeFactor = 1.8f;

    int GetType() const override { return GENERIC_DOODADS; }
    void Init(const std::string& name, const EntitySetting& setting) override;
};

} // namespace Game
