// ExtraFunction: a callback that a move runs when it ends (the death move runs its owner's, such
// as the player's tombstone). The move does not own it; whoever hands it over keeps it alive for
// as long as the move may run.
#pragma once

namespace Game {

class ExtraFunction {
public:
    virtual ~ExtraFunction() = default;
    virtual void Run() = 0;
};

} // namespace Game
