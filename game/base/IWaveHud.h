// IWaveHud: the screen side of the waves, filled by the GUI and HUD. It owns the two text lines
// and the banner background; the wave manager only says what they show.
//   - wave text: font "GameFont", scale 0.75, at (0.02, 0.9);
//   - banner text: font "GameFontWhite", scale 1.0, on the line of the GUI element "wavebg", at
//     the x the banner animation gives (screen units, 0 to 1 across);
//   - banner background: the GUI element "wavebg".
#pragma once

#include <string>

namespace Game {

class IWaveHud {
public:
    virtual ~IWaveHud() = default;

    virtual void SetWaveText(const std::string& text) = 0;
    virtual void SetBannerText(const std::string& text) = 0;
    virtual void SetBannerTextX(float x) = 0;
    virtual void SetBannerTextVisible(bool visible) = 0;
    virtual void SetBannerBackgroundVisible(bool visible) = 0;
    virtual void SetBannerBackgroundOpacity(float opacity) = 0;
};

} // namespace Game
