// The level editor's game state, pushed above the state being edited by the developer hotkey.
// It keeps the name of the camera that was current when the hotkey opened it.
#pragma once

#ifndef THRUMMOCK_LINKS_EDITOR
#error "the level editor sits above the game: only the editor, the program and the tests include it"
#endif

#include "game/states/CPlaceholderState.h"

#include <string>

namespace Game {

class CLevelEditorState : public CPlaceholderState {
public:
    CLevelEditorState() : CPlaceholderState("LevelEditorState") {}

    // The camera that was current when the editor was opened by hotkey.
    static std::string s_OpeningCameraName;
};

} // namespace Game
