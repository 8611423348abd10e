// CDeath: the death fall. The character dies at once (dying, the death sound, out of its groups),
// plays its death, floats without gravity and passes through everything; when the move ends its
// body shatters, the "minion_die" sound plays and the extra callback runs. Ended by a teardown
// (Cancel), it only stops the body and locks its actions.
#pragma once

#include "game/moves/CMove.h"

namespace Game {

class CDeath : public CMove {
public:
    static constexpr float kActionLockAfter = 1.0f;

    CDeath(CCharacter* owner, float seconds, ExtraFunction* extra);
    ~CDeath() override;
    bool Update(float dt) override;
};

} // namespace Game
