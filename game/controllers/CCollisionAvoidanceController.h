// CCollisionAvoidanceController: a shared group controller that keeps the members of a group from
// walking into each other. Each update every free member (not stunned, not suspended) is pushed
// away from the free members whose boxes it is about to touch, and turned aside from the members
// standing between it and its target. Each member's position, velocity and boxes are read once
// per update, and the members near one are found through a grid of the free members; all of it
// lives in storage kept from update to update.
#pragma once

#include "game/controllers/CMemberGrid.h"
#include "game/controllers/ISharedCharacterController.h"
#include "math/AABB.h"
#include "math/Vector3D.h"

#include <cstdint>
#include <vector>

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

private:
    // A member as this update found it.
    struct MemberView {
        CVector3D position;
        CVector3D velocity;
        CAABB box;
        // The box moved to where the velocity takes it within the update.
        CAABB boxAhead;
        bool free = false;
    };
    struct Steering {
        bool m_Face = false;
        CVector3D m_Vector;
    };

    void ViewMembers(float dt, float reachSquared);
    CVector3D NearSteering(const MemberView& member) const;

    std::vector<CCharacter*> m_Crowd;
    std::vector<MemberView> m_Views;
    std::vector<Steering> m_Steering;
    CMemberGrid m_Grid;
    std::vector<uint32_t> m_Candidates;
    std::vector<uint32_t> m_Near;
    std::vector<uint32_t> m_Ahead;
};

} // namespace Game
