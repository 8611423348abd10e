// The name of the game state on top of the state stack, which GUI widgets compare with the state
// that loaded them: widgets react only while their own state is on top.
#pragma once

#include <string>

namespace Game {

// Empty when the stack is empty.
std::string TopStateName();

} // namespace Game
