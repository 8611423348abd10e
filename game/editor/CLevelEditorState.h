// The level editor's game state, pushed above the play state by the developer hotkey and popped
// by it again, so the level stays loaded underneath. While it is on top the controllers stand
// still, the level's GUI is hidden (and shown again on leaving), the editor runs, and the camera
// that was current when the hotkey opened it is restored on leaving.
#pragma once

#ifndef THRUMMOCK_LINKS_EDITOR
#error "the level editor sits above the game: only the editor, the program and the tests include it"
#endif

#include "core/IGameState.h"

#include <string>

namespace Game {

class CLevelEditorState : public Vesk::IGameState {
public:
    CLevelEditorState() : Vesk::IGameState("LevelEditorState") {}

    // Whether a level (its terrain) is loaded to be edited; when not, says so on the editor's
    // message line.
    static bool CanOpen();

    void Enter() override;
    void Exit() override;
    void Update(float dt) override;
    // The level is edited, not played: it neither steps nor animates under the editor.
    bool HoldsWorldStill() const override { return true; }

    // The camera that was current when the editor was opened by hotkey.
    static std::string s_OpeningCameraName;
};

} // namespace Game
