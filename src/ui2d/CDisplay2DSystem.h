// Layered 2D objects (stand-in until the 2D issue lands): nothing to draw.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CDisplay2DSystem : public CSingleton<CDisplay2DSystem> {
public:
    void Render(float dt) { (void)dt; }
};

} // namespace Vesk
