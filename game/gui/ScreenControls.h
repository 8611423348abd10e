// The keyboard keys and pad-0 codes with which a GUI screen goes back, moves its button selection
// and presses the selected button, one preset per kind of screen. Every input counts when it
// was released in the frame.
#pragma once

#include <cstdint>
#include <vector>

namespace Game {

enum class NavigationAxis { Horizontal, Vertical };

struct ScreenControls {
    std::vector<uint32_t> backKeys, backPadCodes;
    // Escape as the screen's own keyboard listener reports it (a CGUIListener the screen owns).
    bool backByListener = false;
    NavigationAxis axis = NavigationAxis::Horizontal;
    // Navigation passes over buttons that are not visible.
    bool skipHidden = false;
    std::vector<uint32_t> pressKeys, pressPadCodes;

    static ScreenControls Confirmation();
    static ScreenControls Options();
    static ScreenControls Pause();
    static ScreenControls HowToPlay();
    static ScreenControls LevelSelection();
    static ScreenControls Menu();
    static ScreenControls Highscore();

    // The previous and next inputs of the axis: keys, then pad codes.
    const std::vector<uint32_t>& PreviousKeys() const;
    const std::vector<uint32_t>& NextKeys() const;
    const std::vector<uint32_t>& PreviousPadCodes() const;
    const std::vector<uint32_t>& NextPadCodes() const;
};

} // namespace Game
