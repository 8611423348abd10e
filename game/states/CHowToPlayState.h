// CHowToPlayState ("HowToPlayState"): five pages of instructions in "howtoplay.xml" (keyboard
// with the arrows, keyboard with W A S D, gamepad, and two pages of play), turned by the
// screen's previous and next buttons and wrapping round both ways; Escape or pad START goes back.
#pragma once

#include "game/gui/CGuiScreenState.h"

#include <array>
#include <vector>

namespace Game {

class CHowToPlayState : public CGuiScreenState {
public:
    static constexpr int kPageCount = 5;

    explicit CHowToPlayState(const std::string& name);

    // The screen with its "next" button marked, and page 1.
    void Enter() override;
    void Exit() override;

    // Hides every page's elements, then shows those of page n (1 to 5).
    void ShowPage(int n);
    void NextPage();
    void PrevPage();
    int GetPage() const { return m_Page; }

    // The element names of each page, page 1 first.
    static const std::array<std::vector<const char*>, kPageCount>& PageElementNames();

private:
    std::array<std::vector<Vesk::CDisplayObject2D*>, kPageCount> m_Pages;
    int m_Page = 1;
};

} // namespace Game
