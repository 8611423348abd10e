// Trigger timing (stand-in until the trigger issue lands): no triggers.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class CTriggerManager : public CSingleton<CTriggerManager> {
public:
    void Update(float dt) { (void)dt; }
};

} // namespace Vesk
