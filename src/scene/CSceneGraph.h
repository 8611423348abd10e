// The 3D node tree (stand-in until the scene-graph issue lands): nothing to draw.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CSceneGraph : public CSingleton<CSceneGraph> {
public:
    // Reset after Shutdown when the state changes; debug flags as set by the developer hotkeys.
    void Reset() {}
    void CullAndRender(float dt) { (void)dt; }
    void RenderLateBuckets() {}
    void PostRender() {}
    unsigned GetDebugFlags() const { return m_DebugFlags; }
    void SetDebugFlags(unsigned flags) { m_DebugFlags = flags; }

private:
    unsigned m_DebugFlags = 0;
};

} // namespace Vesk
