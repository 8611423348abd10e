// The game's cameras, registered by name at start-up. Their movement comes with the screens
// that use them; until then they keep the engine camera's behaviour.
#pragma once

#include "render/CCamera.h"

namespace Game {

class CViewerCamera : public Vesk::CCamera {};
class CObjectCamera : public Vesk::CCamera {};
class CLevelEditorCamera : public Vesk::CCamera {};
class CSideScrollCamera : public Vesk::CCamera {};
class CMenuCamera : public Vesk::CCamera {};

} // namespace Game
