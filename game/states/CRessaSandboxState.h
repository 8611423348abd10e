// CRessaSandboxState: tries the highscore name entry on its own. Its Enter opens the entry for
// score 0 of the level "" over itself, with the highscore table on a scratch file
// ("assets/highscore_sandbox.dat"), so that what is entered here never reaches the player's
// table; Exit puts the table back on its own file. Owns nothing.
#pragma once

#include "core/IGameState.h"

namespace Game {

class CRessaSandboxState : public Vesk::IGameState {
public:
    static constexpr const char* kScratchPath = "./assets/highscore_sandbox.dat";

    CRessaSandboxState() : IGameState("") {}

    void Enter() override;
    void Exit() override;
    void Update(float) override {}
};

} // namespace Game
