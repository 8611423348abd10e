// CSlimeController: drives a slime, the plainest melee enemy. It has no spawn rise: it wanders,
// seeks the player and attacks in the group formations, and dies as soon as its health is gone,
// stunned or not.
#pragma once

#include "game/controllers/CEnemyController.h"

namespace Game {

class CSlimeController : public CEnemyController {
public:
    int GetControllerType() const override { return SLIME; }

protected:
    void BuildBehaviour() override;
    void BuildAnimations() override;
    bool HasSpawnState() const override { return false; }
    // Neither stunned nor busy with a move.
    bool IsBehaviourFrozen(const CCharacter& owner) const override;
    bool ShouldDie() override;
};

} // namespace Game
