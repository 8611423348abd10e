// CWaveHud: where the waves show on screen - the wave text in the corner and the "WAVE n
// COMMENCING" banner text sliding across its background, the GUI element "wavebg". It owns the
// two text lines; the background belongs to the GUI manager and is looked up by name each time,
// so a screen taken down before the waves costs nothing.
#pragma once

#include "game/base/IWaveHud.h"

#include <memory>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CSpriteText;

class CWaveHud : public IWaveHud {
public:
    static constexpr float kWaveTextX = 0.02f;
    static constexpr float kWaveTextY = 0.9f;

    CWaveHud();
    ~CWaveHud() override;

    void SetWaveText(const std::string& text) override;
    void SetBannerText(const std::string& text) override;
    void SetBannerTextX(float x) override;
    void SetBannerTextVisible(bool visible) override;
    void SetBannerBackgroundVisible(bool visible) override;
    void SetBannerBackgroundOpacity(float opacity) override;

    CSpriteText* GetWaveText() const { return m_WaveText.get(); }
    CSpriteText* GetBannerText() const { return m_BannerText.get(); }

private:
    static Vesk::CDisplayObject2D* Background();

    std::unique_ptr<CSpriteText> m_WaveText;
    std::unique_ptr<CSpriteText> m_BannerText;
};

} // namespace Game
