#include "game/states/MusicVolumeOption.h"

#include "core/COptionSetting.h"
#include "core/Log.h"
#include "game/states/PlayerOptions.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace Game {

float ParseMusicVolume(const std::string& text, float current)
{
    std::istringstream in(text);
    float volume = 0.0f;
    if (!(in >> volume) || !std::isfinite(volume)) {
        Vesk::LogLine("MusicVolumeOption: the option \"bgm_vol\" (\"" + text + "\") is not a number; the volume stays");
        return current;
    }
    return std::clamp(volume, 0.0f, 1.0f);
}

void ApplyStoredMusicVolume()
{
    SetPlayerVolume(ParseMusicVolume(Vesk::COptionSetting::GetInstance().GetValue("bgm_vol"), GetPlayerVolume()));
}

} // namespace Game
