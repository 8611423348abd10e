// A small sound system in the shape the audio code expects: one System with a fixed number of
// channels, Sounds loaded from WAV or OGG files with a loop count, plays on a free channel or
// restarted on a remembered one, a master channel group, per-frame update and release.
// Channels are value handles {index, generation}: a handle whose channel has since been given to
// another play is stale, and every operation on it is a harmless no-op.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace sound {

class Output;
class Sample;
class System;

enum class Result {
    Ok,
    ErrUninitialized,
    ErrAlreadyInitialized,
    ErrInvalidParam,
    ErrOutputInit, // the output device could not be opened
    ErrFile,       // missing or undecodable sound file
    ErrInvalidHandle,
    ErrChannelAlloc, // every channel is busy
    ErrPlay,
};

struct Channel {
    int index = -1;
    uint32_t generation = 0;

    bool IsNull() const { return index < 0; }
};

// How PlaySound picks its channel.
enum class ChannelMode {
    Free,  // the lowest channel that is not playing
    Reuse, // the given channel when its handle is current, else as Free
};

class Sound {
public:
    Sound(const Sound&) = delete;
    Sound& operator=(const Sound&) = delete;

    // -1 loops for ever (the default), 0 plays once, n plays n + 1 times.
    Result SetLoopCount(int loopCount);
    int GetLoopCount() const { return m_LoopCount; }
    const std::string& GetPath() const { return m_Path; }
    // Stops the channels playing this sound and frees it; the pointer is invalid afterwards.
    Result Release();

private:
    friend class System;
    Sound(System& system, std::string path, std::unique_ptr<Sample> sample);
    ~Sound();

    System& m_System;
    std::string m_Path;
    std::unique_ptr<Sample> m_Sample;
    int m_LoopCount = -1;
};

class ChannelGroup {
public:
    Result SetVolume(float volume);
    float GetVolume() const { return m_Volume; }

private:
    friend class System;
    explicit ChannelGroup(System& system) : m_System(system) {}

    System& m_System;
    float m_Volume = 1.0f;
};

class System {
public:
    // Version of the sound library linked in, as 0xMMmmpp, and the lowest version this system needs.
    static constexpr unsigned kRequiredVersion = 0x020600;

    // With no output given, the SDL_mixer output is used.
    explicit System(std::unique_ptr<Output> output = nullptr);
    ~System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    Result GetVersion(unsigned& version) const;
    Result GetNumDrivers(int& count);
    // Before Init: play nothing, whatever devices exist.
    Result SetOutputNoSound();
    Result Init(int maxChannels);
    bool IsInitialised() const { return m_Initialised; }

    Result CreateSound(const std::string& path, Sound** sound);
    // channel: in, the channel to reuse (ChannelMode::Reuse); out, the channel played on (null on failure).
    Result PlaySound(ChannelMode mode, Sound* sound, Channel& channel);
    ChannelGroup& GetMasterChannelGroup() { return m_Master; }
    Result Update();
    // Frees every sound and closes the output; Init may run again afterwards.
    Result Release();

    Result Stop(Channel channel);
    // False for a stale or null handle.
    bool IsPlaying(Channel channel);
    Result SetVolume(Channel channel, float volume);
    // True while the handle names the latest play on its channel.
    bool IsCurrent(Channel channel) const;

private:
    friend class Sound;
    friend class ChannelGroup;

    struct Slot {
        uint32_t generation = 0;
        const Sound* sound = nullptr;
    };

    int FindFreeChannel();
    void ReleaseSound(Sound* sound);

    std::unique_ptr<Output> m_Output;
    std::vector<Slot> m_Slots;
    std::vector<Sound*> m_Sounds;
    ChannelGroup m_Master;
    bool m_Initialised = false;
};

} // namespace sound
