// CWaveBanner: the "WAVE n COMMENCING" banner's animation over a duration D. The background fades
// in over the first tenth (opacity clamped to 0..1), the text slides from x 1.5 to -0.5 over the
// next nine tenths, then the background fades out over 0.05 D and both hide. While the HUD is
// hidden the timers run and nothing shows. Draws through an IWaveHud, which may be absent.
#pragma once

#include <string>

namespace Game {

class IWaveHud;

class CWaveBanner {
public:
    static constexpr float kTextStartX = 1.5f;
    static constexpr float kSlideDistance = 2.0f;

    enum DisplayState : int {
        STATE_FADE_IN = 0,
        STATE_SLIDE = 1,
        STATE_FADE_OUT = 2,
        STATE_IDLE = 3,
    };

    void SetHud(IWaveHud* hud) { m_pHud = hud; }
    // Hides text and background at once while hidden; showing again leaves them to the next update.
    void SetHidden(bool hidden);
    bool IsHidden() const { return m_Hidden; }

    void Show(const std::string& text, float duration);
    void Update(float dt);
    // Back to idle with everything hidden.
    void Reset();

    int GetDisplayState() const { return m_DisplayState; }
    const std::string& GetText() const { return m_Text; }
    float GetTextX() const { return m_TextX; }
    float GetOpacity() const { return m_Opacity; }

private:
    // Pushes the current look to the HUD; text and background only while not hidden.
    void Draw(bool textVisible, bool backgroundVisible);

    IWaveHud* m_pHud = nullptr;
    std::string m_Text;
    bool m_Hidden = false;
    int m_DisplayState = STATE_IDLE;
    float m_Timer = 0.0f;
    float m_Duration = 0.0f;
    float m_TextX = kTextStartX;
    float m_Opacity = 0.0f;
};

} // namespace Game
