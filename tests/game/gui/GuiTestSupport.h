// The GUI tests' world: the headless 2D fixture with sprite sheets for buttons, a font and the
// cursor, the tween controller types registered, a game state "MenuState" on top of the stack,
// and helpers that feed mouse events through the input manager and write screen files.
#pragma once

#include "engine/ui2d/Display2DFixture.h"

#include <string>

namespace guitest {

extern const char* const kTopState;

class GuiTest : public ui2dtest::Display2DTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The mouse at a point in viewport fractions, and the left button, as one frame's events.
    void MoveMouse(float x, float y);
    void LeftButton(bool down);
    // Writes a screen file into the scratch directory and returns its path.
    std::string WriteScreen(const std::string& name, const std::string& items);
};

} // namespace guitest
