// The sound and screen options the player sets on the options screen and keeps between runs. The
// player's music volume is the audio system's master volume apart from two things laid over it:
// the pause screen's attenuation, which halves what is heard while the pause is up, and muting,
// which silences the master volume and keeps the player's volume to give back. What is saved into
// the system configuration ("bgm_vol", "mute", "fullscreen") is always the player's own choice.
#pragma once

namespace Game {

// The volume the player chose, 0 to 1: the master volume without the pause attenuation, or while
// muted the volume that unmuting gives back.
float GetPlayerVolume();
// Sets the player's volume (clamped to 0 to 1): the master volume follows, attenuated; while
// muted only the volume that unmuting gives back changes.
void SetPlayerVolume(float volume);

// Whether the master volume is 0 because the player muted it (a master volume set above 0 since
// then ends the mute).
bool IsSoundMuted();
// Muting keeps the player's volume and silences the master volume; unmuting gives it back,
// attenuated when the pause is up. Setting the state the sound is in changes nothing.
void SetSoundMuted(bool muted);

// The factor the pause screen lays on the master volume while it is up, 1 without it (a factor
// that is not above 0 is refused). The master volume follows unless the sound is muted.
void SetPauseAttenuation(float factor);
float GetPauseAttenuation();

// At start: the player's volume from "bgm_vol" (text that is not a number keeps the volume) and
// the mute from "mute" ("1" mutes).
void ApplyStoredPlayerOptions();

// Writes the player's volume, the mute and the window's full-screen state into the system
// configuration and saves the file atomically; false (with a log line) when it was not written.
bool SavePlayerOptions();

} // namespace Game
