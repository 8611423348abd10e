// Process-wide developer switches read by the game world, set by the developer hotkeys.
#pragma once

#include "core/CSingleton.h"

namespace Game {

class CDebugSwitches : public Vesk::CSingleton<CDebugSwitches> {
public:
    // Draw the entities' physics bodies (Ctrl+B).
    bool m_DrawEntityBodies = false;
};

} // namespace Game
