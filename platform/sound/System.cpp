#include "platform/sound/Sound.h"

#include "platform/sound/Output.h"

#include <SDL_mixer.h>

#include <algorithm>

namespace sound {

namespace {

// Generations come from one process-wide counter, so a handle never matches a later play, even
// across a Release and a new Init.
uint32_t NextGeneration()
{
    static uint32_t s_Next = 0;
    if (++s_Next == 0)
        ++s_Next;
    return s_Next;
}

float ClampVolume(float volume) { return volume > 1.0f ? 1.0f : (volume >= 0.0f ? volume : 0.0f); }

} // namespace

Sound::Sound(System& system, std::string path, std::unique_ptr<Sample> sample)
    : m_System(system), m_Path(std::move(path)), m_Sample(std::move(sample))
{
}

Sound::~Sound() = default;

Result Sound::SetLoopCount(int loopCount)
{
    if (loopCount < -1)
        return Result::ErrInvalidParam;
    m_LoopCount = loopCount;
    return Result::Ok;
}

Result Sound::Release()
{
    m_System.ReleaseSound(this);
    return Result::Ok;
}

Result ChannelGroup::SetVolume(float volume)
{
    m_Volume = ClampVolume(volume);
    if (m_System.m_Initialised)
        m_System.m_Output->SetMasterVolume(m_Volume);
    return Result::Ok;
}

System::System(std::unique_ptr<Output> output)
    : m_Output(output ? std::move(output) : CreateMixerOutput()), m_Master(*this)
{
}

System::~System() { Release(); }

Result System::GetVersion(unsigned& version) const
{
    const SDL_version* linked = Mix_Linked_Version();
    version = (unsigned(linked->major) << 16) | (unsigned(linked->minor) << 8) | unsigned(linked->patch);
    return Result::Ok;
}

Result System::GetNumDrivers(int& count)
{
    count = m_Output->GetNumDrivers();
    return Result::Ok;
}

Result System::SetOutputNoSound()
{
    if (m_Initialised)
        return Result::ErrAlreadyInitialized;
    m_Output = CreateSilentOutput();
    return Result::Ok;
}

Result System::Init(int maxChannels)
{
    if (m_Initialised)
        return Result::ErrAlreadyInitialized;
    if (maxChannels <= 0)
        return Result::ErrInvalidParam;
    if (!m_Output->Open(maxChannels))
        return Result::ErrOutputInit;
    m_Slots.assign(static_cast<size_t>(maxChannels), Slot{});
    m_Initialised = true;
    m_Output->SetMasterVolume(m_Master.m_Volume);
    return Result::Ok;
}

Result System::CreateSound(const std::string& path, Sound** sound)
{
    if (!sound)
        return Result::ErrInvalidParam;
    *sound = nullptr;
    if (!m_Initialised)
        return Result::ErrUninitialized;
    std::unique_ptr<Sample> sample = m_Output->Load(path);
    if (!sample)
        return Result::ErrFile;
    *sound = new Sound(*this, path, std::move(sample));
    m_Sounds.push_back(*sound);
    return Result::Ok;
}

int System::FindFreeChannel()
{
    for (size_t i = 0; i < m_Slots.size(); ++i) {
        if (!m_Output->IsPlaying(static_cast<int>(i)))
            return static_cast<int>(i);
    }
    return -1;
}

Result System::PlaySound(ChannelMode mode, Sound* sound, Channel& channel)
{
    const Channel requested = channel;
    channel = Channel{};
    if (!m_Initialised)
        return Result::ErrUninitialized;
    if (!sound || std::find(m_Sounds.begin(), m_Sounds.end(), sound) == m_Sounds.end())
        return Result::ErrInvalidParam;

    Channel target;
    if (mode == ChannelMode::Reuse && IsCurrent(requested)) {
        target = requested;
        m_Output->Halt(target.index);
    } else {
        target.index = FindFreeChannel();
        if (target.index < 0)
            return Result::ErrChannelAlloc;
        target.generation = NextGeneration();
    }

    Slot& slot = m_Slots[static_cast<size_t>(target.index)];
    slot.generation = target.generation;
    slot.sound = sound;
    // A play starts at full channel volume, as a fresh channel does.
    m_Output->SetChannelVolume(target.index, 1.0f);
    if (!m_Output->Play(target.index, *sound->m_Sample, sound->m_LoopCount)) {
        slot.sound = nullptr;
        return Result::ErrPlay;
    }
    channel = target;
    return Result::Ok;
}

Result System::Update()
{
    if (!m_Initialised)
        return Result::ErrUninitialized;
    m_Output->Update();
    return Result::Ok;
}

void System::ReleaseSound(Sound* sound)
{
    const auto it = std::find(m_Sounds.begin(), m_Sounds.end(), sound);
    if (it == m_Sounds.end())
        return;
    for (size_t i = 0; i < m_Slots.size(); ++i) {
        if (m_Slots[i].sound == sound) {
            m_Output->Halt(static_cast<int>(i));
            m_Slots[i] = Slot{};
        }
    }
    m_Sounds.erase(it);
    delete sound;
}

Result System::Release()
{
    while (!m_Sounds.empty())
        ReleaseSound(m_Sounds.back());
    if (m_Initialised)
        m_Output->Close();
    m_Slots.clear();
    m_Initialised = false;
    return Result::Ok;
}

bool System::IsCurrent(Channel channel) const
{
    return channel.index >= 0 && static_cast<size_t>(channel.index) < m_Slots.size() && channel.generation != 0 &&
           m_Slots[static_cast<size_t>(channel.index)].generation == channel.generation;
}

Result System::Stop(Channel channel)
{
    if (!IsCurrent(channel))
        return Result::ErrInvalidHandle;
    m_Output->Halt(channel.index);
    return Result::Ok;
}

bool System::IsPlaying(Channel channel) { return IsCurrent(channel) && m_Output->IsPlaying(channel.index); }

Result System::SetVolume(Channel channel, float volume)
{
    if (!IsCurrent(channel))
        return Result::ErrInvalidHandle;
    m_Output->SetChannelVolume(channel.index, ClampVolume(volume));
    return Result::Ok;
}

} // namespace sound
