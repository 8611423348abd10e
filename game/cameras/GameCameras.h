// The game's cameras, registered by name at start-up: the side-scrolling camera of play, the
// menu camera, the object and viewer cameras and the level editor's cameras.
#pragma once

#include "game/cameras/CLevelEditorCamera.h"
#include "game/cameras/CMenuCamera.h"
#include "game/cameras/CObjectCamera.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/cameras/CViewerCamera.h"
