// The music volume the player keeps in the option "bgm_vol": read as a number and clamped to
// 0 .. 1; text that is not a number keeps the volume playing now (with a log line).
#pragma once

#include <string>

namespace Game {

// The volume the text gives, else `current`.
float ParseMusicVolume(const std::string& text, float current);
// The player's volume set from the option (a muted sound stays muted and gives it back later).
void ApplyStoredMusicVolume();

} // namespace Game
