// The game's cameras, registered by name at start-up. The side-scrolling camera of play has its
// own unit; the others keep the engine camera's behaviour until the screens that use them come.
#pragma once

#include "game/cameras/CSideScrollCamera.h"
#include "render/CCamera.h"

namespace Game {

class CViewerCamera : public Vesk::CCamera {};
class CObjectCamera : public Vesk::CCamera {};
class CLevelEditorCamera : public Vesk::CCamera {};
class CMenuCamera : public Vesk::CCamera {};

} // namespace Game
