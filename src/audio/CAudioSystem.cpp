#include "audio/CAudioSystem.h"

#include "core/Log.h"
#include "platform/sound/Output.h"

namespace Vesk {

namespace {

const char* const kInitFailed = "CAudioSystem : Initialization fail";
const char* const kOutOfDate = "CAudioSystem : FMOD version out of date.";

} // namespace

CAudioSystem::~CAudioSystem() { Release(); }

bool CAudioSystem::Init() { return Init(nullptr); }

bool CAudioSystem::Init(std::unique_ptr<sound::Output> output)
{
    Release();
    auto system = std::make_unique<sound::System>(std::move(output));

    unsigned version = 0;
    if (system->GetVersion(version) != sound::Result::Ok) {
        m_ErrorMessage = kInitFailed;
        return false;
    }
    if (version < sound::System::kRequiredVersion) {
        m_ErrorMessage = kOutOfDate;
        return false;
    }

    int drivers = 0;
    if (system->GetNumDrivers(drivers) != sound::Result::Ok) {
        m_ErrorMessage = kInitFailed;
        return false;
    }
    if (drivers == 0)
        system->SetOutputNoSound();

    sound::Result result = system->Init(kChannelCount);
    if (result == sound::Result::ErrOutputInit) {
        // A device that is listed but will not open: play on, silent.
        LogLine("CAudioSystem: no usable audio device, sound is off");
        system->SetOutputNoSound();
        result = system->Init(kChannelCount);
    }
    if (result != sound::Result::Ok) {
        m_ErrorMessage = kInitFailed;
        return false;
    }

    m_System = std::move(system);
    SetMasterVolume(0.5f);
    return true;
}

void CAudioSystem::Release()
{
    if (!m_System)
        return;
    for (auto& entry : m_Sounds)
        entry.second->Release();
    m_Sounds.clear();
    m_Channels.clear();
    m_System->Release();
    m_System.reset();
}

void CAudioSystem::LoadSound(const std::string& name, const std::string& path, int loopCount)
{
    if (!m_System || m_Sounds.count(name))
        return;
    sound::Sound* loaded = nullptr;
    if (m_System->CreateSound(path, &loaded) != sound::Result::Ok) {
        LogLine("CAudioSystem: cannot load sound \"" + name + "\" from \"" + path + "\"");
        return;
    }
    if (loaded->SetLoopCount(loopCount) != sound::Result::Ok) {
        LogLine("CAudioSystem: bad loop count " + std::to_string(loopCount) + " for sound \"" + name +
                "\", playing it once");
        loaded->SetLoopCount(0);
    }
    m_Sounds[name] = loaded;
}

CSoundChannel CAudioSystem::PlaySound(const std::string& name, bool newChannel)
{
    const auto found = m_Sounds.find(name);
    if (!m_System || found == m_Sounds.end())
        return CSoundChannel();

    const auto remembered = m_Channels.find(name);
    sound::Channel channel;
    if (!newChannel && remembered != m_Channels.end()) {
        // Restarts on the remembered channel; one that has since gone to another sound is
        // replaced by the free channel played on instead.
        channel = remembered->second;
        if (m_System->PlaySound(sound::ChannelMode::Reuse, found->second, channel) == sound::Result::Ok)
            remembered->second = channel;
        return CSoundChannel(channel);
    }
    if (m_System->PlaySound(sound::ChannelMode::Free, found->second, channel) == sound::Result::Ok)
        m_Channels.emplace(name, channel);
    return CSoundChannel(channel);
}

void CAudioSystem::SetMasterVolume(float volume)
{
    if (m_System)
        m_System->GetMasterChannelGroup().SetVolume(volume);
}

float CAudioSystem::GetMasterVolume() const { return m_System ? m_System->GetMasterChannelGroup().GetVolume() : 0.0f; }

void CAudioSystem::Update()
{
    if (m_System)
        m_System->Update();
}

void CAudioSystem::StopChannel(sound::Channel channel)
{
    if (m_System)
        m_System->Stop(channel);
}

bool CAudioSystem::IsChannelPlaying(sound::Channel channel) const { return m_System && m_System->IsPlaying(channel); }

void CAudioSystem::SetChannelVolume(sound::Channel channel, float volume)
{
    if (m_System)
        m_System->SetVolume(channel, volume);
}

sound::Channel CAudioSystem::GetRememberedChannel(const std::string& name) const
{
    const auto found = m_Channels.find(name);
    return found == m_Channels.end() ? sound::Channel{} : found->second;
}

} // namespace Vesk
