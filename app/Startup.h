// The program's start-up driver: reads the system configuration, brings the engine up,
// registers the game's types and cameras, picks the display mode and the first state, installs
// the developer hotkeys, runs the frame loop and tears the game down.
#pragma once

#include "core/IGameState.h"
#include "game/world/GameStartup.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Game {

// Developer options for automated runs; the defaults change nothing.
struct DeveloperOptions {
    uint64_t frameLimit = 0;    // post the quit message after this many frames (0: no limit)
    float fixedTimeStep = 0.0f; // seconds per frame in place of the measured time (0: measured)
    std::string inputScript;    // a file of timed key, mouse and pad events fed in as the frames run
    std::string screenshot;     // BMP file that receives the picture of the last frame (with frameLimit)
    std::string probe;          // text file that receives one line about the player per frame
    std::string probeEntity;    // the name of an entity whose position each probe line ends with
    std::string dialogAnswers;  // a file of answers that the file dialogs take in place of a person
    // BMP files that receive the pictures of the frames with these indices (from 0)
    std::vector<std::pair<uint64_t, std::string>> timedScreenshots;
};

// 0 after a normal run, 1 when the engine failed to start or the input script, the probe file or
// the dialog answers cannot be opened.
int RunGame(const DeveloperOptions& options);

// The first state for the configured "initialstate" (exact, case-sensitive match); the controls
// screen for anything else, with a notice on screen and in the log when a name was given.
// "PlayState" with a level file makes that file the next level.
Vesk::IGameState* CreateInitialState(const std::string& initialState, const std::string& levelFile);

} // namespace Game
