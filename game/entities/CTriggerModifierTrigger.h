// CTriggerModifierTrigger: a game trigger that wakes and puts to sleep its slave triggers in sequence.
#pragma once

#include "game/entities/CGameTrigger.h"

namespace Game {

class CTriggerModifierTrigger : public CGameTrigger {
public:
    int GetType() const override { return TRIGGERMODIFIER_TRIGGER; }
};

} // namespace Game
