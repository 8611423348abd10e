// The side-scrolling sandbox (initial state "pmarlSandbox"): the level manager's current level -
// terrain, wall and every entity of the level file - with its player under the player controller,
// followed by the "sidescrolling" camera. The level and its entities belong to the level manager
// and the entity factory; the state owns nothing.
#pragma once

#include "core/IGameState.h"

namespace Game {

class CpmarlSandboxState : public Vesk::IGameState {
public:
    CpmarlSandboxState() : IGameState("pmarlSandboxState") {}

    void Enter() override;
    void Exit() override;
    void Update(float dt) override;
};

} // namespace Game
