// CCreditsState ("CCreditsState"): the credits picture "CreditsText" scrolls up over the screen
// of "credits.xml" at half a screen a second, from 5 screens below the top to 3 above it; a
// white cover ("SplashBG") fades away at the start and back in at the end, then the state pops.
// Escape or pad START skips to the closing fade. Frame times above 0.017 s count as 0.017 s.
#pragma once

#include "core/IGameState.h"

#include <memory>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CGUIListener;

class CCreditsState : public Vesk::IGameState {
public:
    static constexpr float kStartPosition = 5.0f;
    static constexpr float kEndPosition = -3.0f;
    static constexpr float kScrollSpeed = 0.5f;
    static constexpr float kMaxStep = 0.017f;
    static constexpr int kTextLayer = 4;
    static constexpr int kCoverLayer = 5;

    explicit CCreditsState(const std::string& name);
    ~CCreditsState() override;

    void Enter() override;
    void Exit() override;
    void Update(float dt) override;

    float GetScrollPosition() const { return m_ScrollPosition; }
    bool IsFadingOut() const { return m_FadingOut; }
    Vesk::CDisplayObject2D* GetCreditsText() const { return m_pCreditsText.get(); }
    Vesk::CDisplayObject2D* GetCover() const { return m_pCover.get(); }

private:
    // The cover's alpha one step towards opaque (fading out) or clear; true when the state pops.
    bool FadeCover(float dt);

    std::vector<Vesk::CDisplayObject2D*> m_ScreenElements;
    std::vector<int> m_ScreenLayers;
    std::unique_ptr<CGUIListener> m_pListener;
    std::unique_ptr<Vesk::CDisplayObject2D> m_pCreditsText;
    std::unique_ptr<Vesk::CDisplayObject2D> m_pCover;
    float m_ScrollPosition = kStartPosition;
    bool m_FadingOut = false;
};

} // namespace Game
