// Sounds by name over one sound::System with 100 channels: loads sounds under names, plays them
// by name (restarting a sound on the channel remembered for its name, or on a fresh channel),
// and owns the master volume. With no audio device it runs silent; the frame updates it.
#pragma once

#include "audio/CSoundChannel.h"
#include "core/CSingleton.h"

#include <map>
#include <memory>
#include <string>

namespace sound {
class Output;
}

namespace Vesk {

class CAudioSystem : public CSingleton<CAudioSystem> {
public:
    static constexpr int kChannelCount = 100;

    ~CAudioSystem() override;

    // On the audio device, or silent when there is none.
    bool Init() override;
    // On the given output (tests hand in a recording output).
    bool Init(std::unique_ptr<sound::Output> output);
    // Releases everything now, while the platform is still up.
    void Shutdown() override { Release(); }
    void Release();

    // A name already loaded keeps its first sound. loopCount: -1 for ever, 0 once, n: n + 1 times.
    void LoadSound(const std::string& name, const std::string& path, int loopCount);
    // A null handle when no sound is loaded under the name.
    CSoundChannel PlaySound(const std::string& name, bool newChannel);

    void SetMasterVolume(float volume);
    float GetMasterVolume() const;
    void Update();

    void StopChannel(sound::Channel channel);
    bool IsChannelPlaying(sound::Channel channel) const;
    void SetChannelVolume(sound::Channel channel, float volume);

    // The channel remembered for a sound name (null when none).
    sound::Channel GetRememberedChannel(const std::string& name) const;

private:
    std::unique_ptr<sound::System> m_System;
    std::map<std::string, sound::Sound*> m_Sounds;
    std::map<std::string, sound::Channel> m_Channels;
};

} // namespace Vesk
