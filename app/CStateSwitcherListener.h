// The developer hotkeys (Ctrl plus a key): open and close the level editor, switch between the
// debug texts and the profiler overlay, toggle debug-line depth testing, jump to the cube test or
// the play state, restart the current state, and toggle node-bound and body debug drawing.
#pragma once

#include "input/IKeyboardListener.h"

namespace Game {

class CStateSwitcherListener : public Vesk::IKeyboardListener {
public:
    void OnKeyDown(const Vesk::KeyEvent& event) override;
    void OnKeyUp(const Vesk::KeyEvent& event) override;

private:
    void ToggleLevelEditor();
    void ToggleDebugDisplay();
    void ToggleDebugLineDepth();
};

} // namespace Game
