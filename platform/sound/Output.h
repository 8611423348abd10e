// Where a sound::System sends its work: loading samples, playing them on numbered channels and
// setting volumes. The SDL_mixer output plays through the audio device, the silent output stands
// in when there is none, and tests plug in a RecordingOutput.
#pragma once

#include <memory>
#include <string>

namespace sound {

// Decoded sound data, owned by whoever loaded it; each output derives its own kind.
class Sample {
public:
    virtual ~Sample() = default;
};

class Output {
public:
    virtual ~Output() = default;

    // Output devices available; 0 when none can be used.
    virtual int GetNumDrivers() = 0;
    // Brings up the output with the given number of channels; false when the device cannot open.
    virtual bool Open(int channelCount) = 0;
    virtual void Close() = 0;
    // Null (after a log line) when the file is missing or cannot be decoded.
    virtual std::unique_ptr<Sample> Load(const std::string& path) = 0;
    // loopCount: -1 repeats for ever, 0 plays once, n plays n + 1 times. False when it cannot play.
    virtual bool Play(int channel, const Sample& sample, int loopCount) = 0;
    virtual void Halt(int channel) = 0;
    virtual bool IsPlaying(int channel) = 0;
    // Volumes from 0 to 1.
    virtual void SetChannelVolume(int channel, float volume) = 0;
    virtual void SetMasterVolume(float volume) = 0;
    virtual void Update() {}
};

std::unique_ptr<Output> CreateMixerOutput();
std::unique_ptr<Output> CreateSilentOutput();

} // namespace sound
