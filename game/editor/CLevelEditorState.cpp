#include "game/editor/CLevelEditorState.h"

namespace Game {

std::string CLevelEditorState::s_OpeningCameraName;

} // namespace Game
