#include "game/moves/SwingMoves.h"

namespace Game {

CTimedSwing::CTimedSwing(const std::string& name, const std::string& clip, CCharacter* owner, float seconds)
    : CMove(name, owner, seconds)
{
    PlayOnce(clip);
}

} // namespace Game
