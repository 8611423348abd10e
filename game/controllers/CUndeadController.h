// CUndeadController: drives a skeleton, which can feign death and rise again.
#pragma once

#include "game/controllers/IController.h"

namespace Game {

class CUndeadController : public CCharacterController {
public:
    int GetControllerType() const override { return UNDEAD; }
    // Whether the skeleton lies feigning death (wave retargeting passes over it).
    bool IsFakeDead() const { return m_FakeDead; }

protected:
    bool m_FakeDead = false;
};

} // namespace Game
