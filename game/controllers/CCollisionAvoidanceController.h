// CCollisionAvoidanceController: a shared group controller that keeps the members of a group from
// walking into each other. Each update every free member (not stunned, not suspended) is pushed
// away from the free members whose boxes it is about to touch, and turned aside from the members
// standing between it and its target.
#pragma once

#include "game/controllers/ISharedCharacterController.h"

namespace Game {

class CCollisionAvoidanceController : public ISharedCharacterController {
public:
    static constexpr float kDefaultRadius = 15.0f;

    ~CCollisionAvoidanceController() override { Clear(); }

    void Init(const std::string& name) override;
    void Update(float dt) override;
    int GetType() const override { return COLLISION_AVOIDANCE; }

    // Members within this distance of each other steer; world units.
    float m_AvoidanceRadius = kDefaultRadius;
};

} // namespace Game
