// The side-scrolling sandbox (initial state "pmarlSandbox"): the level manager's current level -
// terrain, wall and every entity of the level file - run by the entity factory and seen through
// the "sidescrolling" camera, which looks at the player's surroundings from the front. The level
// and its entities belong to the level manager and the entity factory; the state owns nothing.
#pragma once

#include "core/IGameState.h"
#include "math/Vector3D.h"

namespace Game {

class CpmarlSandboxState : public Vesk::IGameState {
public:
    CpmarlSandboxState() : IGameState("pmarlSandboxState") {}

    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

    // Where the camera looks from and at to show the ground around a player standing at a point.
    static CVector3D CameraEyeFor(const CVector3D& player);
    static CVector3D CameraLookAtFor(const CVector3D& player);
};

} // namespace Game
