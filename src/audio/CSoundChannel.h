// A value handle of one channel played through the audio system. Its operations reach the
// channel through CAudioSystem and are harmless on a null handle or after the channel has been
// given to another play.
#pragma once

#include "platform/sound/Sound.h"

namespace Vesk {

class CSoundChannel {
public:
    CSoundChannel() = default;
    explicit CSoundChannel(sound::Channel channel) : m_Channel(channel) {}

    void Stop();
    bool IsPlaying() const;
    // True when a sound was played (the handle is not null), even if it has ended since.
    bool IsValid() const { return !m_Channel.IsNull(); }
    void SetVolume(float volume);

    sound::Channel GetHandle() const { return m_Channel; }

private:
    sound::Channel m_Channel;
};

} // namespace Vesk
