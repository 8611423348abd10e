// An output for tests: records what the sound system asks of it in a shared Recording, which
// the test keeps after handing the output over. Files load when they exist; a channel plays
// from Play until Halt, or until the test ends it with Finish.
#pragma once

#include "platform/sound/Output.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace sound {

struct Recording {
    struct Play {
        int channel;
        std::string path;
        int loopCount;
    };

    // Set by the test before the system opens the output.
    int drivers = 1;
    bool openSucceeds = true;

    int openedChannels = 0;         // 0 while closed
    std::vector<std::string> loads; // every path asked for, found or not
    std::vector<Play> plays;
    std::vector<int> halts;
    std::map<int, bool> playing;
    std::map<int, float> channelVolumes;
    float masterVolume = -1.0f;
    int updates = 0;

    // Ends the channel's playback as if its sound had run out.
    void Finish(int channel) { playing[channel] = false; }
};

std::unique_ptr<Output> CreateRecordingOutput(std::shared_ptr<Recording> recording);

} // namespace sound
