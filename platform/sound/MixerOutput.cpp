// The output that plays through the audio device with SDL_mixer.
#include "platform/sound/Output.h"
#include "platform/win/RegularFile.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cmath>
#include <cstdio>

namespace sound {

namespace {

int ToMixerVolume(float volume) { return static_cast<int>(std::lround(volume * MIX_MAX_VOLUME)); }

class MixerSample : public Sample {
public:
    explicit MixerSample(Mix_Chunk* chunk) : m_Chunk(chunk) {}
    ~MixerSample() override { Mix_FreeChunk(m_Chunk); }
    Mix_Chunk* Chunk() const { return m_Chunk; }

private:
    Mix_Chunk* m_Chunk;
};

class MixerOutput : public Output {
public:
    ~MixerOutput() override
    {
        Close();
        StopAudioSubsystem();
    }

    int GetNumDrivers() override
    {
        if (!StartAudioSubsystem())
            return 0;
        // Some drivers cannot list their devices (-1) but still have a default one.
        const int count = SDL_GetNumAudioDevices(0);
        return count < 0 ? 1 : count;
    }

    bool Open(int channelCount) override
    {
        if (!StartAudioSubsystem())
            return false;
        if (Mix_OpenAudio(MIX_DEFAULT_FREQUENCY, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
            std::fprintf(stderr, "sound: cannot open the audio device: %s\n", Mix_GetError());
            return false;
        }
        Mix_AllocateChannels(channelCount);
        m_Open = true;
        return true;
    }

    void Close() override
    {
        if (!m_Open)
            return;
        Mix_HaltChannel(-1);
        Mix_CloseAudio();
        m_Open = false;
    }

    std::unique_ptr<Sample> Load(const std::string& path) override
    {
        std::string bytes, error;
        if (!win::ReadRegularFile(path, bytes, error)) {
            std::fprintf(stderr, "sound: cannot load \"%s\": %s\n", path.c_str(), error.c_str());
            return nullptr;
        }
        Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        if (!chunk) {
            std::fprintf(stderr, "sound: cannot load \"%s\": %s\n", path.c_str(), Mix_GetError());
            return nullptr;
        }
        return std::make_unique<MixerSample>(chunk);
    }

    bool Play(int channel, const Sample& sample, int loopCount) override
    {
        const auto& mixerSample = static_cast<const MixerSample&>(sample);
        return Mix_PlayChannel(channel, mixerSample.Chunk(), loopCount) == channel;
    }

    void Halt(int channel) override { Mix_HaltChannel(channel); }
    bool IsPlaying(int channel) override { return Mix_Playing(channel) != 0; }
    void SetChannelVolume(int channel, float volume) override { Mix_Volume(channel, ToMixerVolume(volume)); }
    void SetMasterVolume(float volume) override { Mix_MasterVolume(ToMixerVolume(volume)); }

private:
    bool StartAudioSubsystem()
    {
        if (m_AudioStarted)
            return true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            std::fprintf(stderr, "sound: no audio driver: %s\n", SDL_GetError());
            return false;
        }
        m_AudioStarted = true;
        return true;
    }

    void StopAudioSubsystem()
    {
        if (m_AudioStarted)
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        m_AudioStarted = false;
    }

    bool m_AudioStarted = false;
    bool m_Open = false;
};

} // namespace

std::unique_ptr<Output> CreateMixerOutput() { return std::make_unique<MixerOutput>(); }

} // namespace sound
