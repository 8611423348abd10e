#include "game/states/PlayerOptions.h"

#include "audio/CAudioSystem.h"
#include "core/COptionSetting.h"
#include "core/Log.h"
#include "game/states/MusicVolumeOption.h"
#include "window/CWindowSystem.h"

#include <algorithm>
#include <locale>
#include <sstream>

namespace Game {

namespace {

// Program-wide, as the sound is: the mute and the pause outlive the screens that set them.
struct PlayerAudio {
    bool muted = false;
    float volumeToGiveBack = 0.0f;
    float pauseAttenuation = 1.0f;
};

PlayerAudio g_Audio;

Vesk::CAudioSystem& Audio() { return Vesk::CAudioSystem::GetInstance(); }

} // namespace

bool IsSoundMuted() { return g_Audio.muted && Audio().GetMasterVolume() == 0.0f; }

float GetPlayerVolume()
{
    if (IsSoundMuted())
        return g_Audio.volumeToGiveBack;
    return std::min(Audio().GetMasterVolume() / g_Audio.pauseAttenuation, 1.0f);
}

void SetPlayerVolume(float volume)
{
    volume = std::clamp(volume, 0.0f, 1.0f);
    if (IsSoundMuted())
        g_Audio.volumeToGiveBack = volume;
    else
        Audio().SetMasterVolume(volume * g_Audio.pauseAttenuation);
}

void SetSoundMuted(bool muted)
{
    if (muted == IsSoundMuted()) {
        g_Audio.muted = muted;
        return;
    }
    if (muted) {
        g_Audio.volumeToGiveBack = GetPlayerVolume();
        Audio().SetMasterVolume(0.0f);
    } else {
        Audio().SetMasterVolume(g_Audio.volumeToGiveBack * g_Audio.pauseAttenuation);
    }
    g_Audio.muted = muted;
}

void SetPauseAttenuation(float factor)
{
    if (!(factor > 0.0f))
        return;
    const bool muted = IsSoundMuted();
    const float volume = GetPlayerVolume();
    g_Audio.pauseAttenuation = std::min(factor, 1.0f);
    if (!muted)
        Audio().SetMasterVolume(volume * g_Audio.pauseAttenuation);
}

float GetPauseAttenuation() { return g_Audio.pauseAttenuation; }

void ApplyStoredPlayerOptions()
{
    ApplyStoredMusicVolume();
    if (Vesk::COptionSetting::GetInstance().GetValue("mute") == "1")
        SetSoundMuted(true);
}

bool SavePlayerOptions()
{
    std::ostringstream volume;
    volume.imbue(std::locale::classic());
    volume << GetPlayerVolume();
    Vesk::COptionSetting& options = Vesk::COptionSetting::GetInstance();
    options.SetValue("bgm_vol", volume.str());
    options.SetValue("mute", IsSoundMuted() ? "1" : "0");
    options.SetValue("fullscreen", Vesk::CWindowSystem::GetInstance().IsWindowed() ? "0" : "1");
    if (options.Save())
        return true;
    Vesk::LogLine("PlayerOptions: the options file could not be written; the options hold for this run");
    return false;
}

} // namespace Game
