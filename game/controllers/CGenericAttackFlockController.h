// CGenericAttackFlockController: a shared group controller that rations the attacks of its
// members. A member asks to attack by raising its attacking flag; within each window at most
// m_MaxAttackers of the asking members are let through (picked at random when more ask), their
// attacks spawned and their flags cleared. The others are left as they are, so their own
// controllers decide whether they still want to attack later.
#pragma once

#include "game/controllers/ISharedCharacterController.h"

namespace Game {

class CGenericAttackFlockController : public ISharedCharacterController {
public:
    static constexpr unsigned kDefaultMaxAttackers = 2;
    static constexpr float kDefaultWindowLength = 1.5f;
    static constexpr const char* kPunchAttack = "Punch";

    // The attack a member with a controller of the type launches: the golem's slam, else the
    // punch.
    static const char* AttackFor(int controllerType);

    ~CGenericAttackFlockController() override { Clear(); }

    // Also restarts the window.
    void Init(const std::string& name) override;
    void Update(float dt) override;
    int GetType() const override { return GENERIC_ATTACK_FLOCK; }

    // Spawns the member's attack beside it (AttackFor its controller's type; the punch without a
    // controller) and lets its controller start the attack animation.
    void LaunchAttack(CCharacter* member);

    unsigned m_MaxAttackers = kDefaultMaxAttackers;
    unsigned m_AttackersChosen = 0;
    float m_WindowLength = kDefaultWindowLength;
    float m_WindowTimer = 0.0f;
};

} // namespace Game
