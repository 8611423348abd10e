// CMenuBoundScreen: a picture screen that goes on to the title and main menu on the first
// confirming input let go (pad START or A, Space, Escape or Enter, the left or right mouse
// button). The splash and controls screens are such screens. Its Exit takes the screen down
// and the screen's tweens with it.
#pragma once

#include "core/IGameState.h"

#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CMenuBoundScreen : public Vesk::IGameState {
public:
    void Exit() override;
    void Update(float dt) override;

    // Whether one of the confirming inputs was let go in this frame.
    static bool ConfirmReleased();

    const std::vector<Vesk::CDisplayObject2D*>& GetScreenElements() const { return m_ScreenElements; }

protected:
    explicit CMenuBoundScreen(std::string name) : IGameState(std::move(name)) {}

    // Loads "assets/scripts/gui/<file>.xml".
    void LoadScreen(const std::string& file);
    // The change to a new menu state requested.
    static void GoToMenu();

    std::vector<Vesk::CDisplayObject2D*> m_ScreenElements;
    std::vector<int> m_ScreenLayers;
};

} // namespace Game
