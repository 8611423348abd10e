// CWaveLocation: a level marker where location-based spawners put their enemies. It has no nodes
// and no body, and shows as a red box only while the level editor is the top game state.
#pragma once

#include "game/entities/CEntity.h"

namespace Game {

class CWaveLocation : public CEntity {
public:
    int GetType() const override { return WAVELOCATION; }
    // Name, position and the marker's 5 x 5 x 5 size; no nodes, body or controller.
    void Init(const std::string& name, const EntitySetting& setting) override;
    // Draws the marker box under the level editor; nothing else.
    void Update(float dt) override;
};

} // namespace Game
